#pragma once

#include "platform/ui/uiResColor.h"

namespace Zv {

class ScConnectionSet;
class ScCustomNode;
class ScDrawContext;
class ScNodeShape;
struct ScNodeParts;

// Draws one custom node: its shape placed where the node stands, told first what is the node's own
// (socket highlights and marks, hovered strips, the states the feedback band and the IR strip show).
class ScCustomNodePainter {
public:
    ScCustomNodePainter(const ScCustomNode& node, ScDrawContext& ctx);

    // Body, generic tabs, socket sets (or the insert arrow), strips, feedback band, thumbnail.
    void drawDecorations(float alpha);
    // The body in grey and every tab's outline in the context's highlight colour.
    void drawHighlight(float alpha);
    // The box's outline in the current colour, banded while the node is highlighted.
    void drawOutline();
    void drawToggleTab(float alpha);
    void drawName();

private:
    // Per-socket highlights and marks from the node's socket records.
    void applySocketHighlights(ScConnectionSet& set, bool isInput) const;
    void applyNodeState() const;
    void drawToggle(bool irStrip, float alpha) const;
    void fillBox(const UiResColor& color, float alpha) const;
    void drawThumbnail(float alpha) const;
    // The outline's points (and normals), every arc step on the corners.
    void buildOutline() const;

    const ScCustomNode& _node;
    ScDrawContext& _ctx;
    ScNodeShape& _shape;
    ScNodeParts& _parts;
};

} // namespace Zv
