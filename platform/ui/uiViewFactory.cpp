#include "platform/ui/uiViewFactory.h"

#include "platform/base/exBase.h"
#include "platform/base/xmlDocument.h"
#include "platform/ui/uiView.h"
#include "platform/ui/uiWidget.h"

#include <algorithm>
#include <utility>

namespace Zv {
namespace {

using Registered = std::vector<std::pair<LiString, std::unique_ptr<UiViewFactory>>>;

Registered& registry() {
    static Registered factories;
    return factories;
}

Registered::iterator find(const LiString& name) {
    return std::find_if(registry().begin(), registry().end(), [&](const auto& entry) { return entry.first == name; });
}

} // namespace

void UiViewFactory::registerViewFactory(const LiString& name, std::unique_ptr<UiViewFactory> factory) {
    if (find(name) != registry().end())
        throw ExBadInput(__FILE__, __LINE__, "a view factory is registered under \"" + name.str() + "\" already");
    registry().emplace_back(name, std::move(factory));
}

std::unique_ptr<UiViewFactory> UiViewFactory::unregisterViewFactory(const LiString& name) {
    auto found = find(name);
    if (found == registry().end()) return nullptr;
    std::unique_ptr<UiViewFactory> factory = std::move(found->second);
    registry().erase(found);
    return factory;
}

UiViewFactory* UiViewFactory::findViewFactory(const LiString& name) {
    auto found = find(name);
    return found == registry().end() ? nullptr : found->second.get();
}

std::vector<LiString> UiViewFactory::getViewFactoryNames() {
    std::vector<LiString> names;
    for (const auto& entry : registry()) names.push_back(entry.first);
    return names;
}

std::unique_ptr<pugi::xml_document> UiViewFactory::createXmlDocument(const std::string& path) {
    XmlDocument read = XmlDocument::load(path);
    auto document = std::make_unique<pugi::xml_document>();
    document->reset(read.get());
    return document;
}

UiView* UiViewFactory::findView(const UiWidget& widget) {
    for (const auto& data : widget.getClientData())
        if (auto* view = dynamic_cast<UiView*>(data.get())) return view;
    return nullptr;
}

} // namespace Zv
