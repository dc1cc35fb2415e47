#pragma once

#include "platform/base/cbHandler.h"
#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/uiResColor.h"

#include <utility>

namespace Zv {

// A colour chooser the user answers later: the backend shows it and returns at once; a chosen
// colour runs the handler, a cancelled dialog runs nothing.
class UiColorDialog : public RCBase {
public:
    using Handler = CbHandler<const UiResColor&>;

    UiColorDialog(LiString title, const UiResColor& initial, RCShdPtr<Handler> chosen)
        : _title(std::move(title)), _initial(initial), _chosen(std::move(chosen)) {}

    const LiString& getTitle() const { return _title; }
    // The colour the chooser starts from.
    const UiResColor& getInitial() const { return _initial; }
    void choose(const UiResColor& color) { _chosen->call(color); }

private:
    LiString _title;
    UiResColor _initial;
    RCShdPtr<Handler> _chosen;
};

} // namespace Zv
