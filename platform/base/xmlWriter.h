#pragma once

#include "platform/base/liString.h"

#include <pugixml.hpp>

#include <concepts>
#include <string>
#include <vector>

namespace Zv {

// Builds an XML text element by element.
class XmlWriter {
public:
    XmlWriter();

    XmlWriter& startElement(const LiString& name);
    XmlWriter& endElement();
    XmlWriter& attribute(const LiString& name, const LiString& value);
    XmlWriter& attribute(const LiString& name, std::integral auto value) {
        return attribute(name, LiString(std::to_string(value)));
    }
    XmlWriter& attribute(const LiString& name, double value);
    XmlWriter& text(const LiString& value);

    // The current element, for callers that add a whole subtree at once.
    pugi::xml_node getCurrent() const { return _open.back(); }
    // The document text; every started element must have been ended.
    std::string str() const;

private:
    pugi::xml_document _document;
    std::vector<pugi::xml_node> _open;
};

} // namespace Zv
