#include "engineTest.h"

#include "platform/engine/piTopologyInterface.h"
#include "platform/engine/pxRequestMgr.h"
#include "platform/graph/piSocketUtil.h"

namespace Zv {

EngineTest::EngineTest() : _graph(PiGraph::create()) {}

RCStrongPtr<PiNode> EngineTest::add(const char* tool, const char* name, const RCStrongPtr<PiGroupNode>& group) {
    return _graph->createNode(tool, group ? group : _graph->getRootGroup(), name);
}

void EngineTest::link(const RCStrongPtr<PiNode>& from, const RCStrongPtr<PiNode>& to, int input) {
    _graph->connect(from->getOutput(0), to->getInput(input));
}

void EngineTest::setText(const RCStrongPtr<PiNode>& node, const char* key, const std::string& text) {
    _graph->setText(node, key, text);
}

RCStrongPtr<PxImageNode> EngineTest::imageOf(const RCStrongPtr<PiNode>& node) const {
    RCStrongPtr<PxImageNode> image;
    image.dynamicAssign(
        PiTopologyInterface::getInterface(node)->getOutputProcNode(PiSocketUtil::getPrimaryOutput(*node)));
    return image;
}

PxImageMultiTileRequest::Results EngineTest::render(const RCStrongPtr<PiNode>& node, double time) const {
    auto request = makeRC<PxImageMultiTileRequest>(imageOf(node), 0, PxTimeInfo{time}, 128, 96, nullptr);
    PxRequestMgr::getInstance().submit(request);
    EXPECT_TRUE(PxRequestMgr::getInstance().waitUntilIdle(30));
    return request->getResults();
}

IxTile EngineTest::picture(const RCStrongPtr<PiNode>& node, double time) const {
    PxImageMultiTileRequest::Results results = render(node, time);
    EXPECT_TRUE(results.computable) << results.reason;
    return PxImageMultiTileRequest::assembleTiles(results);
}

Rgba meanOf(const IxTile& tile) {
    Rgba sum{};
    const IxImage& image = tile.getImage();
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            for (int c = 0; c < 4; ++c) sum[c] += image.at(x, y)[c];
    for (float& channel : sum) channel /= 255.0f * image.width * image.height;
    return sum;
}

Rgba pixelOf(const IxTile& tile, int x, int y) {
    const uint8_t* pixel = tile.getImage().at(x, y);
    return {pixel[0] / 255.0f, pixel[1] / 255.0f, pixel[2] / 255.0f, pixel[3] / 255.0f};
}

} // namespace Zv
