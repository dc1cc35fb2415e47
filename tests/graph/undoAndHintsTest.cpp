#include "platform/graph/cmUndoGuard.h"
#include "platform/graph/omGraphEx.h"
#include "platform/graph/omGraphHint.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piUndoGuard.h"
#include "platform/graph/piUndoGuardNoLog.h"
#include "tests/graph/graphFixture.h"

using namespace Zv;
using Kinds = std::vector<std::string>;

namespace {

class UndoAndHints : public GraphTest {};

} // namespace

TEST_F(UndoAndHints, OneNamedScopeGivesOneEntryAndOneBatch) {
    RCStrongPtr<PiNode> read, blur;
    {
        PiUndoGuard guard(_graph->getCommandStack(), "Build");
        read = add("Read", "Plate");
        blur = add("Blur");
        _graph->connect(out(read), in(blur));
        EXPECT_TRUE(_hints.batches.empty());
    }
    ASSERT_EQ(_hints.batches.size(), 1u);
    EXPECT_EQ(_hints.kinds(0), (Kinds{"NodeAdded", "NodeAdded", "SocketConnected"}));
    EXPECT_EQ(_graph->getCommandStack().getNbUndoEntries(), 1);
    EXPECT_EQ(_graph->getCommandStack().getUndoName(), "Build");

    _graph->getCommandStack().undo();
    EXPECT_EQ(_graph->getNbNodes(), 0);
    ASSERT_EQ(_hints.batches.size(), 2u);
    EXPECT_EQ(_hints.kinds(1), (Kinds{"SocketDisconnected", "NodeRemoved", "NodeRemoved"}));

    _graph->getCommandStack().redo();
    EXPECT_EQ(_graph->getNbNodes(), 2);
    EXPECT_EQ(in(blur)->getOutput(), out(read));
}

TEST_F(UndoAndHints, CycleIsRefusedAndChangesNothing) {
    auto a = add("Blur"), b = add("Invert"), c = add("Transform");
    _graph->connect(out(a), in(b));
    _graph->connect(out(b), in(c));
    int entries = _graph->getCommandStack().getNbUndoEntries();
    _hints.clear();
    EXPECT_THROW(_graph->connect(out(c), in(a)), OmGraphEx::ExCycle);
    EXPECT_THROW(_graph->connect(out(a), in(a)), OmGraphEx::ExCycle);
    EXPECT_FALSE(in(a)->isConnected());
    EXPECT_EQ(_graph->getCommandStack().getNbUndoEntries(), entries);
    EXPECT_TRUE(_hints.batches.empty());
}

TEST_F(UndoAndHints, NoLogEditsLeaveNoEntryButSendHints) {
    auto node = add("Blur");
    int entries = _graph->getCommandStack().getNbUndoEntries();
    _hints.clear();
    {
        PiUndoGuardNoLog quiet;
        PiSchematicInterfaceEx::setXYPosition(node, 3, 4);
    }
    EXPECT_EQ(_graph->getCommandStack().getNbUndoEntries(), entries);
    ASSERT_EQ(_hints.batches.size(), 1u);
    auto hint = _hints.batches[0].pickHint<OmGraphHint::ValueChanged>();
    ASSERT_FALSE(hint.isNull());
    EXPECT_TRUE(PiSchematicInterfaceEx::isPositionValue(*hint->getValue()));
    EXPECT_EQ(hint->getNode(), node);
    EXPECT_TRUE(hint->getValue()->isLive());
}
