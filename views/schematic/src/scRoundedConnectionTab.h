#pragma once

#include "views/schematic/src/scMarkableTab.h"
#include "views/schematic/src/scRoundedTab.h"

namespace Zv {

// A rounded socket tab that shows highlight and marking, and otherwise a colour of its own.
class ScRoundedConnectionTab : public ScRoundedTab, public ScMarkableTab {
public:
    using ScRoundedTab::ScRoundedTab;
    std::unique_ptr<ScBorderTab> clone() const override;
    void setColorIndex(int index) override { _colorIndex = index; }
    int getColorIndex() const override { return getMarkedColorIndex(_colorIndex); }

private:
    int _colorIndex = 11;
};

} // namespace Zv
