#pragma once

#include "views/schematic/src/scBasicTab.h"
#include "views/schematic/src/scConnectionSet.h"
#include "views/schematic/src/scDefinitions.h"
#include "views/schematic/src/scIcon.h"
#include "views/schematic/src/scRoundedConnectionTab.h"

#include <algorithm>
#include <type_traits>
#include <vector>

namespace Zv {

// A set that owns one tab per socket and rebuilds them all whenever anything changes.
// The set kinds below differ only in how they lay the tabs out, so they share this file.
class ScBasicConnectionSet : public ScConnectionSet {
public:
    ScBasicConnectionSet(const EdgePos& start, const EdgePos& end, UPtr<ScRoundedBox> anchor)
        : _start(start), _end(end), _anchor(anchor) {}

    void setAnchorRBox(UPtr<ScRoundedBox> anchor) override;
    const EdgePos& getStartPosition() const override { return _start; }
    void setStartPosition(const EdgePos& start) override;
    const EdgePos& getEndPosition() const override { return _end; }
    void setEndPosition(const EdgePos& end) override;
    void draw(ScDrawContext& ctx, float alpha) const override;
    void drawOutline(ScDrawContext& ctx) const override;
    void getBounds(GeRectangle<float>& out, bool withBorderWidth) const override;
    void dump(std::ostream& out) const override;
    void setBorderWidth(float width) override;
    float getBorderWidth() const override { return _borderWidth; }
    UPtr<ScRoundedBox> getAnchorRBox() const override { return _anchor; }
    void setNbConnections(int n) override;
    int getNbConnections() const override { return _nbConnections; }
    GePoint2<float> getConnectionPoint(int i) const override;
    GeVector2<float> getConnectionNormal(int i) const override;
    void setHighlighted(int i, bool highlighted) override;
    void setEnlarged(bool enlarged) override;
    bool isHighlighted(int i) const override;
    void setMarked(int i, bool marked) override;
    int pick(const GePoint2<float>& p, bool enlarged) const override;
    void update() const override;

    // Tab i as built now (rebuilt first when stale).
    const ScBasicTab& getTab(int i) const;

protected:
    // Lays out n tabs (n >= 1) with addTab.
    virtual void buildTabs(int n) const = 0;
    virtual const char* getClassWord() const = 0;

    // Tab i for sets that restyle their tabs while drawing.
    ScBasicTab& getDrawnTab(int i) const;

    template <class Tab>
    void addTab(std::unique_ptr<Tab> tab) const {
        ScMarkableTab* marks = nullptr;
        if constexpr (std::is_base_of_v<ScMarkableTab, Tab>) marks = tab.get();
        _tabs.push_back({std::move(tab), marks});
    }
    // The perimeter line through the middle of the tab band.
    ScRoundedBox getMiddleBox() const { return _anchor->expanded(_borderWidth * 0.5f); }

private:
    struct Slot {
        std::unique_ptr<ScBasicTab> tab;
        ScMarkableTab* marks; // null for tabs that show no highlight
    };
    // Slot i, rebuilt first when stale.
    const Slot& getSlot(int i) const;
    void markDirty() { _dirty = true; }

    mutable bool _dirty = true;
    float _borderWidth = kBorderWidth;
    mutable std::vector<Slot> _tabs;
    EdgePos _start;
    EdgePos _end;
    UPtr<ScRoundedBox> _anchor;
    int _nbConnections = 0;
};

// Square tabs along one side, from the middle of one corner to the middle of the next.
class ScSquareConnectionSet : public ScBasicConnectionSet {
public:
    using ScBasicConnectionSet::ScBasicConnectionSet;
    std::unique_ptr<ScConnectionSet> clone() const override;
    GePoint2<float> getConnectionPoint(int i) const override;
    GeVector2<float> getConnectionNormal(int i) const override;

protected:
    void buildTabs(int n) const override;
    const char* getClassWord() const override { return "SquareConnectionSet"; }

private:
    ScRoundedBox::SubSectionType getSide() const;
};

// Rounded tabs of equal length along the stretch.
class ScRoundedConnectionSet : public ScBasicConnectionSet {
public:
    using ScBasicConnectionSet::ScBasicConnectionSet;
    std::unique_ptr<ScConnectionSet> clone() const override;

protected:
    void buildTabs(int n) const override;
    const char* getClassWord() const override { return "RoundedConnectionSet"; }
    // The tab for socket i; kinds replace single tabs.
    virtual std::unique_ptr<ScRoundedConnectionTab> createTab(int i, int n, const EdgePos& from,
                                                              const EdgePos& to) const;
};

// Rounded tabs where the first or the last socket is the mask input, drawn in its own colour.
class ScRoundedConnectionSetWithMasking : public ScRoundedConnectionSet {
public:
    // Flowing right the first tab is the mask, else the last.
    ScRoundedConnectionSetWithMasking(ScOrientation orientation, const EdgePos& start, const EdgePos& end,
                                      UPtr<ScRoundedBox> anchor)
        : ScRoundedConnectionSet(start, end, anchor), _orientation(orientation) {}
    std::unique_ptr<ScConnectionSet> clone() const override;

protected:
    void buildTabs(int n) const override;
    const char* getClassWord() const override { return "RoundedConnectionSetWithMasking"; }
    std::unique_ptr<ScRoundedConnectionTab> createTab(int i, int n, const EdgePos& from,
                                                      const EdgePos& to) const override;

private:
    ScOrientation _orientation;
};

// One tab over the whole stretch, whatever the socket count; it shows no highlight.
class ScSimpleConnectionSet : public ScBasicConnectionSet {
public:
    using ScBasicConnectionSet::ScBasicConnectionSet;
    std::unique_ptr<ScConnectionSet> clone() const override;
    int getNbConnections() const override { return 1; }
    void setHighlighted(int i, bool) override { checkIndex(i); }
    void setEnlarged(bool) override {}
    bool isHighlighted(int i) const override {
        checkIndex(i);
        return false;
    }
    void setMarked(int i, bool) override { checkIndex(i); }

protected:
    void buildTabs(int n) const override;
    const char* getClassWord() const override { return "SimpleConnectionSet"; }
};

// One bump-shaped tab from start to end that carries an icon.
class ScIconConnectionSet : public ScBasicConnectionSet {
public:
    ScIconConnectionSet(const EdgePos& start, const EdgePos& end, UPtr<ScRoundedBox> anchor,
                        const RCShdPtr<ScIcon>& icon = {})
        : ScBasicConnectionSet(start, end, anchor), _icon(icon) {}
    std::unique_ptr<ScConnectionSet> clone() const override;
    // Its one tab serves one socket.
    int getNbConnections() const override { return std::min(ScBasicConnectionSet::getNbConnections(), 1); }
    const RCShdPtr<ScIcon>& getIcon() const { return _icon; }

protected:
    void buildTabs(int n) const override;
    const char* getClassWord() const override { return "ScIconConnectionSet"; }

private:
    RCShdPtr<ScIcon> _icon;
};

} // namespace Zv
