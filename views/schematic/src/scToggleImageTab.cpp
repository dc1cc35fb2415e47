#include "views/schematic/src/scToggleImageTab.h"

#include "views/schematic/src/scDrawContext.h"

namespace Zv {

std::unique_ptr<ScBorderTab> ScToggleImageTab::clone() const {
    return std::make_unique<ScToggleImageTab>(getStartPos(), getEndPos(), getAnchorRBox());
}

int ScToggleImageTab::getColorIndex() const {
    return ProxyToggle;
}

} // namespace Zv
