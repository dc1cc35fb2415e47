// Random edit sequences over every edit the graph offers, on the samples and on generated
// compositions: each entry undoes to the file saved before it and redoes to the one after it, byte
// for byte, failing scopes change nothing, and an observer following the hints stays in step.
// ZV_RANDOM_EDIT_SEQUENCES sets how many sequences run.
#include "platform/base/obObserver.h"
#include "platform/base/xmlWriter.h"
#include "platform/graph/cmUndoGuard.h"
#include "platform/graph/omCompositionActions.h"
#include "platform/graph/omGraphEx.h"
#include "platform/graph/omGraphHint.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piCompositionGenerator.h"
#include "platform/graph/piCompositionUtils.h"
#include "platform/graph/piGraphUtils.h"
#include "platform/graph/piGroupUtils.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSnItemUtil.h"
#include "platform/graph/piUndoGuard.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>

using namespace Zv;

namespace {

using Nodes = std::vector<RCStrongPtr<PiNode>>;

// What an observer can read of a node: name, level, values, sockets and which outputs feed them.
std::string describe(const PiNode& node) {
    std::ostringstream text;
    text << node.getName().str() << " in " << node.getGroupPtr()->getId();
    for (PiValueKind kind :
         {PiValueKind::Position, PiValueKind::NodeColor, PiValueKind::Thumbnail, PiValueKind::VisualGroup,
          PiValueKind::VisualGroupLock, PiValueKind::Mute, PiValueKind::KeyframeMark})
        if (PiValueData data = node.getValue(kind); data.isSet)
            text << " " << static_cast<int>(kind) << "=" << data.v[0] << "," << data.v[1] << "," << data.v[2];
    for (const LiString& key : node.getStoredKeys())
        text << " " << key.str() << "=" << node.getValue(PiValueKind::Stored, key).v[0];
    for (const LiString& key : node.getTextKeys()) text << " " << key.str() << ":" << node.getText(key).str();
    for (const PiNodeAnchor& anchor : node.getAnchors()) text << " @" << anchor.name.str() << "/" << anchor.type.str();
    auto source = [&](const PiInput& input) {
        RCStrongPtr<PiOutput> output = input.getOutput();
        if (output.isNull()) text << " -";
        else text << " " << output.get();
    };
    for (const auto& input : node.getInputs()) {
        text << " <" << input->getName().str();
        if (auto* multi = dynamic_cast<const PiMultivaluedInput*>(input.get()))
            for (const auto& value : multi->getValues()) source(*value);
        else source(*input);
    }
    for (const auto& output : node.getOutputs()) text << " >" << output->getName().str();
    return text.str();
}

Nodes liveNodes(const PiGraph& graph) {
    Nodes nodes;
    PiGroupUtils::walkTree(
        *graph.getRootGroup(),
        [&](PiNode& node) {
            if (&node != graph.getRootGroup().get()) nodes.emplace_back(&node);
            return true;
        },
        [](PiNode&) {});
    return nodes;
}

// Knows the graph only from its hints: a node is described again when a hint names it or one of
// its sockets.
struct HintMirror : ObObserver {
    std::map<const PiNode*, std::string> nodes;

    explicit HintMirror(const PiGraph& graph) {
        for (const auto& node : liveNodes(graph)) refresh(node.get());
    }
    void update(const ObHints& hints) override {
        for (const auto& hint : hints.getContainer()) {
            if (auto* removed = dynamic_cast<OmGraphHint::NodeRemoved*>(hint.get()))
                nodes.erase(removed->getNode().get());
            else if (auto* node = dynamic_cast<OmGraphHint::NodeHint*>(hint.get())) refresh(node->getNode().get());
            else if (auto* value = dynamic_cast<OmGraphHint::ValueChanged*>(hint.get()))
                refresh(value->getNode().get());
            else if (auto* socket = dynamic_cast<OmGraphHint::SocketHint*>(hint.get()))
                refresh(socket->getSocket()->getNodePtr());
            else if (auto* link = dynamic_cast<OmGraphHint::LinkHint*>(hint.get()))
                refresh(link->getInput()->getNodePtr());
        }
    }
    void refresh(const PiNode* node) {
        if (node && node->isLive()) nodes[node] = describe(*node);
    }
    void expectInStep(const PiGraph& graph) const {
        Nodes live = liveNodes(graph);
        ASSERT_EQ(nodes.size(), live.size());
        for (const auto& node : live) {
            auto found = nodes.find(node.get());
            ASSERT_NE(found, nodes.end()) << describe(*node);
            ASSERT_EQ(found->second, describe(*node));
        }
    }
};

// Writes a colour through the model in its steps, as the view's commands do.
struct ColorCmd : CmCommand {
    RCStrongPtr<PiNode> node;
    PiValueData color, former;
    ColorCmd(RCStrongPtr<PiNode> n, PiValueData c) : node(std::move(n)), color(c) {}
    LiString getName() const override { return "Color"; }
    void doIt() override {
        former = node->getValue(PiValueKind::NodeColor);
        node->getGraph()->setValue(node, PiValueKind::NodeColor, {}, color);
    }
    void undoIt() override { node->getGraph()->setValue(node, PiValueKind::NodeColor, {}, former); }
};

struct Refused : std::runtime_error {
    Refused() : std::runtime_error("refused") {}
};

class RandomEditor {
public:
    RandomEditor(RCStrongPtr<PiGraph> graph, uint64_t seed) : _graph(std::move(graph)), _state(seed) {}

    // One edit of a random kind; may raise OmGraphEx when the model refuses it.
    void edit() {
        using Edit = void (RandomEditor::*)();
        static const Edit kEdits[] = {
            &RandomEditor::create,     &RandomEditor::remove,     &RandomEditor::rename,     &RandomEditor::move,
            &RandomEditor::connect,    &RandomEditor::connect,    &RandomEditor::disconnect, &RandomEditor::setValue,
            &RandomEditor::setStored,  &RandomEditor::setText,    &RandomEditor::setAnchors, &RandomEditor::addSocket,
            &RandomEditor::editSocket, &RandomEditor::groupNodes, &RandomEditor::ungroup,    &RandomEditor::nodeAction,
            &RandomEditor::paste,      &RandomEditor::command,    &RandomEditor::collapse};
        (this->*kEdits[below(static_cast<int>(std::size(kEdits)))])();
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }

private:
    uint64_t next() {
        uint64_t z = (_state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    template <class T>
    T pick(const std::vector<T>& items) {
        return items.empty() ? T() : items[below(static_cast<int>(items.size()))];
    }
    template <class T>
    std::vector<T> someOf(const std::vector<T>& items) {
        std::vector<T> chosen;
        for (int i = below(3); i >= 0 && !items.empty(); --i) chosen.push_back(pick(items));
        return chosen;
    }
    LiString name() { return pick(std::vector<LiString>{"A", "Plate", "Key 2", "Blur1", ""}); }
    static bool isBoundary(const RCStrongPtr<PiNode>& node) { return dynamic_cast<PiBoundaryNode*>(node.get()); }
    Nodes nodes(bool boundaries) {
        Nodes all = liveNodes(*_graph);
        if (!boundaries) std::erase_if(all, isBoundary);
        return all;
    }
    std::vector<RCStrongPtr<PiGroupNode>> groups(bool withRoot) {
        std::vector<RCStrongPtr<PiGroupNode>> found;
        if (withRoot) found.push_back(_graph->getRootGroup());
        for (const auto& node : nodes(false))
            if (auto* group = dynamic_cast<PiGroupNode*>(node.get())) found.emplace_back(group);
        return found;
    }
    static RCShdPtr<SnSelection> selectionOf(const Nodes& chosen) {
        SnSelection::Items items;
        for (const auto& node : chosen) items.push_back(PiSnItemUtil::create(node));
        return SnSelection::create(items);
    }
    // The inputs of a level's nodes, each value of a multi-valued input too, and their outputs.
    void socketsOf(const PiGroupNode& group, std::vector<RCStrongPtr<PiInput>>& inputs,
                   std::vector<RCStrongPtr<PiOutput>>& outputs) {
        for (const auto& member : group.getMembers()) {
            for (const auto& input : member->getInputs()) {
                inputs.push_back(input);
                if (auto* multi = dynamic_cast<PiMultivaluedInput*>(input.get()))
                    inputs.insert(inputs.end(), multi->getValues().begin(), multi->getValues().end());
            }
            outputs.insert(outputs.end(), member->getOutputs().begin(), member->getOutputs().end());
        }
    }

    void create() {
        static const std::vector<LiString> kTools = {"Constant", "Read",       "Blur",  "ColorCorrect",
                                                     "Keyer",    "Over",       "Merge", "Merge",
                                                     "Output",   "Expression", "Group", "CompLink"};
        _graph->createNode(pick(kTools), pick(groups(true)), name());
    }
    void remove() {
        if (auto node = pick(nodes(true))) _graph->removeNode(node);
    }
    void rename() {
        if (auto node = pick(nodes(true))) _graph->renameNode(node, name().isEmpty() ? LiString("Unnamed") : name());
    }
    void move() {
        if (auto node = pick(nodes(false))) _graph->moveNode(node, pick(groups(true)));
    }
    void connect() {
        std::vector<RCStrongPtr<PiInput>> inputs;
        std::vector<RCStrongPtr<PiOutput>> outputs;
        socketsOf(*pick(groups(true)), inputs, outputs);
        if (!inputs.empty() && !outputs.empty()) _graph->connect(pick(outputs), pick(inputs));
    }
    void disconnect() {
        std::vector<RCStrongPtr<PiInput>> inputs;
        std::vector<RCStrongPtr<PiOutput>> outputs;
        for (const auto& group : groups(true)) socketsOf(*group, inputs, outputs);
        std::erase_if(inputs, [](const auto& input) { return !input->isConnected() && !input->isComposite(); });
        if (auto input = pick(inputs)) _graph->disconnect(input);
    }
    void setValue() {
        RCStrongPtr<PiNode> node = pick(nodes(true));
        if (node.isNull()) return;
        std::vector<PiValueKind> kinds = {PiValueKind::Position, PiValueKind::NodeColor, PiValueKind::Thumbnail,
                                          PiValueKind::VisualGroupLock, PiValueKind::KeyframeMark};
        if (dynamic_cast<PiGroupNode*>(node.get())) kinds.push_back(PiValueKind::VisualGroup);
        if (node->getToolRef().getKind() == PiTool::Modifier) kinds.push_back(PiValueKind::Mute);
        float a = static_cast<float>(below(5)) * 0.5f, b = static_cast<float>(below(3));
        PiValueData data = below(4) == 0 ? PiValueData() : PiValueData::of(a, b, a + b);
        PiValueKind kind = pick(kinds);
        if (kind != PiValueKind::Position && kind != PiValueKind::NodeColor && data.isSet)
            data = PiValueData::of(1 + below(2));
        _graph->setValue(node, kind, {}, data);
    }
    void setStored() {
        if (auto node = pick(nodes(true))) {
            LiString key = pick(std::vector<LiString>{"A", "B", "C", PiNodeUtils::C_VALUE});
            if (below(3) == 0) PiNodeUtils::removeStoredValue(node, key);
            else PiNodeUtils::setStoredValue(node, key, below(4));
        }
    }
    void setText() {
        if (auto node = pick(nodes(true)))
            _graph->setText(node, pick(std::vector<LiString>{"Note", "File", "Link"}),
                            pick(std::vector<LiString>{"", "a.tif", "shots/b.xml"}));
    }
    void setAnchors() {
        if (auto node = pick(nodes(true))) {
            std::vector<PiNodeAnchor> anchors = node->getAnchors();
            if (!anchors.empty() && below(2) == 0)
                anchors.erase(anchors.begin() + below(static_cast<int>(anchors.size())));
            else anchors.insert(anchors.begin() + below(static_cast<int>(anchors.size()) + 1), {name(), "Corner"});
            _graph->setAnchors(node, anchors);
        }
    }
    void addSocket() {
        std::vector<RCStrongPtr<PiGroupNode>> found = groups(false);
        if (!found.empty()) _graph->addGroupSocket(pick(found), name(), below(2) == 0);
    }
    void editSocket() {
        RCStrongPtr<PiGroupNode> group = pick(groups(false));
        if (group.isNull()) return;
        std::vector<RCStrongPtr<PiSocket>> sockets(group->getInputs().begin(), group->getInputs().end());
        sockets.insert(sockets.end(), group->getOutputs().begin(), group->getOutputs().end());
        if (RCStrongPtr<PiSocket> socket = pick(sockets)) {
            if (below(2) == 0) _graph->removeGroupSocket(socket);
            else _graph->renameGroupSocket(socket, name());
        }
    }
    void groupNodes() {
        const Nodes& members = pick(groups(true))->getMembers();
        OmCompositionActions::executeGroupNodesAction({}, selectionOf(someOf(members)));
    }
    void ungroup() {
        if (auto node = pick(nodes(false))) OmCompositionActions::executeUngroupNodesAction({}, selectionOf({node}));
    }
    void nodeAction() {
        auto chosen = selectionOf(someOf(nodes(true)));
        switch (below(4)) {
        case 0: OmCompositionActions::executeRemoveNodeAction({}, chosen); break;
        case 1: OmCompositionActions::executeMuteNodeAction({}, chosen); break;
        case 2: OmCompositionActions::executeUnmuteNodeAction({}, chosen); break;
        default: OmCompositionActions::executeResetNodeAction({}, chosen); break;
        }
    }
    void paste() {
        Nodes copied = someOf(pick(groups(true))->getMembers());
        XmlWriter writer;
        PiGraphUtils::archiveNodes(copied, writer);
        PiGraphUtils::unarchiveNodes(writer.str(), "clipboard", pick(groups(true)));
    }
    void command() {
        if (auto node = pick(nodes(true))) {
            CmUndoGuard guard(_graph->getCommandStack(), "Color");
            guard.execAndAddUndoCommand(makeRC<ColorCmd>(node, PiValueData::of(0.5f, static_cast<float>(below(2)), 1)));
        }
    }
    void collapse() {
        if (auto node = pick(nodes(false))) {
            Nodes list;
            PiNodeUtils::collapseNodeTree(node, 1, below(2), PiNodeUtils::HIDDEN, list);
            if (below(2) == 0) PiCompositionUtils::setLink(node, "shots/c.xml", PiComposition::FootageRole);
        }
    }

    RCStrongPtr<PiGraph> _graph;
    uint64_t _state;
};

RCStrongPtr<PiGraph> startingGraph(uint64_t seed) {
    switch (seed % 3) {
    case 0: return PiCompositionFile::load(std::string(ZV_RESOURCES_DIR) + "/samples/default.xml");
    case 1: return PiCompositionFile::load(std::string(ZV_RESOURCES_DIR) + "/samples/composite.xml");
    default: return PiCompositionGenerator(seed).generate(20 + static_cast<int>(seed % 60));
    }
}

// One sequence: random steps, each an edit, a few edits in one scope, a failing scope, or undo
// and redo of earlier entries; then undo all and redo all.
class EditSequence {
public:
    explicit EditSequence(uint64_t seed) : _graph(startingGraph(seed)), _editor(_graph, seed), _mirror(*_graph) {
        _graph->attachObserver(&_mirror);
        _history.push_back(save());
    }
    ~EditSequence() { _graph->detachObserver(&_mirror); }

    void run(int nbSteps) {
        for (int step = 0; step < nbSteps && !::testing::Test::HasFailure(); ++step) {
            SCOPED_TRACE("step " + std::to_string(step));
            if (_editor.below(6) == 0) undoAndRedo();
            else edit();
        }
        while (_graph->getCommandStack().canUndo() && !::testing::Test::HasFailure()) stepBack();
        while (_graph->getCommandStack().canRedo() && !::testing::Test::HasFailure()) stepForward();
    }

private:
    std::string save() const { return PiCompositionFile::saveText(*_graph); }

    void edit() {
        const std::string before = save();
        CmCommandStack& stack = _graph->getCommandStack();
        const int entries = stack.getNbUndoEntries();
        const size_t batches = _mirror.nbBatches;
        const int kind = _editor.below(8);
        try {
            PiUndoGuard guard(stack, "Step");
            // A scope that fails after its edit.
            if (kind == 0) {
                _editor.edit();
                throw Refused();
            }
            // Several edits in one entry, each failing on its own.
            for (int i = kind == 1 ? 3 : 1; i > 0; --i) {
                try {
                    PiUndoGuard inner(stack, "Inner");
                    _editor.edit();
                } catch (const OmGraphEx&) {
                }
            }
        } catch (const OmGraphEx&) {
        } catch (const Refused&) {
        }
        _mirror.expectInStep(*_graph);
        const int added = stack.getNbUndoEntries() - entries;
        const size_t sent = _mirror.nbBatches - batches;
        const std::string after = save();
        // One entry and one batch for a change; a command may record an entry that changes nothing.
        ASSERT_TRUE(added == 1 || (added == 0 && after == before)) << "a change without one undo entry";
        EXPECT_LE(sent, static_cast<size_t>(added));
        EXPECT_TRUE(after == before || sent == 1) << sent << " batches for one change";
        if (added == 0) return;
        EXPECT_EQ(stack.getNbRedoEntries(), 0);
        _history.resize(static_cast<size_t>(entries) + 1);
        _history.push_back(after);
    }
    void undoAndRedo() {
        for (int i = _editor.below(3); i >= 0 && _graph->getCommandStack().canUndo(); --i) stepBack();
        for (int i = _editor.below(2); i > 0 && _graph->getCommandStack().canRedo(); --i) stepForward();
    }
    void stepBack() {
        _graph->getCommandStack().undo();
        expectAt(_graph->getCommandStack().getNbUndoEntries());
    }
    void stepForward() {
        _graph->getCommandStack().redo();
        expectAt(_graph->getCommandStack().getNbUndoEntries());
    }
    void expectAt(int entry) {
        ASSERT_EQ(save(), _history.at(static_cast<size_t>(entry))) << "entry " << entry;
        _mirror.expectInStep(*_graph);
    }

    struct CountingMirror : HintMirror {
        using HintMirror::HintMirror;
        size_t nbBatches = 0;
        void update(const ObHints& hints) override {
            ++nbBatches;
            HintMirror::update(hints);
        }
    };

    RCStrongPtr<PiGraph> _graph;
    RandomEditor _editor;
    CountingMirror _mirror;
    // The saved file after each entry, the first before any.
    std::vector<std::string> _history;
};

} // namespace

TEST(RandomEdits, UndoAndRedoRestoreEveryFileByteForByte) {
    const char* wanted = std::getenv("ZV_RANDOM_EDIT_SEQUENCES");
    const int nbSequences = wanted ? std::atoi(wanted) : 2000;
    for (int seed = 0; seed < nbSequences && !::testing::Test::HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        EditSequence(static_cast<uint64_t>(seed)).run(20);
    }
}
