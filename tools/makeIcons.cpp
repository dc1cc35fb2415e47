// Draws the project's icons procedurally and writes them as TIFF files, checks the committed files
// against a fresh drawing, or renders a contact sheet of all of them.
//
//   make_icons write DIR      write every icon as DIR/NAME.tif
//   make_icons check DIR      exit 1, naming each icon whose file differs from a fresh drawing
//   make_icons sheet OUT.png  every icon at 16, 32 and 64 pixels high on the default icon background
#include "platform/base/exBase.h"
#include "platform/base/fileUtil.h"
#include "platform/base/gePoint2.h"
#include "platform/ui/headless/glHeadlessContext.h"
#include "platform/ui/ixPngFile.h"
#include "platform/ui/ixTiffFile.h"
#include "platform/ui/ixTile.h"
#include "platform/ui/txTexFcty.h"
#include "platform/ui/wsFontRegistry.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace Zv;

namespace {

struct Rgba {
    uint8_t r, g, b, a = 255;
};

constexpr Rgba kInk{24, 24, 24};
constexpr Rgba kWhite{240, 240, 240};
constexpr Rgba kLightGrey{185, 185, 185};
constexpr Rgba kBlue{80, 160, 255};
constexpr Rgba kAmber{255, 176, 32};
constexpr Rgba kRed{235, 72, 60};
constexpr Rgba kGreen{80, 200, 100};
constexpr Rgba kYellow{250, 215, 60};
constexpr Rgba kPurple{185, 125, 255};
constexpr Rgba kCyan{70, 215, 215};

// A shape is a signed distance in pixels: negative inside, so outlines are the shape grown.
using Shape = std::function<float(float, float)>;

Shape circle(float cx, float cy, float r) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Shape box(float x0, float y0, float x1, float y1, float radius = 0.0f) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    return [=](float x, float y) {
        const float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        return std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

float segmentDistance(float x, float y, float ax, float ay, float bx, float by) {
    const float dx = bx - ax, dy = by - ay;
    const float t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return std::hypot(x - ax - t * dx, y - ay - t * dy);
}

// A line with round ends.
Shape line(float ax, float ay, float bx, float by, float width) {
    return [=](float x, float y) { return segmentDistance(x, y, ax, ay, bx, by) - width / 2; };
}

Shape polygon(std::vector<GePoint2<float>> points) {
    return [points = std::move(points)](float x, float y) {
        float nearest = 1e9f;
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const GePoint2<float>& a = points[i];
            const GePoint2<float>& b = points[j];
            nearest = std::min(nearest, segmentDistance(x, y, a.x, a.y, b.x, b.y));
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
        }
        return inside ? -nearest : nearest;
    };
}

Shape unite(Shape a, Shape b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Shape intersect(Shape a, Shape b) {
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

// The shape's rim as a band of the given width.
Shape stroke(Shape a, float width) {
    return [=](float x, float y) { return std::abs(a(x, y)) - width / 2; };
}

Shape rotated(Shape a, float cx, float cy, float degrees) {
    const float c = std::cos(degrees * 3.14159265f / 180), s = std::sin(degrees * 3.14159265f / 180);
    return [=](float x, float y) { return a(cx + (x - cx) * c + (y - cy) * s, cy - (x - cx) * s + (y - cy) * c); };
}

// Straight-alpha RGBA painting with 4 x 4 samples per pixel; y runs down, units are pixels.
class Canvas {
public:
    Canvas(int width, int height) : _image(width, height) {}

    void paint(const Shape& shape, Rgba colour, float grow = 0.0f) {
        for (int y = 0; y < _image.height; ++y)
            for (int x = 0; x < _image.width; ++x) blend(x, y, colour, coverage(shape, x, y, grow));
    }
    // Over a dark rim, so the shape reads on the dark grey nodes and on light colours alike.
    void paintOutlined(const Shape& shape, Rgba colour) {
        paint(shape, kInk, 1.25f);
        paint(shape, colour);
    }
    IxImage take() { return std::move(_image); }

private:
    static float coverage(const Shape& shape, int x, int y, float grow) {
        int inside = 0;
        for (int j = 0; j < 4; ++j)
            for (int i = 0; i < 4; ++i)
                if (shape(x + (i + 0.5f) / 4, y + (j + 0.5f) / 4) < grow) ++inside;
        return inside / 16.0f;
    }

    void blend(int x, int y, Rgba colour, float cover) {
        if (cover <= 0.0f) return;
        uint8_t* p = _image.at(x, y);
        const float a = cover * colour.a / 255.0f, below = p[3] / 255.0f * (1 - a), out = a + below;
        const uint8_t source[3] = {colour.r, colour.g, colour.b};
        for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(std::lround((source[c] * a + p[c] * below) / out));
        p[3] = static_cast<uint8_t>(std::lround(out * 255));
    }

    IxImage _image;
};

// Marks the out-of-date variants: an amber disc with an exclamation mark, lower right.
void paintOutOfDateBadge(Canvas& canvas) {
    canvas.paintOutlined(circle(24, 24, 7), kAmber);
    canvas.paint(line(24, 19.5f, 24, 24.5f, 2.6f), kInk);
    canvas.paint(circle(24, 28, 1.4f), kInk);
}

void paintFilmStrip(Canvas& canvas) {
    canvas.paintOutlined(box(3, 6, 29, 26, 2), kLightGrey);
    for (float x = 5; x < 27; x += 5) {
        canvas.paint(box(x, 7.5f, x + 2.5f, 9.5f), kInk);
        canvas.paint(box(x, 22.5f, x + 2.5f, 24.5f), kInk);
    }
    canvas.paint(box(8, 11.5f, 24, 20.5f, 1), kBlue);
}

void paintSmallGraph(Canvas& canvas) {
    canvas.paint(unite(line(8, 9, 16, 24, 2.5f), line(24, 9, 16, 24, 2.5f)), kWhite);
    canvas.paintOutlined(box(2, 4, 13, 12, 2), kPurple);
    canvas.paintOutlined(box(19, 4, 30, 12, 2), kPurple);
    canvas.paintOutlined(box(10, 21, 22, 29, 2), kPurple);
}

IxImage drawLock() {
    Canvas canvas(32, 26);
    const Shape shackle = unite(intersect(stroke(circle(16, 10, 6.5f), 3), box(0, 0, 32, 10)),
                                unite(line(9.5f, 10, 9.5f, 13, 3), line(22.5f, 10, 22.5f, 13, 3)));
    canvas.paintOutlined(shackle, kLightGrey);
    canvas.paintOutlined(box(5, 12, 27, 25, 2.5f), kYellow);
    canvas.paint(unite(circle(16, 17, 2.3f), box(15, 17, 17, 22)), kInk);
    return canvas.take();
}

IxImage drawFootageLink(bool outOfDate) {
    Canvas canvas(32, 32);
    paintFilmStrip(canvas);
    if (outOfDate) paintOutOfDateBadge(canvas);
    return canvas.take();
}

IxImage drawCompositionLink(bool outOfDate) {
    Canvas canvas(32, 32);
    paintSmallGraph(canvas);
    if (outOfDate) paintOutOfDateBadge(canvas);
    return canvas.take();
}

// A thumbnail-sized landscape torn by a crack, with a red cross.
IxImage drawBrokenComp() {
    Canvas canvas(128, 96);
    canvas.paint(box(0, 0, 128, 96), Rgba{60, 60, 60});
    canvas.paint(stroke(box(6, 6, 122, 90, 4), 3), kLightGrey);
    canvas.paint(circle(92, 28, 10), Rgba{150, 130, 60});
    canvas.paint(polygon({{10, 86}, {48, 38}, {72, 66}, {86, 54}, {118, 86}}), Rgba{70, 120, 80});
    const std::vector<GePoint2<float>> crack = {{58, 4}, {70, 26}, {54, 44}, {72, 62}, {60, 92}};
    for (size_t i = 1; i < crack.size(); ++i)
        canvas.paint(line(crack[i - 1].x, crack[i - 1].y, crack[i].x, crack[i].y, 5), kInk);
    canvas.paintOutlined(unite(line(52, 36, 76, 60, 7), line(76, 36, 52, 60, 7)), kRed);
    return canvas.take();
}

IxImage drawToggleImage() {
    Canvas canvas(32, 32);
    canvas.paintOutlined(box(3, 5, 29, 27, 2), Rgba{70, 110, 160});
    canvas.paint(circle(22, 11, 3), kYellow);
    canvas.paint(intersect(polygon({{4, 26}, {13, 13}, {19, 20}, {22, 17}, {28, 26}}), box(4, 6, 28, 26)), kGreen);
    canvas.paint(stroke(box(3, 5, 29, 27, 2), 1.5f), kWhite);
    return canvas.take();
}

IxImage drawToggleIR() {
    Canvas canvas(32, 32);
    const Shape bowl = unite(intersect(stroke(circle(19, 11.5f, 4.5f), 3), box(19, 0, 32, 32)),
                             unite(line(15, 7, 19, 7, 3), line(15, 16, 19, 16, 3)));
    const Shape letters =
        unite(unite(line(8, 7, 8, 25, 3.5f), line(15, 7, 15, 25, 3.5f)), unite(bowl, line(18, 16, 24, 25, 3.5f)));
    canvas.paintOutlined(letters, Rgba{255, 120, 100});
    return canvas.take();
}

// A speech bubble holding a key-frame diamond.
IxImage drawFeedback() {
    Canvas canvas(32, 32);
    canvas.paintOutlined(unite(box(3, 4, 29, 22, 4), polygon({{8, 20}, {15, 20}, {7, 29}})), kWhite);
    canvas.paint(polygon({{16, 7}, {21, 13}, {16, 19}, {11, 13}}), kAmber);
    return canvas.take();
}

IxImage drawConstant() {
    Canvas canvas(32, 32);
    canvas.paintOutlined(box(5, 5, 27, 27, 3), Rgba{230, 95, 60});
    return canvas.take();
}

IxImage drawChecker() {
    Canvas canvas(32, 32);
    canvas.paintOutlined(box(4, 4, 28, 28), kWhite);
    for (int j = 0; j < 4; ++j)
        for (int i = (j % 2); i < 4; i += 2)
            canvas.paint(box(4 + 6.0f * i, 4 + 6.0f * j, 10 + 6.0f * i, 10 + 6.0f * j), kInk);
    return canvas.take();
}

IxImage drawRamp() {
    Canvas canvas(32, 32);
    canvas.paint(box(3, 8, 29, 24), kInk, 1.25f);
    for (int band = 0; band < 13; ++band) {
        const auto grey = static_cast<uint8_t>(20 + band * 19);
        canvas.paint(box(3 + 2.0f * band, 8, 5 + 2.0f * band, 24), Rgba{grey, grey, grey});
    }
    return canvas.take();
}

// A page with a folded corner and lines of text.
IxImage drawRead() {
    Canvas canvas(32, 32);
    canvas.paintOutlined(polygon({{7, 3}, {19, 3}, {26, 10}, {26, 29}, {7, 29}}), kWhite);
    canvas.paint(polygon({{19, 3}, {19, 10}, {26, 10}}), kLightGrey);
    for (float y : {14.0f, 18.5f, 23.0f}) canvas.paint(line(11, y, 22, y, 2), kBlue);
    return canvas.take();
}

// A dot fading out towards its rim.
IxImage drawBlur() {
    Canvas canvas(32, 32);
    const float radii[] = {13, 10.5f, 8, 5.5f, 3.5f};
    const uint8_t alphas[] = {45, 70, 110, 170, 255};
    for (int i = 0; i < 5; ++i) canvas.paint(circle(16, 16, radii[i]), Rgba{kCyan.r, kCyan.g, kCyan.b, alphas[i]});
    return canvas.take();
}

IxImage drawInvert() {
    Canvas canvas(32, 32);
    canvas.paintOutlined(circle(16, 16, 12), kWhite);
    canvas.paint(intersect(circle(16, 16, 10), box(16, 0, 32, 32)), kInk);
    return canvas.take();
}

// Arrows out to the four sides.
IxImage drawTransform() {
    Canvas canvas(32, 32);
    Shape arrows = unite(line(16, 6, 16, 26, 3), line(6, 16, 26, 16, 3));
    for (int quarter = 0; quarter < 4; ++quarter)
        arrows = unite(arrows, rotated(polygon({{16, 1}, {22, 8}, {10, 8}}), 16, 16, 90.0f * quarter));
    canvas.paintOutlined(arrows, kWhite);
    return canvas.take();
}

IxImage drawColorCorrect() {
    Canvas canvas(32, 32);
    canvas.paint(unite(circle(16, 11, 8), unite(circle(11, 20, 8), circle(21, 20, 8))), kInk, 1.25f);
    canvas.paint(circle(16, 11, 8), Rgba{240, 60, 60, 210});
    canvas.paint(circle(11, 20, 8), Rgba{60, 220, 80, 210});
    canvas.paint(circle(21, 20, 8), Rgba{70, 110, 255, 210});
    return canvas.take();
}

// A figure lifted off a green screen.
IxImage drawKeyer() {
    Canvas canvas(32, 32);
    canvas.paintOutlined(box(3, 3, 29, 29, 3), Rgba{40, 190, 70});
    canvas.paint(unite(circle(16, 12, 5), intersect(circle(16, 30, 10), box(3, 3, 29, 29, 3))), kWhite);
    return canvas.take();
}

IxImage drawOver() {
    Canvas canvas(32, 32);
    canvas.paintOutlined(stroke(box(3, 3, 19, 19, 1), 2.5f), kLightGrey);
    canvas.paintOutlined(box(12, 12, 29, 29, 1), kBlue);
    return canvas.take();
}

// Two streams joining into one, flowing down.
IxImage drawMerge() {
    Canvas canvas(32, 32);
    const Shape joined = unite(unite(line(6, 4, 16, 15, 3.5f), line(26, 4, 16, 15, 3.5f)),
                               unite(line(16, 15, 16, 23, 3.5f), polygon({{9, 21}, {23, 21}, {16, 30}})));
    canvas.paintOutlined(joined, kWhite);
    return canvas.take();
}

// A monitor on its stand.
IxImage drawOutput() {
    Canvas canvas(32, 32);
    canvas.paintOutlined(unite(line(16, 22, 16, 27, 3), line(10, 28, 22, 28, 3)), kLightGrey);
    canvas.paintOutlined(box(3, 4, 29, 22, 2), kLightGrey);
    canvas.paint(box(6, 7, 26, 19, 1), kBlue);
    return canvas.take();
}

// Three nodes held in one frame.
IxImage drawGroup() {
    Canvas canvas(32, 32);
    canvas.paintOutlined(stroke(box(2.5f, 2.5f, 29.5f, 29.5f, 4), 2.5f), kAmber);
    canvas.paintOutlined(box(7, 8, 15, 14, 1.5f), kWhite);
    canvas.paintOutlined(box(17, 8, 25, 14, 1.5f), kWhite);
    canvas.paintOutlined(box(12, 19, 20, 25, 1.5f), kWhite);
    return canvas.take();
}

// Two links of a chain.
IxImage drawCompLink() {
    Canvas canvas(32, 32);
    const Shape link = stroke(box(0, 10.5f, 18, 21.5f, 5.5f), 3);
    // The second link passes under the first on one side and over it on the other.
    const Shape second = rotated(link, 16, 16, 135);
    canvas.paintOutlined(intersect(second, box(0, 0, 32, 16)), kCyan);
    canvas.paintOutlined(rotated(link, 16, 16, -45), kCyan);
    canvas.paintOutlined(intersect(second, box(0, 16, 32, 32)), kCyan);
    return canvas.take();
}

struct Icon {
    const char* name;
    std::function<IxImage()> draw;
};

const std::vector<Icon>& icons() {
    static const std::vector<Icon> list = {
        {"lock", drawLock},
        {"FootageLink", [] { return drawFootageLink(false); }},
        {"FootageLinkOod", [] { return drawFootageLink(true); }},
        {"CompositionLink", [] { return drawCompositionLink(false); }},
        {"CompositionLinkOod", [] { return drawCompositionLink(true); }},
        {"BrokenComp", drawBrokenComp},
        {"ToggleImage", drawToggleImage},
        {"ToggleIR", drawToggleIR},
        {"Feedback", drawFeedback},
        {"Constant", drawConstant},
        {"Checker", drawChecker},
        {"Ramp", drawRamp},
        {"Read", drawRead},
        {"Blur", drawBlur},
        {"Invert", drawInvert},
        {"Transform", drawTransform},
        {"ColorCorrect", drawColorCorrect},
        {"Keyer", drawKeyer},
        {"Over", drawOver},
        {"Merge", drawMerge},
        {"Output", drawOutput},
        {"Group", drawGroup},
        {"CompLink", drawCompLink},
    };
    return list;
}

std::string iconPath(const std::string& directory, const Icon& icon) {
    return directory + "/" + icon.name + ".tif";
}

int writeIcons(const std::string& directory) {
    for (const Icon& icon : icons()) IxTiffFile::write(iconPath(directory, icon), icon.draw());
    return 0;
}

int checkIcons(const std::string& directory) {
    int stale = 0;
    for (const Icon& icon : icons()) {
        const std::string path = iconPath(directory, icon);
        std::string committed;
        try {
            committed = FileUtil::readFile(path);
        } catch (const ExBadInput&) {
        }
        if (committed != IxTiffFile::encode(icon.draw())) {
            std::printf("%s: differs from a fresh drawing; run make_icons write\n", path.c_str());
            ++stale;
        }
    }
    return stale == 0 ? 0 : 1;
}

void drawTexturedQuad(const IxTile& tile, float x, float y, float height) {
    const float width = height * tile.getWidth() / tile.getHeight();
    auto texture = TxTexFcty::createTexture();
    texture->load(tile);
    texture->bind();
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(x, y);
    glTexCoord2f(1, 0);
    glVertex2f(x + width, y);
    glTexCoord2f(1, 1);
    glVertex2f(x + width, y + height);
    glTexCoord2f(0, 1);
    glVertex2f(x, y + height);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

// Cells of 16, 32 and 64 pixel high copies with the name below, on the default icon background.
int renderSheet(const std::string& pngPath) {
    constexpr int columns = 5, cellWidth = 190, cellHeight = 100;
    const int rows = static_cast<int>((icons().size() + columns - 1) / columns);
    GlHeadlessContext context(columns * cellWidth, rows * cellHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, context.getWidth(), 0, context.getHeight(), -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.314f, 0.314f, 0.314f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    auto font = WsFontRegistry::getFont();
    for (size_t i = 0; i < icons().size(); ++i) {
        const float left = static_cast<float>(i % columns) * cellWidth + 8;
        const float bottom = context.getHeight() - static_cast<float>(i / columns + 1) * cellHeight + 8;
        const IxTile tile(icons()[i].draw());
        float x = left;
        for (float height : {16.0f, 32.0f, 64.0f}) {
            drawTexturedQuad(tile, x, bottom + 20, height);
            x += height * tile.getWidth() / tile.getHeight() + 8;
        }
        glColor4f(1, 1, 1, 1);
        font->drawString(icons()[i].name, left, bottom + 4);
    }
    IxPngFile::writeOpaque(pngPath, context.readPixels());
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: make_icons write DIR | check DIR | sheet OUT.png\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) return usage();
    const std::string command = argv[1];
    try {
        if (command == "write") return writeIcons(argv[2]);
        if (command == "check") return checkIcons(argv[2]);
        if (command == "sheet") return renderSheet(argv[2]);
    } catch (const ExBase& error) {
        std::fprintf(stderr, "make_icons: %s\n", error.getMessage().c_str());
        return 1;
    }
    return usage();
}
