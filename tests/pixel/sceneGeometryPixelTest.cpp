// Boxes with every kind of connection set, linked in every style, rendered on the software GL and
// compared with a reference picture. Set ZV_UPDATE_REFERENCES=1 to write the reference again.
#include "views/schematic/src/scBasicConnections.h"
#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scEdge.h"
#include "views/schematic/src/scFanConnectionSet.h"

#include "platform/ui/headless/glHeadlessContext.h"
#include "platform/ui/ixPngFile.h"
#include "platform/ui/wsFont.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace Zv;
using S = ScRoundedBox::SubSectionType;

namespace {

constexpr int kWidth = 640, kHeight = 360;

// A node with an input set on top and an output set below, flowing downwards.
class SetNode : public ScNode {
public:
    SetNode(GePoint2f centre, std::unique_ptr<ScConnectionSet> inputs, int nbInputs,
            std::unique_ptr<ScConnectionSet> outputs, int nbOutputs)
        : ScNode(ScOrientation::Down),
          _box({centre.x - 52.5f, centre.x + 52.5f, centre.y - 12.5f, centre.y + 12.5f}, 8.0f),
          _inputs(std::move(inputs)), _outputs(std::move(outputs)) {
        setPosition(centre);
        for (ScConnectionSet* set : {_inputs.get(), _outputs.get()}) set->setAnchorRBox(&_box);
        _inputs->setNbConnections(nbInputs);
        _outputs->setNbConnections(nbOutputs);
    }
    void getSize(GeVector2f& out) const override { out = getBaseSize(); }
    void drawDecorations(ScDrawContext& ctx, float alpha) override {
        ctx.setState(ScDrawContext::SmoothLines);
        ctx.setColor(GroupTopBlend, alpha);
        glBegin(GL_POLYGON);
        for (int i = 0; i < 64; ++i) {
            const GePoint2f p = _box.getPoint(_box.getOffsetPosCW({S::Upper, 0.0f}, _box.getArcLength() * i / 64.0f));
            glVertex2f(p.x, p.y);
        }
        glEnd();
        _inputs->draw(ctx, alpha);
        _outputs->draw(ctx, alpha);
    }
    void drawHighlight(ScDrawContext&, float) override {}
    bool pickSocket(const GePoint2f&, bool, int&, ScPart&) override { return false; }
    GePoint2f getInputConnectionPoint(int i, int) const override { return _inputs->getConnectionPoint(i); }
    GePoint2f getOutputConnectionPoint(int i, int fan) const override {
        return _outputs->getConnectionPoint(dynamic_cast<ScFanConnectionSet*>(_outputs.get()) ? fan : i);
    }
    GeVector2f getInputDirection(int i) const override { return getSocketDirection(*_inputs, i, true); }
    GeVector2f getOutputDirection(int i) const override { return getSocketDirection(*_outputs, i, false); }
    ScConnectionSet& outputs() { return *_outputs; }

private:
    ScRoundedBox _box;
    std::unique_ptr<ScConnectionSet> _inputs, _outputs;
};

using Pos = ScRoundedBox::EdgePos;
const Pos kTopStart(S::UpperLeft, 0.5f), kTopEnd(S::UpperRight, 0.5f);
const Pos kBottomStart(S::Lower, 0.3f), kBottomEnd(S::Lower, 0.7f);

template <class Set, class... Extra>
std::unique_ptr<ScConnectionSet> top(Extra... extra) {
    return std::make_unique<Set>(extra..., kTopStart, kTopEnd, nullptr);
}
template <class Set>
std::unique_ptr<ScConnectionSet> bottom() {
    return std::make_unique<Set>(kBottomStart, kBottomEnd, nullptr);
}

IxImage render() {
    GlHeadlessContext context(kWidth, kHeight);
    const ScColorTable colors = ScDrawContext::readShippedColorTable();
    ScDrawContext::beginFrame(GeRectangle<float>(0.0f, float(kWidth), 0.0f, float(kHeight)), kWidth, kHeight, colors);
    ScDrawContext ctx(nullptr, RCShdPtr<WsFont>(), RCShdPtr<WsFont>(), 1.0f, colors, 1.0f);

    std::vector<RCStrongPtr<SetNode>> nodes = {
        makeRC<SetNode>(GePoint2f(90, 300), top<ScSquareConnectionSet>(), 3, bottom<ScFanConnectionSet>(), 3),
        makeRC<SetNode>(GePoint2f(320, 300), top<ScRoundedConnectionSet>(), 4, bottom<ScRoundedConnectionSet>(), 2),
        makeRC<SetNode>(GePoint2f(550, 300), top<ScRoundedConnectionSetWithMasking>(ScOrientation::Right), 3,
                        bottom<ScIconConnectionSet>(), 1),
        makeRC<SetNode>(GePoint2f(90, 80), top<ScSimpleConnectionSet>(), 2, bottom<ScSquareConnectionSet>(), 1),
        makeRC<SetNode>(GePoint2f(320, 80), top<ScRoundedConnectionSetWithMasking>(ScOrientation::Down), 2,
                        bottom<ScSimpleConnectionSet>(), 1),
        makeRC<SetNode>(GePoint2f(550, 80), top<ScSquareConnectionSet>(), 2, bottom<ScRoundedConnectionSet>(), 1),
    };
    nodes[1]->outputs().setHighlighted(1, true);
    nodes[0]->outputs().setHighlighted(1, true);
    std::vector<RCStrongPtr<ScEdge>> edges = {
        makeRC<ScEdge>(nodes[0], 0, 0, nodes[3], 0, 0, 0), makeRC<ScEdge>(nodes[0], 0, 1, nodes[4], 0, 0, 0),
        makeRC<ScEdge>(nodes[0], 0, 2, nodes[5], 0, 0, 0), makeRC<ScEdge>(nodes[1], 0, 0, nodes[4], 1, 0, 0),
        makeRC<ScEdge>(nodes[1], 1, 0, nodes[5], 1, 0, 0), makeRC<ScEdge>(nodes[2], 0, 0, nodes[3], 0, 0, 0),
        makeRC<ScEdge>(nodes[3], 0, 0, nodes[1], 2, 0, 0),
    };
    const ScLinkStyle styles[] = {ScLinkStyle::Curved, ScLinkStyle::Angular, ScLinkStyle::Straight,
                                  ScLinkStyle::Curved, ScLinkStyle::Angular, ScLinkStyle::Straight,
                                  ScLinkStyle::Curved};
    edges[3]->setSelected(true);
    edges[4]->setHighlighted(true);
    for (size_t i = 0; i < edges.size(); ++i) edges[i]->draw(ctx, styles[i]);
    for (const auto& node : nodes) node->drawDecorations(ctx, 1.0f);
    nodes[4]->outputs().drawInsertArrow(ctx, 1.0f);
    glFinish();
    return context.readPixels();
}

} // namespace

TEST(SceneGeometryPixels, SetsAndLinksMatchTheReference) {
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    const std::string reference = std::string(ZV_TEST_DATA_DIR) + "/sceneGeometry.png";
    IxImage image = render();
    const char* update = std::getenv("ZV_UPDATE_REFERENCES");
    if ((update && *update == '1') || !std::filesystem::exists(reference)) {
        IxPngFile::writeOpaque(reference, image);
        GTEST_SKIP() << "reference written to " << reference << "; look at it before committing";
    }
    const IxImage expected = IxPngFile::read(reference);
    ASSERT_EQ(expected.width, image.width);
    ASSERT_EQ(expected.height, image.height);
    // Rasterisers may differ in an edge pixel or two; a real change moves many.
    int different = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            for (int c = 0; c < 3; ++c)
                if (std::abs(image.at(x, y)[c] - expected.at(x, y)[c]) > 24) {
                    ++different;
                    break;
                }
    EXPECT_LE(different, image.width * image.height / 1000) << "pixels differing from " << reference;
}
