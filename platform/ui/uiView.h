#pragma once

#include "platform/base/liString.h"

#include <pugixml.hpp>

namespace Zv {

class UiContainer;
class UiDrawArea;
class UiScriptedView;
class XmlWriter;

// A view the workspace holds. It keeps its options in the "Settings" element of the workspace
// layout: it writes the whole element and reads it back.
class UiView {
public:
    virtual ~UiView() = default;

    // The view type, as registered with the workspace ("Schematic").
    virtual LiString getTypeName() const = 0;
    // Reads a "Settings" element; missing children leave their defaults.
    virtual void applySettings(const pugi::xml_node& settings) = 0;
    // Writes the "Settings" element.
    virtual void writeSettings(XmlWriter& writer) const = 0;

    // The draw area a window shows and sends its input to; null for a view without one.
    virtual UiDrawArea* getDrawArea() { return nullptr; }
    // The panel of the view's options, shown beside the view on demand; null for none.
    virtual UiContainer* getOptionsPanel() { return nullptr; }
    // What scripted sessions may ask of the view; null when it answers nothing beyond the toolkit.
    virtual UiScriptedView* getScriptedView() { return nullptr; }

    // The Edit menu's cut, copy and paste: they act on the view's selection through the application's
    // clipboard, and paste puts what it pastes where the view places new things. A view tells the user
    // itself when it refuses; one without them does nothing.
    virtual void cut() {}
    virtual void copy() {}
    virtual void paste() {}
};

} // namespace Zv
