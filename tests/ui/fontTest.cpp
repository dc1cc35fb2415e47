#include "platform/ui/wsFont.h"
#include "platform/ui/wsFontRegistry.h"
#include "platform/ui/wsFontUtils.h"
#include "platform/ui/wsScaledFont.h"
#include "tests/support/glRecorder.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <algorithm>

using namespace Zv;

namespace {

// FreeType's own answers for the registry's default font, computed here independently.
class FreeTypeReference {
public:
    FreeTypeReference(const WsFont& font) {
        FT_Init_FreeType(&_library);
        FT_New_Face(_library, font.getFilePath().c_str(), font.getFaceIndex(), &_face);
        FT_Set_Pixel_Sizes(_face, 0, static_cast<FT_UInt>(font.getPixelSize()));
    }
    ~FreeTypeReference() {
        FT_Done_Face(_face);
        FT_Done_FreeType(_library);
    }
    float ascent() const { return _face->size->metrics.ascender / 64.0f; }
    float descent() const { return -_face->size->metrics.descender / 64.0f; }
    float width(std::u32string_view text) const {
        float sum = 0;
        for (char32_t c : text) {
            FT_Load_Char(_face, c, FT_LOAD_DEFAULT);
            sum += _face->glyph->advance.x / 64.0f;
        }
        return sum;
    }

private:
    FT_Library _library = nullptr;
    FT_Face _face = nullptr;
};

struct Extent {
    float xMin = 1e9f, xMax = -1e9f, yMin = 1e9f, yMax = -1e9f;
};

Extent extentOf(const GlRecorder::Primitive& primitive) {
    Extent e;
    for (const auto& v : primitive.vertices) {
        e.xMin = std::min(e.xMin, v.x);
        e.xMax = std::max(e.xMax, v.x);
        e.yMin = std::min(e.yMin, v.y);
        e.yMax = std::max(e.yMax, v.y);
    }
    return e;
}

} // namespace

TEST(WsFont, DefaultFontIsDejaVuSansWithFreeTypeMetrics) {
    auto font = WsFontRegistry::getFont();
    ASSERT_FALSE(font.isNull());
    EXPECT_NE(font->getFilePath().find("DejaVuSans"), std::string::npos);
    EXPECT_EQ(font->getPixelSize(), WsFontRegistry::DefaultPixelSize);
    EXPECT_EQ(font.get(), WsFontRegistry::getFont(WsFontRegistry::DefaultFont, 0).get()) << "one font per size";

    FreeTypeReference reference(*font);
    EXPECT_FLOAT_EQ(font->getAscent(), reference.ascent());
    EXPECT_FLOAT_EQ(font->getDescent(), reference.descent());
    EXPECT_GT(font->getAscent() + font->getDescent(), font->getPixelSize() * 1.0f);
    EXPECT_LT(font->getAscent() + font->getDescent(), font->getPixelSize() * 1.5f);
    EXPECT_FLOAT_EQ(font->getStringWidth("Schematic Viewer"), reference.width(U"Schematic Viewer"));
    // Two-byte and three-byte UTF-8 sequences measure as one character each.
    EXPECT_FLOAT_EQ(font->getStringWidth("Caf\u00e9 \u2192 X"), reference.width(U"Caf\u00e9 \u2192 X"));
    EXPECT_FLOAT_EQ(font->getStringWidth(""), 0.0f);
}

TEST(WsFont, ScaledFontRasterisesAtTheZoomedSizeOncePerSize) {
    WsScaledFont scaled(0);
    auto unzoomed = scaled.getScaledFont(1.0f);
    auto zoomed = scaled.getScaledFont(2.0f);
    EXPECT_EQ(unzoomed->getPixelSize(), WsFontRegistry::DefaultPixelSize);
    EXPECT_EQ(zoomed->getPixelSize(), 2 * WsFontRegistry::DefaultPixelSize);
    EXPECT_EQ(zoomed.get(), scaled.getScaledFont(2.01f).get());
    EXPECT_NEAR(zoomed->getStringWidth("Merge1"), 2 * unzoomed->getStringWidth("Merge1"), 4.0f);
    EXPECT_EQ(scaled.getScaledFont(0.01f)->getPixelSize(), 1);
}

TEST(WsFontUtils, TruncationKeepsWithinTheWidthAndEndsWithTheEllipsis) {
    auto font = WsFontRegistry::getFont();
    const LiString text = "A rather long node name \u00e9\u00e9\u00e9\u00e9 that cannot fit";
    const float full = font->getStringWidth(text);
    EXPECT_EQ(WsFontUtils::truncateAtTheEnd(*font, text, full), text);

    for (float width : {full - 1.0f, full / 2, 40.0f, 20.0f}) {
        const LiString cut = WsFontUtils::truncateAtTheEnd(*font, text, width);
        ASSERT_TRUE(cut.endsWith(WsFontUtils::Ellipsis)) << width;
        EXPECT_LE(font->getStringWidth(cut), width);
        const LiString kept = cut.leftChars(cut.getNbChars() - 1);
        EXPECT_TRUE(text.startsWith(kept.str())) << "a start of the text, cut between characters";
        const LiString oneMore = text.leftChars(kept.getNbChars() + 1) + WsFontUtils::Ellipsis;
        EXPECT_GT(font->getStringWidth(oneMore), width) << "the longest start that fits";
    }
    EXPECT_EQ(WsFontUtils::truncateAtTheEnd(*font, text, 1.0f), "") << "not even the ellipsis fits";
}

TEST(WsFont, StringDrawsOneTexturedModulatedQuadPerVisibleGlyph) {
    auto font = WsFontRegistry::getFont(WsFontRegistry::DefaultFont, 17);
    GlRecorder::reset();
    glBindTexture(GL_TEXTURE_2D, 77);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    font->drawString("Ab g", 10.0f, 20.0f);

    auto quads = GlRecorder::getPrimitives(GL_QUADS);
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_EQ(quads[0].vertices.size(), 3u * 4) << "the blank has no quad";
    EXPECT_TRUE(quads[0].state.isEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(quads[0].state.isEnabled(GL_BLEND));
    EXPECT_EQ(quads[0].state.texEnvMode, GL_MODULATE);
    EXPECT_NE(quads[0].state.boundTexture, 0u);
    const GlRecorder::State& after = GlRecorder::getState();
    EXPECT_FALSE(after.isEnabled(GL_TEXTURE_2D)) << "the caller's state comes back";
    EXPECT_FALSE(after.isEnabled(GL_BLEND));
    EXPECT_EQ(after.blendSrc, static_cast<GLenum>(GL_ONE));
    EXPECT_EQ(after.boundTexture, 77u);
    EXPECT_EQ(after.texEnvMode, GL_REPLACE);

    // "A" sits on the baseline, "g" hangs below it within the descent; all within the advance widths.
    GlRecorder::Primitive first = quads[0];
    first.vertices.resize(4);
    const Extent a = extentOf(first), all = extentOf(quads[0]);
    EXPECT_NEAR(a.yMin, 20.0f, 1.0f);
    EXPECT_LE(a.yMax, 20.0f + font->getAscent());
    EXPECT_LT(all.yMin, 19.0f);
    EXPECT_GE(all.yMin, 20.0f - font->getDescent());
    EXPECT_GE(all.xMin, 10.0f);
    EXPECT_LE(all.xMax, 10.0f + font->getStringWidth("Ab g") + 1.0f);
    EXPECT_FLOAT_EQ(first.vertices[0].t, first.vertices[1].t) << "bottom edge shares t";
    EXPECT_LT(first.vertices[0].t, first.vertices[3].t) << "t grows upwards, the picture is upright";
}

TEST(WsFont, ScaledStringIsAlignedAndShrunkToSceneUnits) {
    auto font = WsFontRegistry::getFont(WsFontRegistry::DefaultFont, 24);
    GlRecorder::reset();
    font->drawStringScaled("Over", 100.0f, 50.0f, WsFont::CENTER, WsFont::CENTER, 2.0f);
    font->drawStringScaled("Over", 100.0f, 50.0f, WsFont::RIGHT, WsFont::TOP, 2.0f);
    auto quads = GlRecorder::getPrimitives(GL_QUADS);
    ASSERT_EQ(quads.size(), 2u);
    const Extent centred = extentOf(quads[0]), rightTop = extentOf(quads[1]);
    const float halfWidth = font->getStringWidth("Over") / 4;
    EXPECT_NEAR((centred.xMin + centred.xMax) / 2, 100.0f, 1.0f);
    EXPECT_NEAR(centred.xMax - centred.xMin, 2 * halfWidth, 1.5f);
    EXPECT_NEAR((centred.yMin + centred.yMax) / 2, 50.0f, 2.0f);
    EXPECT_NEAR(rightTop.xMax, 100.0f, 1.0f);
    EXPECT_LE(rightTop.yMax, 50.0f);
    EXPECT_GT(rightTop.yMax, 50.0f - font->getAscent() / 2 + 1.0f) << "cap height reaches near the top";
}

TEST(WsFont, DrawingTheSameTextAgainRasterisesAndUploadsNothing) {
    auto font = WsFontRegistry::getFont(WsFontRegistry::DefaultFont, 15);
    GlRecorder::reset();
    font->drawString("Checker1 \u2192 Blur2", 0.0f, 0.0f);
    const int glyphs = font->getNbRasterisedGlyphs();
    const int uploads = GlRecorder::getCallCount("glTexSubImage2D") + GlRecorder::getCallCount("glTexImage2D");
    EXPECT_GT(uploads, 0);

    font->drawString("Checker1 \u2192 Blur2", 0.0f, 10.0f);
    font->drawString("Blur", 0.0f, 20.0f);
    EXPECT_EQ(font->getNbRasterisedGlyphs(), glyphs);
    EXPECT_EQ(GlRecorder::getCallCount("glTexSubImage2D") + GlRecorder::getCallCount("glTexImage2D"), uploads);

    font->drawString("Q", 0.0f, 30.0f);
    EXPECT_EQ(font->getNbRasterisedGlyphs(), glyphs + 1);
    EXPECT_EQ(GlRecorder::getCallCount("glTexSubImage2D") + GlRecorder::getCallCount("glTexImage2D"), uploads + 1)
        << "only the new glyph's rows are sent";
}
