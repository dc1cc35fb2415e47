#pragma once

#include "views/schematic/src/scBasicConnections.h"

#include "platform/base/rcStrongPtr.h"

namespace Zv {

class PiKeyframingUtil;
class PiNode;

// A band of tabs that tells about the node: marked for keyframing, carrying anchors.
class ScFeedbackTab : public ScRoundedConnectionSet {
public:
    ScFeedbackTab(const EdgePos& start, const EdgePos& end, UPtr<ScRoundedBox> anchor, const RCStrongPtr<PiNode>& node);
    ~ScFeedbackTab() override;

    std::unique_ptr<ScConnectionSet> clone() const override;
    std::unique_ptr<ScConnectionSet> cloneFor(const RCStrongPtr<PiNode>& node) const override;
    void draw(ScDrawContext& ctx, float alpha) const override;
    void drawOutline(ScDrawContext& ctx) const override;

protected:
    const char* getClassWord() const override { return "FeedbackTab"; }

private:
    // Tab colours in drawing order: the feedback kinds present first, plain tabs after.
    int getTabColor(int tab) const;
    // One band: caps only at its two ends.
    void hideInnerCaps() const;

    RCStrongPtr<PiNode> _node;
    PiKeyframingUtil& _keyframing;
};

} // namespace Zv
