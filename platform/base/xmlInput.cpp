#include "platform/base/xmlInput.h"

#include "platform/base/exBase.h"
#include "platform/base/fileUtil.h"
#include "platform/base/liStringUtil.h"

namespace Zv {

XmlInput::XmlInput(std::string text, std::string sourceName)
    : _text(std::move(text)), _source(std::move(sourceName)), _document(XmlDocument::parse(_text, LiString(_source))) {}

XmlInput XmlInput::load(const std::string& path) {
    return XmlInput(FileUtil::readFile(path), path);
}

int XmlInput::getLine(const pugi::xml_node& node) const {
    return XmlDocument::lineOfOffset(_text, node.offset_debug());
}

void XmlInput::fail(const pugi::xml_node& node, const std::string& reason) const {
    throw ExBadInput(_source.c_str(), getLine(node), _source + ":" + std::to_string(getLine(node)) + ": " + reason);
}

pugi::xml_node XmlInput::expectRoot(const char* name) const {
    const pugi::xml_node root = getRoot();
    if (std::string(root.name()) != name) fail(root, std::string("the root element must be <") + name + ">");
    return root;
}

std::vector<pugi::xml_node> XmlInput::getElements(const pugi::xml_node& node) const {
    std::vector<pugi::xml_node> children;
    for (const pugi::xml_node& child : node.children()) {
        if (child.type() == pugi::node_element) children.push_back(child);
        else if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            fail(child, std::string("unexpected text in <") + node.name() + ">");
    }
    return children;
}

std::string XmlInput::getText(const pugi::xml_node& node, const char* attribute) const {
    const pugi::xml_attribute value = node.attribute(attribute);
    if (!value) fail(node, std::string("<") + node.name() + "> has no " + attribute);
    return value.value();
}

bool XmlInput::getBool(const pugi::xml_node& node, const char* attribute) const {
    const std::string value = getText(node, attribute);
    if (value == "1" || value == "true") return true;
    if (value == "0" || value == "false") return false;
    fail(node, std::string(attribute) + " \"" + value + "\" is not 0, 1, true or false");
}

long long XmlInput::getInt(const pugi::xml_node& node, const char* attribute) const {
    const std::string value = getText(node, attribute);
    const auto number = LiStringUtil::parseInt(LiString(value));
    if (!number) fail(node, std::string(attribute) + " \"" + value + "\" is not an integer");
    return *number;
}

double XmlInput::getNumber(const pugi::xml_node& node, const char* attribute) const {
    const std::string value = getText(node, attribute);
    const auto number = LiStringUtil::parseFloat(LiString(value));
    if (!number) fail(node, std::string(attribute) + " \"" + value + "\" is not a number");
    return *number;
}

} // namespace Zv
