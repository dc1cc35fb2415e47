#include "platform/base/xmlDocument.h"

#include "platform/base/exBase.h"
#include "platform/base/fileUtil.h"

#include <algorithm>
#include <sstream>

namespace Zv {

XmlDocument::XmlDocument() : _document(std::make_unique<pugi::xml_document>()) {}

XmlDocument XmlDocument::parse(std::string_view text, const LiString& sourceName) {
    XmlDocument document;
    pugi::xml_parse_result result =
        document._document->load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!result) {
        throw ExBadInput(sourceName.c_str(), lineOfOffset(text, result.offset),
                         sourceName.str() + ":" + std::to_string(lineOfOffset(text, result.offset)) +
                             ": not valid XML: " + result.description());
    }
    if (!document.getRoot()) throw ExBadInput(sourceName.c_str(), 1, sourceName.str() + ":1: no root element");
    return document;
}

XmlDocument XmlDocument::load(const std::string& path) {
    return parse(FileUtil::readFile(path), LiString(path));
}

std::string XmlDocument::toString() const {
    std::ostringstream out;
    _document->save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

int XmlDocument::lineOfOffset(std::string_view text, ptrdiff_t offset) {
    offset = std::clamp<ptrdiff_t>(offset, 0, static_cast<ptrdiff_t>(text.size()));
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

} // namespace Zv
