#pragma once

#include "platform/ui/uiContainer.h"

#include <vector>

namespace Zv {

// Pages shown one at a time, each under a tab title.
class UiTab : public UiContainer {
public:
    explicit UiTab(LiString name) : UiContainer(std::move(name)) {}

    // The first page inserted is the current one.
    void insertPage(const LiString& title, const RCShdPtr<UiWidget>& page);
    int getNbPages() const { return static_cast<int>(_titles.size()); }
    const std::vector<LiString>& getPageTitles() const { return _titles; }
    // Null when no page has that title.
    RCShdPtr<UiWidget> getPage(const LiString& title) const;
    int getCurrentPage() const { return _current; }
    void setCurrentPage(int index);

private:
    std::vector<LiString> _titles; // parallel to the children
    int _current = -1;
};

} // namespace Zv
