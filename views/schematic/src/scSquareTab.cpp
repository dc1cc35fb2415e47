#include "views/schematic/src/scSquareTab.h"

#include <ostream>

namespace Zv {

std::unique_ptr<ScBorderTab> ScSquareTab::clone() const {
    return std::make_unique<ScSquareTab>(getStartPos(), getEndPos(), getAnchorRBox());
}

std::unique_ptr<TabSubSection> ScSquareTab::createSubSection(const EdgePos& from, const EdgePos& to) const {
    if (ScRoundedBox::isCorner(from.getSection()))
        return std::make_unique<SquareCornerTabSubSection>(getAnchorRBox(), from, to, getBorderWidth());
    return std::make_unique<StraightTabSubSection>(getAnchorRBox(), from, to, getBorderWidth());
}

void ScSquareTab::dump(std::ostream& out) const {
    out << "SquareTab";
    ScBasicTab::dump(out);
}

} // namespace Zv
