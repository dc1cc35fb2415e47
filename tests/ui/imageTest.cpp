#include "platform/base/exBase.h"
#include "platform/base/fileUtil.h"
#include "platform/ui/ixTiffFile.h"
#include "platform/ui/txTexFcty.h"
#include "platform/ui/uiIconRegistry.h"
#include "platform/ui/wsManagedImage.h"
#include "tests/support/glRecorder.h"

#include <gtest/gtest.h>
#include <tiffio.h>
#include <unistd.h>

#include <filesystem>

using namespace Zv;

namespace {

class ImageFiles : public ::testing::Test {
protected:
    void SetUp() override {
        _dir =
            std::filesystem::temp_directory_path() / ("zv-ui-" + std::to_string(getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(_dir);
    }
    void TearDown() override { std::filesystem::remove_all(_dir); }
    std::string path(const char* name) const { return (_dir / name).string(); }

    // A TIFF with the layout given, written by libtiff itself.
    void writeRawTiff(const std::string& file, uint16_t photometric, uint16_t channels, uint16_t extra,
                      const std::vector<uint8_t>& row) {
        TIFF* tiff = TIFFOpen(file.c_str(), "w");
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(row.size() / channels));
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 1u);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, channels);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, photometric);
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        if (channels == 4) TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
        TIFFWriteScanline(tiff, const_cast<uint8_t*>(row.data()), 0, 0);
        TIFFClose(tiff);
    }

    // Reads a file that must be refused; returns the one message, checking libtiff printed nothing.
    std::string refusal(const std::string& file) {
        ::testing::internal::CaptureStderr();
        std::string message;
        try {
            IxTiffFile::read(file);
        } catch (const ExBadInput& error) {
            message = error.getMessage();
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(message.rfind(file + ": ", 0), 0u) << message;
        return message;
    }

    std::filesystem::path _dir;
};

} // namespace

TEST_F(ImageFiles, TiffRoundTripKeepsStraightAlphaAndOpaqueImages) {
    IxImage image(3, 2);
    const uint8_t pixels[6][4] = {{200, 100, 50, 128}, {10, 20, 30, 0},  {255, 255, 255, 255},
                                  {0, 0, 0, 255},      {90, 180, 45, 1}, {7, 8, 9, 254}};
    for (int i = 0; i < 6; ++i) std::copy(pixels[i], pixels[i] + 4, image.at(i % 3, i / 3));
    IxTiffFile::write(path("rgba.tif"), image);
    IxImage back = IxTiffFile::read(path("rgba.tif"));
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, image.pixels) << "a half-transparent pixel keeps its colour";

    IxImage opaque(2, 2);
    for (size_t i = 0; i < opaque.pixels.size(); ++i)
        opaque.pixels[i] = (i % 4 == 3) ? 255 : static_cast<uint8_t>(i * 17);
    IxTiffFile::write(path("rgb.tif"), opaque);
    EXPECT_EQ(IxTiffFile::read(path("rgb.tif")).pixels, opaque.pixels);
    EXPECT_EQ(IxTiffFile::encode(opaque), FileUtil::readFile(path("rgb.tif"))) << "same picture, same bytes";
}

TEST_F(ImageFiles, PremultipliedTiffIsReadAsStraightAlpha) {
    writeRawTiff(path("assoc.tif"), PHOTOMETRIC_RGB, 4, EXTRASAMPLE_ASSOCALPHA, {100, 50, 25, 128});
    IxImage image = IxTiffFile::read(path("assoc.tif"));
    EXPECT_EQ(std::vector<uint8_t>(image.pixels.begin(), image.pixels.end()),
              (std::vector<uint8_t>{199, 100, 50, 128}));
}

TEST_F(ImageFiles, BadTiffFilesGetOneMessageNamingTheFile) {
    IxImage image(16, 16);
    IxTiffFile::write(path("good.tif"), image);
    std::string bytes = FileUtil::readFile(path("good.tif"));
    FileUtil::writeFileAtomically(path("truncated.tif"), bytes.substr(0, bytes.size() / 3));
    FileUtil::writeFileAtomically(path("text.tif"), "not an image at all");
    writeRawTiff(path("grey.tif"), PHOTOMETRIC_MINISBLACK, 1, 0, {1, 2, 3});

    EXPECT_NE(refusal(path("truncated.tif")).find("TIFF"), std::string::npos);
    EXPECT_NE(refusal(path("text.tif")).find("not a readable TIFF file"), std::string::npos);
    EXPECT_NE(refusal(path("grey.tif")).find("not an RGB image"), std::string::npos);
    EXPECT_NE(refusal(path("missing.tif")).find("cannot be read"), std::string::npos);
}

TEST(UiIconRegistry, IconsLoadOnceFromTheIconDirectoryAndMissingOnesAreRefused) {
    const LiString directory = UiIconRegistry::getIconDirectory();
    EXPECT_TRUE(directory.endsWith("resources/icons"));
    auto broken = UiIconRegistry::loadImage(directory + "/BrokenComp.tif");
    EXPECT_EQ(broken->getImage().getWidth(), 128);
    EXPECT_EQ(broken->getImage().getHeight(), 96);
    EXPECT_EQ(broken.get(), UiIconRegistry::loadImage(directory + "/BrokenComp.tif").get());
    auto lock = UiIconRegistry::loadImage(directory + "/lock.tif");
    EXPECT_EQ(lock->getImage().getWidth() * 13, lock->getImage().getHeight() * 16) << "drawn 16 x 13";

    const LiString missing = directory + "/NoSuchIcon.tif";
    try {
        UiIconRegistry::loadImage(missing);
        ADD_FAILURE() << "a missing icon must be refused";
    } catch (const ExBadInput& error) {
        EXPECT_NE(error.getMessage().find(missing.str()), std::string::npos);
    }
    auto placeholder = WsManagedImage::getUnavailableImage();
    EXPECT_TRUE(placeholder->getImage().isValid());
    EXPECT_EQ(placeholder.get(), WsManagedImage::getUnavailableImage().get());
}

TEST(TxTexture, LoadsTheEffectiveRegionAndUploadsAgainInANewContext) {
    GlRecorder::reset();
    auto texture = TxTexFcty::createTexture();
    texture->setEffectiveROD({2, 10, 0, 4});
    texture->load(IxTile(IxImage(16, 8)));
    EXPECT_EQ(texture->getWidth(), 8);
    EXPECT_EQ(texture->getHeight(), 4);
    texture->bind();
    EXPECT_EQ(GlRecorder::getCallCount("glGenTextures"), 1);
    EXPECT_EQ(GlRecorder::getCallCount("glTexImage2D"), 1);
    const GLuint first = GlRecorder::getState().boundTexture;

    TxTexFcty::resetContext();
    texture->bind();
    EXPECT_EQ(GlRecorder::getCallCount("glGenTextures"), 2);
    EXPECT_EQ(GlRecorder::getCallCount("glTexImage2D"), 2) << "the tile is sent to the new context";
    EXPECT_NE(GlRecorder::getState().boundTexture, first);
}
