#pragma once

#include "views/schematic/src/scRoundedTab.h"

namespace Zv {

// The strip that switches the node's thumbnail on and off.
class ScToggleImageTab : public ScRoundedTab {
public:
    using ScRoundedTab::ScRoundedTab;
    std::unique_ptr<ScBorderTab> clone() const override;
    int getColorIndex() const override;
};

} // namespace Zv
