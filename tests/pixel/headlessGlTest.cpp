#include "platform/ui/headless/glHeadlessContext.h"
#include "platform/ui/ixPngFile.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>

using namespace Zv;

namespace {

struct Rgb {
    int r, g, b;
};

Rgb pixel(const IxImage& image, int x, int yFromBottom) {
    const uint8_t* p = image.at(x, image.height - 1 - yFromBottom);
    return {p[0], p[1], p[2]};
}

void setUpPixelProjection(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

} // namespace

TEST(HeadlessGl, FilledTriangleAndStippledLineLandOnTheRightPixels) {
    GlHeadlessContext context(64, 32);
    setUpPixelProjection(64, 32);

    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_TRIANGLES);
    glVertex2f(2, 2);
    glVertex2f(30, 2);
    glVertex2f(2, 30);
    glEnd();

    // Pixel-centred horizontal line at row 20, 4 pixels on then 4 off.
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, 0x0F0F);
    glColor3f(0.0f, 1.0f, 0.0f);
    glBegin(GL_LINES);
    glVertex2f(32.0f, 20.5f);
    glVertex2f(64.0f, 20.5f);
    glEnd();
    glDisable(GL_LINE_STIPPLE);

    IxImage image = context.readPixels();
    auto isColor = [](Rgb c, int r, int g, int b) { return c.r == r && c.g == g && c.b == b; };
    EXPECT_TRUE(isColor(pixel(image, 5, 5), 255, 0, 0)) << "inside the triangle";
    EXPECT_TRUE(isColor(pixel(image, 25, 25), 51, 51, 51)) << "beyond the hypotenuse";
    EXPECT_TRUE(isColor(pixel(image, 33, 20), 0, 255, 0)) << "first dash";
    EXPECT_TRUE(isColor(pixel(image, 37, 20), 51, 51, 51)) << "first gap";
    EXPECT_TRUE(isColor(pixel(image, 41, 20), 0, 255, 0)) << "second dash";
    EXPECT_TRUE(isColor(pixel(image, 33, 22), 51, 51, 51)) << "above the line";
}

TEST(HeadlessGl, RendersAreReproducibleAndSurvivePng) {
    auto render = [] {
        GlHeadlessContext context(40, 40);
        setUpPixelProjection(40, 40);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_LINE_SMOOTH);
        glColor4f(0.9f, 0.6f, 0.1f, 0.7f);
        glBegin(GL_LINE_LOOP);
        for (auto [x, y] : {std::pair{3.3f, 4.1f}, {35.7f, 9.2f}, {20.1f, 37.9f}}) glVertex2f(x, y);
        glEnd();
        return context.readPixels();
    };
    IxImage first = render();
    IxImage second = render();
    EXPECT_EQ(first.pixels, second.pixels);

    std::string path = testing::TempDir() + "headless.png";
    IxPngFile::writeOpaque(path, first);
    IxImage back = IxPngFile::read(path);
    ASSERT_EQ(back.width, 40);
    for (size_t i = 0; i < back.pixels.size(); ++i)
        ASSERT_EQ(back.pixels[i], i % 4 == 3 ? 255 : first.pixels[i]) << "byte " << i;
    std::remove(path.c_str());
}
