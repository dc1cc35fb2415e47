#pragma once

#include "views/schematic/src/scBasicTab.h"

namespace Zv {

// A tab that follows the box's rounded corners.
class ScRoundedTab : public ScBasicTab {
public:
    using ScBasicTab::ScBasicTab;
    std::unique_ptr<ScBorderTab> clone() const override;
    std::unique_ptr<TabSubSection> createSubSection(const EdgePos& from, const EdgePos& to) const override;
    void dump(std::ostream& out) const override;
};

} // namespace Zv
