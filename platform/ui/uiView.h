#pragma once

#include "platform/base/liString.h"

#include <pugixml.hpp>

namespace Zv {

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
};

} // namespace Zv
