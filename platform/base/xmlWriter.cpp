#include "platform/base/xmlWriter.h"

#include "platform/base/assertions.h"
#include "platform/base/liStringUtil.h"

#include <algorithm>

namespace Zv {

XmlWriter::XmlWriter() : _text("<?xml version=\"1.0\"?>\n") {}

void XmlWriter::indent() {
    _text.append(2 * std::min(_open.size(), kMaxIndentLevels), ' ');
}

XmlWriter& XmlWriter::startElement(const LiString& name) {
    ZV_ASSERT(!_inText);
    if (_inStartTag) _text += ">\n";
    indent();
    _text += '<';
    _text += name.str();
    _open.push_back(name);
    _inStartTag = true;
    return *this;
}

XmlWriter& XmlWriter::endElement() {
    ZV_ASSERT(!_open.empty());
    LiString name = std::move(_open.back());
    _open.pop_back();
    if (_inStartTag) {
        _text += " />\n";
    } else if (_inText) {
        _text += "</" + name.str() + ">\n";
    } else {
        indent();
        _text += "</" + name.str() + ">\n";
    }
    _inStartTag = false;
    _inText = false;
    return *this;
}

// Markup characters and control characters (tabs and line breaks included) are written as
// references, so that every text reads back exactly.
void XmlWriter::appendEscaped(const LiString& value) {
    for (char c : value.str()) {
        switch (c) {
        case '&': _text += "&amp;"; break;
        case '<': _text += "&lt;"; break;
        case '"': _text += "&quot;"; break;
        default:
            if (static_cast<unsigned char>(c) < 32) {
                _text += "&#";
                _text += static_cast<char>('0' + c / 10);
                _text += static_cast<char>('0' + c % 10);
                _text += ';';
            } else {
                _text += c;
            }
        }
    }
}

XmlWriter& XmlWriter::attribute(const LiString& name, const LiString& value) {
    ZV_ASSERT(_inStartTag);
    _text += ' ';
    _text += name.str();
    _text += "=\"";
    appendEscaped(value);
    _text += '"';
    return *this;
}

XmlWriter& XmlWriter::text(const LiString& value) {
    ZV_ASSERT(_inStartTag);
    _text += '>';
    appendEscaped(value);
    _inStartTag = false;
    _inText = true;
    return *this;
}

XmlWriter& XmlWriter::attribute(const LiString& name, double value) {
    return attribute(name, LiStringUtil::convertNb(value));
}

std::string XmlWriter::str() const {
    ZV_ASSERT(_open.empty());
    return _text;
}

} // namespace Zv
