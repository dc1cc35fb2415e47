#pragma once

#include "platform/base/liString.h"

#include <pugixml.hpp>

#include <memory>
#include <string>
#include <string_view>

namespace Zv {

// A parsed XML document. Parse failures raise ExBadInput naming the source, the line and the reason.
class XmlDocument {
public:
    XmlDocument();

    static XmlDocument parse(std::string_view text, const LiString& sourceName);
    static XmlDocument load(const std::string& path);

    pugi::xml_document& get() { return *_document; }
    const pugi::xml_document& get() const { return *_document; }
    pugi::xml_node getRoot() const { return _document->document_element(); }
    std::string toString() const;

    // 1-based line of a byte offset into text.
    static int lineOfOffset(std::string_view text, ptrdiff_t offset);

private:
    std::unique_ptr<pugi::xml_document> _document;
};

} // namespace Zv
