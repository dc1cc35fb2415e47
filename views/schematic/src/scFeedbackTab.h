#pragma once

#include "views/schematic/src/scBasicConnections.h"

namespace Zv {

class PiNode;

// A band of tabs that tells about the node: marked for keyframing, carrying anchors.
class ScFeedbackTab : public ScRoundedConnectionSet {
public:
    using ScRoundedConnectionSet::ScRoundedConnectionSet;

    std::unique_ptr<ScConnectionSet> clone() const override;
    // Takes what node has to tell; nodes of one look share the band, so it is told before each drawing.
    void reportOn(const PiNode* node);
    void draw(ScDrawContext& ctx, float alpha) const override;
    void drawOutline(ScDrawContext& ctx) const override;

protected:
    const char* getClassWord() const override { return "FeedbackTab"; }

private:
    // Tab colours in drawing order: the feedback kinds present first, plain tabs after.
    int getTabColor(int tab) const;
    // One band: caps only at its two ends.
    void hideInnerCaps() const;

    bool _marked = false;
    bool _anchored = false;
};

} // namespace Zv
