#include "views/schematic/src/scRoundedTab.h"

#include <ostream>

namespace Zv {

std::unique_ptr<ScBorderTab> ScRoundedTab::clone() const {
    return std::make_unique<ScRoundedTab>(getStartPos(), getEndPos(), getAnchorRBox());
}

std::unique_ptr<TabSubSection> ScRoundedTab::createSubSection(const EdgePos& from, const EdgePos& to) const {
    if (ScRoundedBox::isCorner(from.getSection()))
        return std::make_unique<RoundedCornerTabSubSection>(getAnchorRBox(), from, to, getBorderWidth());
    return std::make_unique<StraightTabSubSection>(getAnchorRBox(), from, to, getBorderWidth());
}

void ScRoundedTab::dump(std::ostream& out) const {
    out << "RoundedTab";
    ScBasicTab::dump(out);
}

} // namespace Zv
