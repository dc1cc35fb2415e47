#include "views/schematic/src/scBubbleTab.h"

#include <ostream>

namespace Zv {

std::unique_ptr<ScBorderTab> ScBubbleTab::clone() const {
    return std::make_unique<ScBubbleTab>(getStartPos(), getEndPos(), getAnchorRBox());
}

std::unique_ptr<TabSubSection> ScBubbleTab::createSubSection(const EdgePos& from, const EdgePos& to) const {
    return std::make_unique<BubbleTabSubSection>(getAnchorRBox(), from, to, getBorderWidth());
}

void ScBubbleTab::dump(std::ostream& out) const {
    out << "RoundedTab";
    ScBasicTab::dump(out);
}

} // namespace Zv
