#pragma once

#include "platform/base/liString.h"

#include <concepts>
#include <string>
#include <vector>

namespace Zv {

// Builds an XML text element by element, straight into the text: two blanks of indent per level
// (at most kMaxIndentLevels, so deep nesting costs linear space), one element per line.
class XmlWriter {
public:
    static constexpr size_t kMaxIndentLevels = 64;

    XmlWriter();

    XmlWriter& startElement(const LiString& name);
    XmlWriter& endElement();
    XmlWriter& attribute(const LiString& name, const LiString& value);
    XmlWriter& attribute(const LiString& name, std::integral auto value) {
        return attribute(name, LiString(std::to_string(value)));
    }
    XmlWriter& attribute(const LiString& name, double value);
    // Text content of the element just started, written on its line; the element takes no children.
    XmlWriter& text(const LiString& value);

    // The document text; every started element must have been ended.
    std::string str() const;

private:
    void indent();
    void appendEscaped(const LiString& value);

    std::string _text;
    std::vector<LiString> _open;
    // The last start tag still lacks its closing ">".
    bool _inStartTag = false;
    // The open element holds text, so its end tag follows on the same line.
    bool _inText = false;
};

} // namespace Zv
