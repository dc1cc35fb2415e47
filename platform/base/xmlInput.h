#pragma once

#include "platform/base/xmlDocument.h"

#include <pugixml.hpp>

#include <string>
#include <vector>

namespace Zv {

// A parsed XML input with its name, for readers that refuse it with one message naming the source,
// the line and the reason: every failure raises ExBadInput "SOURCE:LINE: reason".
class XmlInput {
public:
    XmlInput(std::string text, std::string sourceName);
    static XmlInput load(const std::string& path);

    pugi::xml_node getRoot() const { return _document.getRoot(); }
    const std::string& getSourceName() const { return _source; }
    int getLine(const pugi::xml_node& node) const;
    [[noreturn]] void fail(const pugi::xml_node& node, const std::string& reason) const;
    // A root element of that name, or failure.
    pugi::xml_node expectRoot(const char* name) const;

    // Element children in order; text between them is refused.
    std::vector<pugi::xml_node> getElements(const pugi::xml_node& node) const;
    // Attributes that must be there, each read whole.
    std::string getText(const pugi::xml_node& node, const char* attribute) const;
    // "0", "1", "true" or "false".
    bool getBool(const pugi::xml_node& node, const char* attribute) const;
    long long getInt(const pugi::xml_node& node, const char* attribute) const;
    double getNumber(const pugi::xml_node& node, const char* attribute) const;

private:
    std::string _text;
    std::string _source;
    XmlDocument _document;
};

} // namespace Zv
