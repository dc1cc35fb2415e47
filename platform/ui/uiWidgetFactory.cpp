#include "platform/ui/uiWidgetFactory.h"

#include "platform/ui/uiLabel.h"
#include "platform/ui/uiMenu.h"
#include "platform/ui/uiResTable.h"
#include "platform/ui/uiTab.h"
#include "platform/ui/uiTextField.h"
#include "platform/ui/uiToggle.h"

namespace Zv {

RCShdPtr<UiWidget> UiWidgetFactory::createWidget(const UiWidgetDesc& desc) {
    using Kind = UiWidgetDesc::Kind;
    switch (desc.kind) {
    case Kind::Container: {
        auto container = makeRC<UiContainer>(desc.name);
        for (const UiWidgetDesc& child : desc.children) container->addChild(createWidget(child));
        return container;
    }
    case Kind::Tab: {
        auto tab = makeRC<UiTab>(desc.name);
        for (const UiWidgetDesc& child : desc.children) tab->insertPage(child.title, createWidget(child));
        return tab;
    }
    case Kind::Toggle: return makeRC<UiToggle>(desc.name, desc.text, desc.value);
    case Kind::Menu: {
        auto menu = makeRC<UiMenu>(desc.name, desc.text);
        for (const std::string& item : desc.items) menu->addItem(item);
        menu->setSelectedIndex(desc.selected, false);
        return menu;
    }
    case Kind::Label: return makeRC<UiLabel>(desc.name, desc.text);
    case Kind::TextField: return makeRC<UiTextField>(desc.name, desc.text);
    }
    return {};
}

RCShdPtr<UiWidget> UiWidgetFactory::createWidget(const UiResTable& table, const LiString& name) {
    const UiWidgetDesc* desc = table.findWidget(name.str());
    return desc ? createWidget(*desc) : RCShdPtr<UiWidget>();
}

} // namespace Zv
