#pragma once

#include "views/schematic/src/scConnectionSet.h"
#include "views/schematic/src/scRoundedConnectionTab.h"

#include <vector>

namespace Zv {

// One tab that several edges share: they attach to the branches of a fan drawn out of the tab.
class ScFanConnectionSet : public ScConnectionSet {
public:
    ScFanConnectionSet(const EdgePos& start, const EdgePos& end, UPtr<ScRoundedBox> anchor)
        : _tab(start, end, anchor) {}

    std::unique_ptr<ScConnectionSet> clone() const override;
    void setAnchorRBox(UPtr<ScRoundedBox> anchor) override { _tab.setAnchorRBox(anchor); }
    const EdgePos& getStartPosition() const override { return _tab.getStartPos(); }
    void setStartPosition(const EdgePos& start) override { _tab.setStartPos(start); }
    const EdgePos& getEndPosition() const override { return _tab.getEndPos(); }
    void setEndPosition(const EdgePos& end) override { _tab.setEndPos(end); }
    void draw(ScDrawContext& ctx, float alpha) const override;
    void drawOutline(ScDrawContext& ctx) const override { _tab.drawOutline(ctx); }
    void getBounds(GeRectangle<float>& out, bool withBorderWidth) const override;
    void dump(std::ostream& out) const override;
    void setBorderWidth(float width) override { _tab.setBorderWidth(width); }
    float getBorderWidth() const override { return _tab.getBorderWidth(); }
    UPtr<ScRoundedBox> getAnchorRBox() const override { return _tab.getAnchorRBox(); }
    void setNbConnections(int n) override;
    int getNbConnections() const override { return static_cast<int>(_connections.size()); }
    GePoint2<float> getConnectionPoint(int i) const override;
    GeVector2<float> getConnectionNormal(int i) const override;
    void setHighlighted(int i, bool highlighted) override;
    void setEnlarged(bool enlarged) override { _tab.setBorderWidth(enlarged ? kEnlargedWidth : kBorderWidth); }
    bool isHighlighted(int i) const override;
    // The tab shows a mark while any of its connections carries one.
    void setMarked(int i, bool marked) override;
    // Every edge of the fan belongs to the one socket: 0 on the tab, else -1.
    int pick(const GePoint2<float>& p, bool enlarged) const override;
    void update() const override {}

    // The disc at the end of each branch.
    static constexpr float kDiscRadius = 5.5f;

private:
    struct Connection {
        float radius = kDiscRadius;
        bool highlighted = false;
        bool marked = false;
    };
    struct Base {
        GePoint2<float> point;
        GeVector2<float> normal;
    };
    Base getBase() const;
    // Offset of branch i across the stem.
    float getBranchOffset(int i) const;

    mutable ScRoundedConnectionTab _tab;
    std::vector<Connection> _connections;
    int _nbMarked = 0;
};

} // namespace Zv
