#include "platform/graph/cmUndoGuard.h"
#include "platform/graph/omGraph.h"
#include "platform/graph/omGraphEx.h"
#include "platform/graph/omGraphHint.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piNodeAnchorUtils.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piUndoGuard.h"
#include "platform/graph/piUndoGuardNoLog.h"
#include "tests/graph/graphFixture.h"

#include <functional>
#include <stdexcept>

using namespace Zv;
using Kinds = std::vector<std::string>;

namespace {

class UndoAndHints : public GraphTest {
protected:
    // Runs one edit in a named scope, checks its hints, then undo and redo: each gives one batch,
    // undo restores the saved document byte for byte, redo the edited one.
    void checkRoundTrip(const char* name, const std::function<void()>& edit, const Kinds& doKinds,
                        const Kinds& undoKinds) {
        SCOPED_TRACE(name);
        std::string before = save();
        _hints.clear();
        {
            PiUndoGuard guard(_graph->getCommandStack(), name);
            edit();
        }
        ASSERT_EQ(_hints.batches.size(), 1u);
        EXPECT_EQ(_hints.kinds(0), doKinds);
        EXPECT_EQ(_graph->getCommandStack().getUndoName(), name);
        std::string after = save();
        EXPECT_NE(after, before);
        _graph->getCommandStack().undo();
        ASSERT_EQ(_hints.batches.size(), 2u);
        EXPECT_EQ(_hints.kinds(1), undoKinds);
        EXPECT_EQ(save(), before);
        _graph->getCommandStack().redo();
        EXPECT_EQ(_hints.kinds(2), doKinds);
        EXPECT_EQ(save(), after);
    }
};

struct CountCmd : CmCommand {
    int* counter;
    explicit CountCmd(int* c) : counter(c) {}
    LiString getName() const override { return "Count"; }
    void doIt() override { ++*counter; }
    void undoIt() override { --*counter; }
};

// Adds a value to a multi-valued input through the model, so that undoing it twice would show;
// either step can be told to fail after its model edit.
struct AddValueCmd : CmCommand {
    RCStrongPtr<PiOutput> output;
    RCStrongPtr<PiInput> multi;
    RCStrongPtr<PiInput> value;
    bool failDo = false, failUndo = false;
    AddValueCmd(RCStrongPtr<PiOutput> o, RCStrongPtr<PiInput> m) : output(std::move(o)), multi(std::move(m)) {}
    LiString getName() const override { return "Add Value"; }
    void doIt() override {
        value = output->getNodePtr()->getGraph()->connect(output, multi);
        if (failDo) throw std::runtime_error("do failed");
    }
    void undoIt() override {
        value->getNodePtr()->getGraph()->disconnect(value);
        if (failUndo) throw std::runtime_error("undo failed");
    }
};

} // namespace

TEST_F(UndoAndHints, OneNamedScopeGivesOneEntryAndOneBatch) {
    RCStrongPtr<PiNode> read, blur;
    {
        PiUndoGuard outer(_graph->getCommandStack(), "Build");
        read = add("Read", "Plate");
        {
            PiUndoGuard inner(_graph->getCommandStack(), "Inner");
            blur = add("Blur");
        }
        _graph->connect(out(read), in(blur));
        EXPECT_TRUE(_hints.batches.empty());
    }
    ASSERT_EQ(_hints.batches.size(), 1u);
    EXPECT_EQ(_hints.kinds(0), (Kinds{"NodeAdded", "NodeAdded", "SocketConnected"}));
    EXPECT_EQ(_graph->getCommandStack().getNbUndoEntries(), 1);
    EXPECT_EQ(_graph->getCommandStack().getUndoName(), "Build");

    _graph->getCommandStack().undo();
    EXPECT_EQ(_graph->getNbNodes(), 0);
    EXPECT_EQ(_hints.kinds(1), (Kinds{"SocketDisconnected", "NodeRemoved", "NodeRemoved"}));
    _graph->getCommandStack().redo();
    EXPECT_EQ(in(blur)->getOutput(), out(read));

    // Outside any scope every edit is its own batch and entry.
    _graph->renameNode(blur, "Soft");
    _graph->renameNode(read, "Plate2");
    EXPECT_EQ(_hints.batches.size(), 5u);
    EXPECT_EQ(_graph->getCommandStack().getUndoName(), "Rename");
    EXPECT_EQ(_graph->getCommandStack().getNbUndoEntries(), 3);
}

TEST_F(UndoAndHints, EditsAndTheirUndoRestoreTheDocument) {
    buildSample();
    auto grade = _graph->findNode(3), over = _graph->findNode(5), ramp = _graph->findNode(4);
    auto group = rcCheckedCast<PiGroupNode>(_graph->findNode(8));
    checkRoundTrip("Connect", [&] { _graph->connect(out(ramp), in(grade)); }, {"SocketDisconnected", "SocketConnected"},
                   {"SocketDisconnected", "SocketConnected"});
    checkRoundTrip("Disconnect", [&] { _graph->disconnect(in(over)); }, {"SocketDisconnected"}, {"SocketConnected"});
    checkRoundTrip("Rename", [&] { grade->setName("Warm"); }, {"NodeNameChanged"}, {"NodeNameChanged"});
    checkRoundTrip("Move", [&] { PiSchematicInterfaceEx::setXYPosition(grade, 5, 6); }, {"ValueChanged"},
                   {"ValueChanged"});
    checkRoundTrip("Color", [&] { PiSchematicInterfaceEx::removeNodeColor(grade); }, {"ValueChanged"},
                   {"ValueChanged"});
    // Each round trip ends redone, so ramp now also feeds grade; leaving its group cuts its links,
    // the merge's value among them.
    checkRoundTrip("Group", [&] { _graph->moveNode(ramp, group); },
                   {"SocketDisconnected", "SocketDisconnected", "InputRemoved", "SocketDisconnected", "NodeMoved"},
                   {"NodeMoved", "SocketConnected", "InputAddedToComposite", "SocketConnected", "SocketConnected"});
    checkRoundTrip("Remove", [&] { _graph->removeNode(group); },
                   {"SocketDisconnected", "NodeRemoved", "NodeRemoved", "NodeRemoved", "NodeRemoved", "NodeRemoved"},
                   {"NodeAdded", "NodeAdded", "NodeAdded", "NodeAdded", "NodeAdded", "SocketConnected"});
}

TEST_F(UndoAndHints, UndoPutsWhatWasRemovedBackInItsPlace) {
    buildSample();
    auto read = _graph->findNode(1), grade = _graph->findNode(3), merge = _graph->findNode(6);
    auto group = rcCheckedCast<PiGroupNode>(_graph->findNode(8));
    for (const char* key : {"A", "B", "C"}) PiNodeUtils::setStoredValue(grade, key, 1);
    for (const char* key : {"Note", "Tag"}) _graph->setText(grade, key, "text");
    PiNodeAnchorUtils::addAnchor(grade, {"First", "Corner"});
    PiNodeAnchorUtils::addAnchor(grade, {"Second", "Corner"});
    _graph->addGroupSocket(group, "Matte", false);
    // Not in the file, but later edits follow it.
    std::vector<PiInput*> consumers = out(read)->getConnections();
    _graph->disconnect(in(_graph->findNode(2)));
    _graph->getCommandStack().undo();
    EXPECT_EQ(out(read)->getConnections(), consumers);
    checkRoundTrip("Key", [&] { PiNodeUtils::removeStoredValue(grade, "A"); }, {"ValueChanged"}, {"ValueChanged"});
    checkRoundTrip("Text", [&] { _graph->setText(grade, "Note", ""); }, {"ValueChanged"}, {"ValueChanged"});
    checkRoundTrip("Anchor",
                   [&] {
                       PiNodeAnchorUtils::removeAnchor(grade, {"First", "Corner"});
                   },
                   {"ValueChanged"}, {"ValueChanged"});
    checkRoundTrip("Value", [&] { _graph->disconnect(rcCheckedCast<PiMultivaluedInput>(in(merge))->getValue(0)); },
                   {"SocketDisconnected", "InputRemoved"}, {"InputAddedToComposite", "SocketConnected"});
    checkRoundTrip("Socket", [&] { _graph->removeGroupSocket(group->getInput(0)); },
                   {"SocketDisconnected", "SocketDisconnected", "NodeRemoved", "InputRemoved"},
                   {"NodeAdded", "DynamicInputAdded", "SocketConnected", "SocketConnected"});
}

TEST_F(UndoAndHints, HintsCarryWhatObserversRead) {
    buildSample();
    auto grade = _graph->findNode(3);
    auto group = rcCheckedCast<PiGroupNode>(_graph->findNode(8));
    _hints.clear();
    PiSchematicInterfaceEx::setNodeColor(grade, {0, 1, 0});
    auto value = _hints.batches.at(0).pickHint<OmGraphHint::ValueChanged>()->getValue();
    EXPECT_TRUE(PiSchematicInterfaceEx::isNodeColorValue(*value));
    EXPECT_FALSE(PiSchematicInterfaceEx::isPositionValue(*value));
    EXPECT_EQ(value->getNode(), grade);
    EXPECT_EQ(value->getFloat(1), 1.0f);
    EXPECT_TRUE(value->isLive());

    _graph->moveNode(grade, group);
    auto moved = _hints.batches.back().pickHint<OmGraphHint::NodeMoved>();
    EXPECT_EQ(moved->getNode(), grade);
    EXPECT_TRUE(moved->getFormerGroup()->isRoot());

    _graph->renameGroupSocket(group->getInput(0), "Plate In");
    EXPECT_EQ(_hints.kinds(_hints.batches.size() - 1), (Kinds{"DynamicInputRenamed", "NodeNameChanged"}));
    EXPECT_EQ(group->getBoundaryNode(*group->getInput(0))->getName(), "Plate In");
}

TEST_F(UndoAndHints, RefusedOrFailedEditsChangeNothing) {
    auto a = add("Blur"), b = add("Invert"), c = add("Transform"), expression = add("Expression");
    _graph->connect(out(a), in(b));
    _graph->connect(out(b), in(c));
    std::string before = save();
    int entries = _graph->getCommandStack().getNbUndoEntries();
    _hints.clear();
    EXPECT_THROW(_graph->connect(out(c), in(a)), OmGraphEx::ExCycle);
    EXPECT_THROW(_graph->connect(out(a), in(a)), OmGraphEx::ExCycle);
    EXPECT_THROW(_graph->connect(out(expression), in(a)), OmGraphEx);
    // A failure inside a scope takes back the scope's earlier edits.
    EXPECT_THROW(
        {
            PiUndoGuard guard(_graph->getCommandStack(), "Insert");
            _graph->connect(out(c), in(add("Blur")));
            _graph->connect(out(c), in(a));
        },
        OmGraphEx::ExCycle);
    EXPECT_EQ(save(), before);
    EXPECT_EQ(_graph->getCommandStack().getNbUndoEntries(), entries);
    EXPECT_TRUE(_hints.batches.empty());
}

TEST_F(UndoAndHints, AScopeLeftByAnExceptionTakesBackItsEditsAndSendsNoHints) {
    auto a = add("Constant", "A"), b = add("Constant", "B"), merge = add("Merge", "M");
    _graph->connect(out(a), in(merge));
    CmCommandStack& stack = _graph->getCommandStack();
    const std::string before = save();
    const int entries = stack.getNbUndoEntries();
    auto fail = [] { throw std::runtime_error("refused"); };
    auto expectUnchanged = [&](const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(save(), before);
        EXPECT_EQ(stack.getNbUndoEntries(), entries);
        EXPECT_TRUE(_hints.batches.empty());
    };
    _hints.clear();
    EXPECT_THROW(
        {
            PiUndoGuardNoLog quiet;
            PiSchematicInterfaceEx::setXYPosition(a, 1, 2);
            _graph->connect(out(b), in(merge));
            fail();
        },
        std::runtime_error);
    expectUnchanged("scope without undo entry");

    // A command's own model edits are taken back once, with the command.
    auto command = makeRC<AddValueCmd>(out(b), in(merge));
    EXPECT_THROW(
        {
            CmUndoGuard guard(stack, "Add");
            guard.execAndAddUndoCommand(command);
            fail();
        },
        std::runtime_error);
    expectUnchanged("scope after a command");
    command->failDo = true;
    EXPECT_THROW(CmUndoGuard(stack, "Add").execAndAddUndoCommand(command), std::runtime_error);
    expectUnchanged("failing command");

    // A failing inner scope leaves the outer one's edits and hints.
    {
        PiUndoGuard outer(stack, "Outer");
        _graph->renameNode(a, "A2");
        try {
            PiUndoGuard inner(stack, "Inner");
            _graph->connect(out(b), in(merge));
            PiNodeUtils::setStoredValue(b, "Key", 1);
            fail();
        } catch (const std::runtime_error&) {
        }
        _graph->renameNode(b, "B2");
    }
    ASSERT_EQ(_hints.batches.size(), 1u);
    EXPECT_EQ(_hints.kinds(0), (Kinds{"NodeNameChanged", "NodeNameChanged"}));
    EXPECT_EQ(rcCheckedCast<PiMultivaluedInput>(in(merge))->getNbValues(), 1);
    stack.undo();
    _hints.clear();
    expectUnchanged("undone outer scope");

    // An undo that fails half way leaves the entry done.
    command->failDo = false;
    {
        CmUndoGuard guard(stack, "Add Twice");
        guard.execAndAddUndoCommand(makeRC<AddValueCmd>(out(a), in(merge)));
        guard.execAndAddUndoCommand(command);
    }
    const std::string added = save();
    _hints.clear();
    command->failUndo = true;
    EXPECT_THROW(stack.undo(), std::runtime_error);
    EXPECT_EQ(save(), added);
    EXPECT_EQ(stack.getUndoName(), "Add Twice");
    EXPECT_TRUE(_hints.batches.empty());
    command->failUndo = false;
    stack.undo();
    EXPECT_EQ(save(), before);
}

TEST_F(UndoAndHints, NoLogScopesAndCommandObjects) {
    auto node = add("Blur");
    int entries = _graph->getCommandStack().getNbUndoEntries();
    _hints.clear();
    {
        PiUndoGuardNoLog quiet;
        PiSchematicInterfaceEx::setXYPosition(node, 3, 4);
    }
    EXPECT_EQ(_graph->getCommandStack().getNbUndoEntries(), entries);
    EXPECT_EQ(_hints.batches.size(), 1u);

    int counter = 0;
    {
        CmUndoGuard guard(OmGraph(_graph).getCommandStack(), "Paste Selection");
        guard.execAndAddUndoCommand(makeRC<CountCmd>(&counter));
        guard.addUndoCommand(makeRC<CountCmd>(&counter));
        PiSchematicInterfaceEx::setXYPosition(node, 7, 8);
    }
    EXPECT_EQ(counter, 1);
    EXPECT_EQ(_graph->getCommandStack().getUndoName(), "Paste Selection");
    _graph->getCommandStack().undo();
    float x, y;
    PiSchematicInterfaceEx::getXYPosition(*node, x, y);
    EXPECT_EQ(counter, -1);
    EXPECT_EQ(x, 3);
    _graph->getCommandStack().redo();
    EXPECT_EQ(counter, 1);
}

// The unsaved mark of a window follows the clean point through undo, redo, new entries and clear.
TEST_F(UndoAndHints, TheCleanPointFollowsUndoAndRedo) {
    CmCommandStack& stack = _graph->getCommandStack();
    auto edit = [&](const char* name) {
        PiUndoGuard guard(stack, name);
        add("Blur");
    };
    edit("Add Blur");
    stack.setClean();
    EXPECT_TRUE(stack.isClean());
    edit("Add Blur");
    EXPECT_FALSE(stack.isClean());
    stack.undo();
    EXPECT_TRUE(stack.isClean());
    stack.undo();
    EXPECT_FALSE(stack.isClean());
    stack.redo();
    EXPECT_TRUE(stack.isClean());

    // Undoing past the saved point and editing anew loses the way back to it.
    stack.undo();
    edit("Add Blur");
    EXPECT_FALSE(stack.isClean()) << "as many entries as when saved, but not the same";
    stack.clear();
    EXPECT_FALSE(stack.isClean());
    stack.setClean();
    stack.clear();
    EXPECT_TRUE(stack.isClean());
}
