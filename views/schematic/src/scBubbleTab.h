#pragma once

#include "views/schematic/src/scBasicTab.h"

namespace Zv {

// A tab drawn as one semicircular bump, whatever perimeter pieces it spans.
class ScBubbleTab : public ScBasicTab {
public:
    using ScBasicTab::ScBasicTab;
    std::unique_ptr<ScBorderTab> clone() const override;
    std::unique_ptr<TabSubSection> createSubSection(const EdgePos& from, const EdgePos& to) const override;
    bool splitsAtSections() const override { return false; }
    void dump(std::ostream& out) const override;
};

} // namespace Zv
