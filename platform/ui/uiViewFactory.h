#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"

#include <pugixml.hpp>

#include <memory>
#include <string>
#include <vector>

namespace Zv {

class UiComposition;
class UiContainer;
class UiView;
class UiWidget;

// Makes the views of one type for the workspace. Modules register a factory per view type at start-up
// and take it back at shut-down; the registry is the process's.
class UiViewFactory {
public:
    virtual ~UiViewFactory() = default;

    // A new view inside parent, or inside a new unnamed container when parent is null, showing the
    // composition; settings is the view's "Settings" element of the workspace layout (empty for
    // none). Returns the view's top widget, which keeps the view among its client data (findView).
    virtual RCShdPtr<UiWidget> createView(const RCShdPtr<UiContainer>& parent, UiComposition* composition,
                                          const pugi::xml_node& settings) = 0;
    // The view's document: what the workspace shows of the view type.
    virtual std::unique_ptr<pugi::xml_document> getViewDocument() const = 0;
    virtual bool isViewable() const { return true; }

    // A name taken already is refused with ExBadInput.
    static void registerViewFactory(const LiString& name, std::unique_ptr<UiViewFactory> factory);
    // Gives the factory back; null when none is registered under the name.
    static std::unique_ptr<UiViewFactory> unregisterViewFactory(const LiString& name);
    // Null when none is registered under the name.
    static UiViewFactory* findViewFactory(const LiString& name);
    // Registered names, in registration order.
    static std::vector<LiString> getViewFactoryNames();

    // An XML document read from a file; ExBadInput names the file, the line and the reason.
    static std::unique_ptr<pugi::xml_document> createXmlDocument(const std::string& path);
    // The view a top widget made by a factory keeps; null when it keeps none.
    static UiView* findView(const UiWidget& widget);
};

} // namespace Zv
