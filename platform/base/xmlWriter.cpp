#include "platform/base/xmlWriter.h"

#include "platform/base/assertions.h"
#include "platform/base/liStringUtil.h"

#include <sstream>

namespace Zv {

XmlWriter::XmlWriter() {
    _open.push_back(_document);
}

XmlWriter& XmlWriter::startElement(const LiString& name) {
    _open.push_back(_open.back().append_child(name.c_str()));
    return *this;
}

XmlWriter& XmlWriter::endElement() {
    ZV_ASSERT(_open.size() > 1);
    _open.pop_back();
    return *this;
}

XmlWriter& XmlWriter::attribute(const LiString& name, const LiString& value) {
    _open.back().append_attribute(name.c_str()).set_value(value.c_str());
    return *this;
}

XmlWriter& XmlWriter::attribute(const LiString& name, double value) {
    return attribute(name, LiStringUtil::convertNb(value));
}

XmlWriter& XmlWriter::text(const LiString& value) {
    _open.back().append_child(pugi::node_pcdata).set_value(value.c_str());
    return *this;
}

std::string XmlWriter::str() const {
    ZV_ASSERT(_open.size() == 1);
    std::ostringstream out;
    _document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

} // namespace Zv
