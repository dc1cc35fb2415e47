#include "platform/ui/uiResTable.h"

#include "platform/base/exBase.h"
#include "platform/base/fileUtil.h"
#include "platform/base/xmlDocument.h"

#include <cstdlib>

namespace Zv {
namespace {

struct Reader {
    const std::string& text;
    const std::string& source;

    [[noreturn]] void fail(const pugi::xml_node& node, const std::string& reason) const {
        const int line = XmlDocument::lineOfOffset(text, node.offset_debug());
        throw ExBadInput(__FILE__, __LINE__, source + ":" + std::to_string(line) + ": " + reason);
    }

    UiResColor parseColor(const pugi::xml_node& node, const std::string& value) const {
        const bool wellFormed = value.size() == 7 && value[0] == '#' &&
                                value.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
        if (!wellFormed) fail(node, "colour \"" + value + "\" is not of the form #rrggbb");
        auto channel = [&](int i) { return std::strtol(value.substr(1 + 2 * i, 2).c_str(), nullptr, 16) / 255.0f; };
        return {channel(0), channel(1), channel(2)};
    }

    UiResTable::Resource parseResource(const pugi::xml_node& node) const {
        const pugi::xml_attribute value = node.attribute("value");
        if (!value) fail(node, std::string("<") + node.name() + "> has no value");
        if (std::string(node.name()) == "color") return parseColor(node, value.value());
        if (std::string(node.name()) == "text") return std::string(value.value());
        fail(node, std::string("unknown resource <") + node.name() + ">");
    }
};

} // namespace

UiResTable UiResTable::load(const std::string& path) {
    return parse(FileUtil::readFile(path), path);
}

UiResTable UiResTable::parse(const std::string& text, const std::string& sourceName) {
    XmlDocument document = XmlDocument::parse(text, LiString(sourceName));
    const Reader reader{text, sourceName};
    const pugi::xml_node root = document.getRoot();
    if (std::string(root.name()) != "resources") reader.fail(root, "the root element must be <resources>");
    UiResTable table;
    for (const pugi::xml_node& cls : root.children()) {
        if (cls.type() != pugi::node_element) continue;
        if (std::string(cls.name()) != "class" || !cls.attribute("name"))
            reader.fail(cls, "expected <class name=\"...\">");
        for (const pugi::xml_node& node : cls.children()) {
            if (node.type() != pugi::node_element) continue;
            const std::string key = node.attribute("key").value();
            if (key.empty()) reader.fail(node, std::string("<") + node.name() + "> has no key");
            if (!table._resources.emplace(std::pair(cls.attribute("name").value(), key), reader.parseResource(node)).second)
                reader.fail(node, "key \"" + key + "\" appears twice in class \"" + cls.attribute("name").value() + "\"");
        }
    }
    return table;
}

std::string UiResTable::getResourcePath(const std::string& fileName) {
    // Installed copies and tests may point elsewhere.
    const char* directory = std::getenv("ZV_RESOURCES_DIR");
    return std::string(directory && *directory ? directory : ZV_RESOURCES_DIR) + "/" + fileName;
}

} // namespace Zv
