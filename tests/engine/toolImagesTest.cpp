#include "engineTest.h"

#include "platform/engine/pxTools.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piImageModifier.h"

#include <OpenImageIO/imagebufalgo.h>

#include <filesystem>

namespace Zv {
namespace {

constexpr float kTolerance = 1.5f / 255;

void expectColor(const Rgba& actual, const Rgba& expected) {
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(actual[c], expected[c], kTolerance) << "channel " << c;
}

using ToolImages = EngineTest;

TEST_F(ToolImages, SourcesHaveTheirColoursAndMeans) {
    auto constant = add("Constant");
    setText(constant, "Color", "0.2 0.4 0.6");
    expectColor(meanOf(picture(constant)), {0.2f, 0.4f, 0.6f, 1});

    // Squares of 16 pixels tile 128 x 96 evenly, so half the pixels have each colour.
    auto checker = add("Checker");
    setText(checker, "Color1", "0.2 0.2 0.2");
    setText(checker, "Color2", "0.4 0.4 0.4");
    IxTile squares = picture(checker);
    expectColor(meanOf(squares), {0.3f, 0.3f, 0.3f, 1});
    expectColor(pixelOf(squares, 0, 0), {0.2f, 0.2f, 0.2f, 1});
    expectColor(pixelOf(squares, 16, 0), {0.4f, 0.4f, 0.4f, 1});

    auto invert = add("Invert");
    link(checker, invert);
    expectColor(meanOf(picture(invert)), {0.7f, 0.7f, 0.7f, 1});
    PiImageModifier::setMuted(invert, true);
    expectColor(meanOf(picture(invert)), {0.3f, 0.3f, 0.3f, 1});

    auto ramp = add("Ramp");
    IxTile gradient = picture(ramp);
    EXPECT_LT(pixelOf(gradient, 0, 50)[0], 0.02f);
    EXPECT_GT(pixelOf(gradient, 127, 50)[0], 0.98f);
    EXPECT_NEAR(meanOf(gradient)[0], 0.5f, 0.01f);
}

TEST_F(ToolImages, ReadScalesTheFileDown) {
    auto read = add("Read", "Plate");
    setText(read, "File", ZV_ENGINE_TEST_DATA_DIR "/quadrants.png");
    IxTile image = picture(read);
    ASSERT_EQ(image.getWidth(), 128);
    ASSERT_EQ(image.getHeight(), 96);
    // Red, a one-pixel black and white checker, blue and white quadrants: each halves exactly, and
    // the checker averages to grey.
    expectColor(pixelOf(image, 10, 10), {1, 0, 0, 1});
    expectColor(pixelOf(image, 100, 10), {0.5f, 0.5f, 0.5f, 1});
    expectColor(pixelOf(image, 10, 80), {0, 0, 1, 1});
    expectColor(pixelOf(image, 100, 80), {1, 1, 1, 1});
    expectColor(meanOf(image), {0.625f, 0.375f, 0.625f, 1});
}

TEST_F(ToolImages, ReadFollowsTheFrameAndReportsWhatItCannotRead) {
    namespace fs = std::filesystem;
    fs::path folder = fs::temp_directory_path() / ("engine-frames-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (int frame : {1, 2}) {
        OIIO::ImageBuf image(OIIO::ImageSpec(8, 6, 3, OIIO::TypeDesc::UINT8));
        const float grey[3] = {frame * 0.25f, frame * 0.25f, frame * 0.25f};
        OIIO::ImageBufAlgo::fill(image, grey);
        ASSERT_TRUE(image.write((folder / ("shot." + PxTools::expandFrame("####", frame) + ".tif")).string()));
    }
    auto read = add("Read", "Plate");
    setText(read, "File", (folder / "shot.####.tif").string());
    EXPECT_NEAR(meanOf(picture(read, 1))[0], 0.25f, kTolerance);
    EXPECT_NEAR(meanOf(picture(read, 2.2))[0], 0.5f, kTolerance);
    PxImageMultiTileRequest::Results second = render(read, 2);
    EXPECT_TRUE(second.validity.contains(1.6) && second.validity.contains(2.4));
    EXPECT_FALSE(second.validity.contains(2.6) || second.validity.contains(1.4));

    PxImageMultiTileRequest::Results missing = render(read, 3);
    EXPECT_FALSE(missing.computable);
    EXPECT_NE(missing.reason.find("Read \"Plate\""), std::string::npos) << missing.reason;
    EXPECT_NE(missing.reason.find("shot.0003.tif"), std::string::npos) << missing.reason;
    EXPECT_FALSE(PxImageMultiTileRequest::assembleTiles(missing).isValid());

    // A file that is there but no image.
    std::FILE* text = std::fopen((folder / "shot.0004.tif").c_str(), "w");
    std::fputs("not an image", text);
    std::fclose(text);
    EXPECT_FALSE(render(read, 4).computable);

    // A constant source is the same at every time.
    auto constant = add("Constant");
    EXPECT_TRUE(render(constant).validity.isAlways());
    fs::remove_all(folder);
}

TEST_F(ToolImages, BadParametersBreakTheImageNamingNodeAndText) {
    auto blur = add("Blur", "Soft");
    auto constant = add("Constant", "Fill");
    link(constant, blur);
    setText(constant, "Color", "0.1 green 0.3");
    PxImageMultiTileRequest::Results results = render(blur);
    EXPECT_FALSE(results.computable);
    EXPECT_EQ(results.reason, "Constant \"Fill\": Color \"0.1 green 0.3\" must be 3 or 4 numbers");
    setText(constant, "Color", "0.1 0.2 0.3 1 5");
    EXPECT_FALSE(render(blur).computable);
    setText(constant, "Color", "0.1 0.2 0.3");
    EXPECT_TRUE(render(blur).computable);
}

TEST_F(ToolImages, FiltersMoveBlurAndKey) {
    auto checker = add("Checker");
    auto blur = add("Blur");
    link(checker, blur);
    setText(blur, "Size", "0.05");
    IxTile soft = picture(blur);
    expectColor(meanOf(soft), {0.5f, 0.5f, 0.5f, 1});
    EXPECT_NEAR(pixelOf(soft, 16, 16)[0], 0.5f, 0.1f); // a corner where four squares meet

    auto constant = add("Constant");
    setText(constant, "Color", "1 1 1");
    auto transform = add("Transform");
    link(constant, transform);
    setText(transform, "Translate", "0.25 0");
    IxTile moved = picture(transform);
    EXPECT_NEAR(pixelOf(moved, 10, 50)[3], 0, kTolerance);
    EXPECT_NEAR(pixelOf(moved, 100, 50)[3], 1, kTolerance);
    setText(transform, "Scale", "0.5");
    setText(transform, "Translate", "0 0");
    EXPECT_NEAR(meanOf(picture(transform))[3], 0.25f, 0.01f);

    auto green = add("Constant");
    setText(green, "Color", "0.05 0.95 0.05");
    auto keyer = add("Keyer");
    link(green, keyer);
    EXPECT_NEAR(meanOf(picture(keyer))[3], 0, kTolerance);
    setText(green, "Color", "1 0 0");
    expectColor(meanOf(picture(keyer)), {1, 0, 0, 1});
}

TEST_F(ToolImages, MasksAndLayersCombine) {
    auto grey = add("Constant");
    auto grade = add("ColorCorrect");
    link(grey, grade);
    setText(grade, "Gain", "2 1 0");
    expectColor(meanOf(picture(grade)), {1, 0.5f, 0, 1});
    auto halfMask = add("Ramp");
    setText(halfMask, "Color1", "0 0 0 0");
    setText(halfMask, "Color2", "0 0 0 1");
    link(halfMask, grade, 1);
    IxTile masked = picture(grade);
    expectColor(pixelOf(masked, 0, 40), {0.5f, 0.5f, 0.5f, 1});
    EXPECT_NEAR(pixelOf(masked, 127, 40)[0], 1, 0.02f);

    auto red = add("Constant"), blue = add("Constant");
    setText(red, "Color", "1 0 0");
    setText(blue, "Color", "0 0 1");
    auto over = add("Over");
    link(red, over, 0);
    link(blue, over, 1);
    expectColor(meanOf(picture(over)), {1, 0, 0, 1});
    link(halfMask, over, 2);
    expectColor(pixelOf(picture(over), 0, 40), {0, 0, 1, 1});

    auto merge = add("Merge");
    link(blue, merge);
    link(red, merge);
    expectColor(meanOf(picture(merge)), {1, 0, 0, 1});
    // One source read by two steps: red over its own inverse.
    auto cyan = add("Invert"), redOverCyan = add("Over");
    link(red, cyan);
    link(red, redOverCyan, 0);
    link(cyan, redOverCyan, 1);
    setText(red, "Color", "1 0 0 0.5");
    expectColor(meanOf(picture(redOverCyan)), {2 / 3.0f, 1 / 3.0f, 1 / 3.0f, 0.75f});
    setText(red, "Color", "1 0 0");

    auto output = add("Output");
    link(merge, output);
    expectColor(meanOf(picture(output)), {1, 0, 0, 1});
}

TEST_F(ToolImages, GroupsPassImagesThroughTheirSockets) {
    auto group = rcCheckedCast<PiGroupNode>(add("Group"));
    auto input = rcCheckedCast<PiInput>(_graph->addGroupSocket(group, "In", false));
    auto output = rcCheckedCast<PiOutput>(_graph->addGroupSocket(group, "Out", true));
    auto invert = add("Invert", "", group);
    _graph->connect(rcCheckedCast<PiOutput>(group->getBoundaryNode(*input)->getInnerSocket()), invert->getInput(0));
    _graph->connect(invert->getOutput(0), rcCheckedCast<PiInput>(group->getBoundaryNode(*output)->getInnerSocket()));
    auto constant = add("Constant");
    setText(constant, "Color", "0.2 0.4 0.6");
    _graph->connect(constant->getOutput(0), input);
    expectColor(meanOf(picture(group)), {0.8f, 0.6f, 0.4f, 1});
    // Nothing inside feeding the output: an empty image, not a broken one.
    _graph->disconnect(rcCheckedCast<PiInput>(group->getBoundaryNode(*output)->getInnerSocket()));
    expectColor(meanOf(picture(group)), {0, 0, 0, 0});
}

} // namespace
} // namespace Zv
