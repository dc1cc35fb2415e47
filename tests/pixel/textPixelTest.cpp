#include "platform/ui/headless/glHeadlessContext.h"
#include "platform/ui/wsFontRegistry.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace Zv;

namespace {

// Lit pixels of one area of a render, in GL's upward rows.
struct LitBox {
    int xMin = 1 << 20, xMax = -1, yMin = 1 << 20, yMax = -1;
    int bottomRowWidth = 0, topRowWidth = 0;
};

bool isLit(const IxImage& image, int x, int yUp) {
    return image.at(x, image.height - 1 - yUp)[0] > 128 || image.at(x, image.height - 1 - yUp)[1] > 128;
}

LitBox litBox(const IxImage& image, int xFrom, int xTo) {
    LitBox box;
    for (int y = 0; y < image.height; ++y)
        for (int x = xFrom; x < xTo; ++x)
            if (isLit(image, x, y)) {
                box.xMin = std::min(box.xMin, x);
                box.xMax = std::max(box.xMax, x);
                box.yMin = std::min(box.yMin, y);
                box.yMax = std::max(box.yMax, y);
            }
    if (box.yMax < 0) return box;
    for (int x = xFrom; x < xTo; ++x) {
        box.bottomRowWidth += isLit(image, x, box.yMin);
        box.topRowWidth += isLit(image, x, box.yMax);
    }
    return box;
}

} // namespace

TEST(TextPixels, GlyphsLandOnTheBaselineWithinTheMetricsUprightAndInTheirColour) {
    GlHeadlessContext context(120, 48);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 120, 0, 48, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);

    auto font = WsFontRegistry::getFont(WsFontRegistry::DefaultFont, 20);
    const int baseline = 16;
    glColor4f(1, 1, 1, 1);
    font->drawString("L", 10, baseline);
    glColor4f(1, 0, 0, 1);
    font->drawString("g", 60, baseline);
    IxImage image = context.readPixels();

    const LitBox l = litBox(image, 0, 50);
    ASSERT_GE(l.yMax, 0) << "L drew nothing";
    EXPECT_EQ(l.yMin, baseline) << "L stands on the baseline";
    EXPECT_LE(l.yMax, baseline + std::ceil(font->getAscent()));
    EXPECT_GE(l.yMax, baseline + 12) << "cap height of a 20 pixel font";
    EXPECT_GE(l.xMin, 10);
    EXPECT_LE(l.xMax, 10 + font->getStringWidth("L"));
    EXPECT_GT(l.bottomRowWidth, 3 * l.topRowWidth) << "the foot is at the bottom: the glyph is upright";
    const uint8_t* stem = image.at(l.xMin + 1, image.height - 1 - (baseline + 6));
    EXPECT_GT(stem[2], 200) << "white text stays white";

    const LitBox g = litBox(image, 50, 120);
    ASSERT_GE(g.yMax, 0) << "g drew nothing";
    EXPECT_LT(g.yMin, baseline) << "g hangs below the baseline";
    EXPECT_GE(g.yMin, baseline - std::ceil(font->getDescent()));
    EXPECT_GE(g.xMin, 60);
    EXPECT_LE(g.xMax, 60 + font->getStringWidth("g"));
    const uint8_t* red = image.at((g.xMin + g.xMax) / 2, image.height - 1 - g.yMin);
    EXPECT_GT(red[0], 100);
    EXPECT_EQ(red[1], 0) << "the texture modulates the current colour";
}
