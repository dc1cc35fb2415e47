// Every shipped node description, for every tool, orientation and a few socket counts: links attach
// just outside their own tab, and sockets read left to right or top to bottom.
#include "tests/support/nodeTestSupport.h"
#include "tests/support/viewSingletons.h"
#include "views/schematic/src/scBasicConnections.h"
#include "views/schematic/src/scFanConnectionSet.h"

#include "platform/graph/piGroupNode.h"
#include "platform/graph/piSchematicInterface.h"
#include "platform/graph/piTool.h"
#include "platform/graph/piToolRegistry.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Zv;
using namespace Zv::NodeTest;
using Zv::TestSupport::nodeFactory;

namespace {

// Boundary nodes exist only inside a group.
RCStrongPtr<PiNode> createProcessingNode(PiGraph& graph, const PiTool& tool) {
    if (tool.getKind() != PiTool::Boundary) return graph.createNode(tool.getToolName(), graph.getRootGroup());
    const auto group = rcCheckedCast<PiGroupNode>(graph.createNode("Group", graph.getRootGroup()));
    const bool isOutput = tool.getToolName() == PiToolRegistry::kGroupOutputTool;
    return group->getBoundaryNode(*graph.addGroupSocket(group, "Socket", isOutput));
}

// Link ends of one side: each lies just outside the tab the node picks for that socket, in reading order.
void expectOnTheirOwnTabs(ScCustomNode& node, bool isInput, int count) {
    const ScConnectionSet* set = isInput ? node.getInputSet() : node.getOutputSet();
    const bool ownTabs = set->getNbConnections() == count;
    const ScPart part = isInput ? ScPart::Input : ScPart::Output;
    std::vector<GePoint2f> points;
    for (int i = 0; i < count; ++i)
        points.push_back(isInput ? node.getInputConnectionPoint(i, 0) : node.getOutputConnectionPoint(i, 0));
    // Flowing right, sockets read downwards; otherwise left to right.
    const auto along = [&](const GePoint2f& p) { return node.getOrientation() == ScOrientation::Right ? -p.y : p.x; };
    for (int i = 1; i < count; ++i) {
        if (ownTabs) EXPECT_GT(along(points[i]), along(points[i - 1]) + 1.0f) << "socket " << i << " out of order";
        else EXPECT_EQ(points[i], points[0]) << "sockets past a one-tab set share its tab";
    }
    if (dynamic_cast<const ScFanConnectionSet*>(set)) {
        // The branches hang off the stem, which stands on the middle of the tab.
        GePoint2f stem(0, 0);
        for (const GePoint2f& p : points) stem = stem + (p - GePoint2f(0, 0)) / static_cast<float>(count);
        EXPECT_EQ(pickAt(node, stem - set->getConnectionNormal(0) * 19.5f).part, part);
        return;
    }
    for (int i = 0; i < count; ++i) {
        // The point is 6 out from the box, on the tab's outer edge: 3 back in is the middle of the band.
        int k = 0;
        while (k < set->getNbConnections() && set->getConnectionPoint(k) != points[i]) ++k;
        ASSERT_LT(k, set->getNbConnections()) << "socket " << i << " attaches where no tab of its set does";
        const Hit hit = pickAt(node, points[i] - set->getConnectionNormal(k) * 3.0f);
        EXPECT_TRUE(hit.hit && hit.part == part && (!ownTabs || hit.index == i))
            << "socket " << i << " picks part " << toInt(hit.part) << " index " << hit.index;
    }
}

} // namespace

TEST(ShippedDescriptions, LinksAttachOnTheirOwnTabsInReadingOrder) {
    nodeFactory();
    const RCStrongPtr<PiGraph> graph = PiGraph::create("Shipped");
    for (const auto& tool : PiToolRegistry::getInstance().getTools()) {
        for (int orientation = 0; orientation < 3; ++orientation) {
            const std::string name =
                tool->getToolName().str() + PiSchematicInterface::getOrientationSuffix(orientation);
            ASSERT_TRUE(std::filesystem::exists(std::string(ZV_RESOURCES_DIR) + "/nodes/" + name + ".xml")) << name;
            for (int count : {1, 2, 3, 5}) {
                SCOPED_TRACE(name + " with " + std::to_string(count) + " sockets a side");
                const RCStrongPtr<ScNode> built =
                    nodeFactory().createNode(createProcessingNode(*graph, *tool), toScCode<ScOrientation>(orientation));
                auto* node = dynamic_cast<ScCustomNode*>(built.get());
                if (!node) continue;
                node->setPosition({300.0f, -200.0f});
                const ScConnectionSet* inputs = node->getInputSet();
                // A masking set needs its mask and one more.
                const bool masking = dynamic_cast<const ScRoundedConnectionSetWithMasking*>(inputs);
                const int nbInputs = inputs && !(masking && count < 2) ? count : 0;
                const int nbOutputs = node->getOutputSet() ? count : 0;
                addSockets(*node, nbInputs, nbOutputs);
                if (nbInputs) expectOnTheirOwnTabs(*node, true, nbInputs);
                if (nbOutputs) expectOnTheirOwnTabs(*node, false, nbOutputs);
            }
        }
    }
}
