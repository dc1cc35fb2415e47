// The shipped sample compositions and the generator of large ones.
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piCompositionGenerator.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piTool.h"
#include "platform/graph/snSelection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <unordered_map>

using namespace Zv;

namespace {

RCStrongPtr<PiGraph> loadSample(const char* name) {
    return PiCompositionFile::load(std::string(ZV_RESOURCES_DIR) + "/samples/" + name);
}

void forEachNode(const PiGroupNode& group, const std::function<void(const PiNode&)>& visit) {
    for (const auto& member : group.getMembers()) {
        visit(*member);
        if (auto* inner = dynamic_cast<const PiGroupNode*>(member.get())) forEachNode(*inner, visit);
    }
}

// Connected inputs; a multi-valued input counts its values.
int countFedInputs(const PiNode& node) {
    int fed = 0;
    for (const auto& input : node.getInputs()) {
        if (auto* multi = dynamic_cast<const PiMultivaluedInput*>(input.get())) fed += multi->getNbValues();
        else fed += input->isConnected() ? 1 : 0;
    }
    return fed;
}

int countConsumers(const PiNode& node) {
    int consumers = 0;
    for (const auto& output : node.getOutputs()) consumers += output->getNbConnections();
    return consumers;
}

// Inputs fed from the first on; a multi-valued input counts its values.
int countLeadingFedInputs(const PiNode& node) {
    int fed = 0;
    for (const auto& input : node.getInputs()) {
        if (auto* multi = dynamic_cast<const PiMultivaluedInput*>(input.get())) return fed + multi->getNbValues();
        if (!input->isConnected()) break;
        ++fed;
    }
    return fed;
}

bool hasPosition(const PiNode& node) {
    float x = 0, y = 0;
    return PiSchematicInterfaceEx::getXYPosition(node, x, y);
}

// Nodes of the root level in an order where every producer comes before its consumers; shorter
// than the level when there is a cycle.
std::vector<const PiNode*> sortProducersFirst(const PiGraph& graph) {
    std::unordered_map<const PiNode*, int> waiting;
    std::vector<const PiNode*> order;
    for (const auto& node : graph.getRootGroup()->getMembers()) {
        waiting[node.get()] = countFedInputs(*node);
        if (waiting[node.get()] == 0) order.push_back(node.get());
    }
    for (size_t next = 0; next < order.size(); ++next)
        for (const auto& output : order[next]->getOutputs())
            for (const PiInput* input : output->getConnections()) {
                const PiNode* consumer = input->getTopInput().getNodePtr();
                if (--waiting[consumer] == 0) order.push_back(consumer);
            }
    return order;
}

void expectGeneratedShape(const PiGraph& graph, const PiCompositionGenerator::Stats& stats, int nbNodes) {
    SCOPED_TRACE(nbNodes);
    ASSERT_EQ(graph.getNbNodes(), nbNodes);
    EXPECT_EQ(stats.nbNodes, nbNodes);
    EXPECT_EQ(static_cast<int>(sortProducersFirst(graph).size()), nbNodes) << "cycle";
    int links = 0, outputs = 0, sharedNodes = 0;
    for (const auto& node : graph.getRootGroup()->getMembers()) {
        links += countFedInputs(*node);
        EXPECT_LE(countFedInputs(*node), 4) << node->getName().str();
        // Every input the generator opened is fed: fan-in nodes have at least two, others their
        // first; a budget of one node is a lone output.
        const LiString& tool = node->getToolRef().getToolName();
        int opened = nbNodes == 1 ? 0 : tool == "Merge" || tool == "Over" ? 2 : std::min(1, node->getNbInputs());
        EXPECT_GE(countLeadingFedInputs(*node), opened) << node->getName().str();
        EXPECT_FALSE(hasPosition(*node)) << node->getName().str();
        bool isOutput = node->getToolRef().getToolName() == "Output";
        outputs += isOutput ? 1 : 0;
        // Sources and filters always feed something; only outputs end trees.
        EXPECT_EQ(countConsumers(*node) == 0, isOutput) << node->getName().str();
        sharedNodes += countConsumers(*node) > 1 ? 1 : 0;
    }
    EXPECT_EQ(links, stats.nbLinks);
    EXPECT_EQ(outputs, stats.nbOutputs);
    EXPECT_EQ(sharedNodes, stats.nbSecondConsumers);
}

} // namespace

TEST(Samples, LoadWithTheFeaturesTheyShow) {
    RCStrongPtr<PiGraph> small = loadSample("default.xml");
    int placed = 0;
    forEachNode(*small->getRootGroup(), [&](const PiNode& node) { placed += hasPosition(node) ? 1 : 0; });
    EXPECT_EQ(small->getNbNodes(), 8);
    EXPECT_GT(placed, 0);
    EXPECT_LT(placed, 8);

    RCStrongPtr<PiGraph> composite = loadSample("composite.xml");
    std::map<std::string, int> features;
    forEachNode(*composite->getRootGroup(), [&](const PiNode& node) {
        if (dynamic_cast<const PiGroupNode*>(&node))
            ++features[PiSchematicInterfaceEx::isVisualGroup(node) ? "visual group" : "group"];
        int fed = countFedInputs(node);
        if (node.getToolRef().getToolName() == "Merge" && fed >= 3) ++features["merge of three"];
        if (node.getToolRef().getToolName() == "Keyer" && countConsumers(node) > 0) ++features["key"];
        if (PiNodeUtils::hasStoredValue(node, PiNodeUtils::C_VALUE, PiNodeUtils::COLLAPSED)) ++features["collapsed"];
        if (PiNodeUtils::hasStoredValue(node, PiNodeUtils::C_VALUE, PiNodeUtils::HIDDEN)) ++features["hidden"];
    });
    EXPECT_GE(composite->getNbNodes(), 20);
    for (const char* feature : {"group", "visual group", "merge of three", "key", "collapsed", "hidden"})
        EXPECT_GT(features[feature], 0) << feature;
    EXPECT_EQ(composite->getSelection()->getNbItems(), 1);
}

TEST(GeneratedComposition, HasTheShapeOfRealOnesAtEverySize) {
    // Small budgets end trees in every way the budget allows.
    for (int nbNodes = 1; nbNodes <= 3000; nbNodes += nbNodes < 200 ? 1 : 700) {
        PiCompositionGenerator generator(static_cast<uint64_t>(nbNodes));
        RCStrongPtr<PiGraph> graph = generator.generate(nbNodes);
        expectGeneratedShape(*graph, generator.getStats(), nbNodes);
    }
    PiCompositionGenerator generator(7);
    RCStrongPtr<PiGraph> graph = generator.generate(20000);
    const auto& stats = generator.getStats();
    EXPECT_NEAR(stats.nbSecondConsumers, 2000, 500);
    EXPECT_GT(stats.nbOutputs, 10);
    // Widest fan-in and longest run of one-input filters, producers first.
    int widest = 0, longest = 0;
    std::unordered_map<const PiNode*, int> run;
    for (const PiNode* node : sortProducersFirst(*graph)) {
        widest = std::max(widest, countFedInputs(*node));
        bool isFilter = node->getNbInputs() == 1 && node->getNbOutputs() == 1 && !node->getInput(0)->isComposite();
        run[node] = isFilter ? run[node->getInput(0)->getOutput()->getNodePtr()] + 1 : 0;
        longest = std::max(longest, run[node]);
    }
    EXPECT_EQ(widest, 4);
    EXPECT_GE(longest, 20);
}

TEST(GeneratedComposition, SameSeedWritesTheSameFile) {
    auto text = [](uint64_t seed) { return PiCompositionFile::saveText(*PiCompositionGenerator(seed).generate(500)); };
    const std::string first = text(3);
    EXPECT_EQ(text(3), first);
    EXPECT_NE(text(4), first);
    RCStrongPtr<PiGraph> loaded = PiGraph::create();
    PiCompositionFile::loadText(loaded, first, "generated.xml");
    EXPECT_EQ(PiCompositionFile::saveText(*loaded), first);
}
