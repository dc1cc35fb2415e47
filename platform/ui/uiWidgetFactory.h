#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/uiWidgetDesc.h"

namespace Zv {

class UiResTable;
class UiWidget;

// Builds widget trees from the descriptions of resource tables.
class UiWidgetFactory {
public:
    static RCShdPtr<UiWidget> createWidget(const UiWidgetDesc& desc);
    // The widget the table describes under that name; null when it describes none.
    static RCShdPtr<UiWidget> createWidget(const UiResTable& table, const LiString& name);
};

} // namespace Zv
