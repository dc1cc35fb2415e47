#include "views/schematic/src/scRoundedConnectionTab.h"

namespace Zv {

std::unique_ptr<ScBorderTab> ScRoundedConnectionTab::clone() const {
    return std::make_unique<ScRoundedConnectionTab>(getStartPos(), getEndPos(), getAnchorRBox());
}

} // namespace Zv
