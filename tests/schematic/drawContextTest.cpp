#include "tests/support/glRecorder.h"
#include "tests/support/sceneTestSupport.h"

#include "platform/base/exBase.h"
#include "platform/ui/uiResTable.h"

#include <gtest/gtest.h>

using namespace Zv;
using namespace Zv::SceneTest;

namespace {

GlRecorder::State stateAfter(ScDrawContext& ctx, int mode) {
    GlRecorder::reset();
    ctx.setState(mode);
    return GlRecorder::getState();
}

} // namespace

TEST(DrawContext, ModesSetTheirStatesExactly) {
    ScDrawContext ctx = makeContext(0.5f);
    for (int mode = 0; mode < 4; ++mode) {
        GlRecorder::State s = stateAfter(ctx, mode);
        EXPECT_TRUE(s.isEnabled(GL_SCISSOR_TEST) && s.isEnabled(GL_BLEND) && !s.isEnabled(GL_DITHER)) << mode;
        EXPECT_EQ(s.blendEquation, static_cast<GLenum>(GL_FUNC_ADD));
        EXPECT_EQ(s.blendSrc, static_cast<GLenum>(GL_SRC_ALPHA));
        EXPECT_EQ(s.blendDst, static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
        EXPECT_EQ(s.isEnabled(GL_TEXTURE_2D), mode == 3);
        EXPECT_EQ(s.isEnabled(GL_LINE_SMOOTH), mode == 1);
        EXPECT_EQ(s.activeTexture, static_cast<GLenum>(GL_TEXTURE0));
    }
    GlRecorder::reset();
    ctx.setState(2);
    EXPECT_EQ(GlRecorder::getCallCount("glShadeModel"), 1);
    GlRecorder::reset();
    ctx.setState(3);
    EXPECT_EQ(GlRecorder::getState().texEnvMode, GL_MODULATE);
    EXPECT_FLOAT_EQ(GlRecorder::getCurrentColor().a, 0.5f) << "opacity halves the textured white";
    EXPECT_FLOAT_EQ(GlRecorder::getCurrentColor().r, 1.0f);

    try {
        ctx.setState(4);
        FAIL();
    } catch (const ExProgramAborted& e) {
        EXPECT_NE(e.getFile().find("scDrawContext"), std::string::npos);
    }
}

TEST(DrawContext, ColoursCarryTheOpacity) {
    ScDrawContext ctx = makeContext(0.5f);
    GlRecorder::reset();
    ctx.setColor(EdgeA, 0.8f);
    EXPECT_EQ(colorId(GlRecorder::getCurrentColor().r), EdgeA);
    EXPECT_FLOAT_EQ(GlRecorder::getCurrentColor().a, 0.4f);
    EXPECT_FLOAT_EQ(ctx.getAlpha(), 0.4f);
    ctx.setColor(0.1f, 0.2f, 0.3f, 1.0f);
    EXPECT_EQ(ctx.getColor(), (UiResColor{0.1f, 0.2f, 0.3f}));
    EXPECT_FLOAT_EQ(GlRecorder::getCurrentColor().a, 0.5f);
}

TEST(DrawContext, ColourTableComesFromTheResourceClass) {
    const UiResTable table = UiResTable::parse(R"(<resources>
  <!-- a comment is fine -->
  <class name="SvSchematicDisplay">
    <color key="Selected" value="#ff8000"/>
    <text key="Tabs" value="not a colour"/>
  </class>
  <class name="Other"><color key="Unselected" value="#ffffff"/></class>
</resources>)",
                                               "test.xml");
    const ScColorTable colors = ScDrawContext::readColorTable(table);
    ASSERT_EQ(colors.size(), static_cast<size_t>(NbColorIds));
    EXPECT_EQ(colors[Selected], (UiResColor{1.0f, 128 / 255.0f, 0.0f}));
    EXPECT_EQ(colors[Tabs], UiResColor{}) << "a non-colour resource reads as black";
    EXPECT_EQ(colors[Unselected], UiResColor{}) << "another class does not count";

    const ScColorTable shipped = ScDrawContext::readShippedColorTable();
    int black = 0;
    for (const UiResColor& c : shipped) black += c == UiResColor{};
    EXPECT_EQ(black, 0) << "the shipped palette sets every colour";
}

TEST(DrawContext, MalformedResourceFilesNameTheLineAndChangeNothing) {
    auto message = [](const char* text) {
        try {
            UiResTable::parse(text, "bad.xml");
        } catch (const ExBadInput& e) {
            return e.getMessage();
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message("<resources>\n<class name=\"A\">\n<color key=\"K\" value=\"red\"/></class></resources>"),
              "bad.xml:3: colour \"red\" is not of the form #rrggbb");
    EXPECT_EQ(message("<resources><class name=\"A\">\n<color value=\"#000000\"/></class></resources>"),
              "bad.xml:2: <color> has no key");
    EXPECT_EQ(message("<resources><class name=\"A\"><color key=\"K\" value=\"#000000\"/>\n<color key=\"K\" "
                      "value=\"#000000\"/></class></resources>"),
              "bad.xml:2: key \"K\" appears twice in class \"A\"");
    EXPECT_EQ(message("<palette/>"), "bad.xml:1: the root element must be <resources>");
    EXPECT_EQ(message("<resources><class name=\"A\"><font key=\"K\" value=\"x\"/></class></resources>"),
              "bad.xml:1: unknown resource <font>");
}
