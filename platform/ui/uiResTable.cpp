#include "platform/ui/uiResTable.h"

#include "platform/base/fileUtil.h"
#include "platform/base/xmlInput.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <set>

namespace Zv {
namespace {

using Kind = UiWidgetDesc::Kind;

struct WidgetKind {
    const char* element;
    Kind kind;
    std::initializer_list<const char*> attributes; // besides name, and title inside a tab
};

const WidgetKind kWidgetKinds[] = {
    {"container", Kind::Container, {}},
    {"tab", Kind::Tab, {}},
    {"toggle", Kind::Toggle, {"text", "value"}},
    {"menu", Kind::Menu, {"text", "selected"}},
    {"label", Kind::Label, {"text"}},
    {"textField", Kind::TextField, {"text"}},
};

const WidgetKind* findWidgetKind(const char* element) {
    for (const WidgetKind& kind : kWidgetKinds)
        if (std::strcmp(kind.element, element) == 0) return &kind;
    return nullptr;
}

struct Reader {
    const XmlInput& input;

    UiResColor parseColor(const pugi::xml_node& node, const std::string& value) const {
        const bool wellFormed = value.size() == 7 && value[0] == '#' &&
                                value.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
        if (!wellFormed) input.fail(node, "colour \"" + value + "\" is not of the form #rrggbb");
        auto channel = [&](int i) { return std::strtol(value.substr(1 + 2 * i, 2).c_str(), nullptr, 16) / 255.0f; };
        return {channel(0), channel(1), channel(2)};
    }

    UiResTable::Resource parseResource(const pugi::xml_node& node) const {
        const std::string value = input.getText(node, "value");
        if (std::string(node.name()) == "color") return parseColor(node, value);
        if (std::string(node.name()) == "text") return value;
        input.fail(node, std::string("unknown resource <") + node.name() + ">");
    }

    void checkAttributes(const pugi::xml_node& node, const WidgetKind& kind, bool inTab) const {
        for (const pugi::xml_attribute& attribute : node.attributes()) {
            const std::string name = attribute.name();
            bool known = name == "name" || (inTab && name == "title");
            for (const char* allowed : kind.attributes) known = known || name == allowed;
            if (!known) input.fail(node, "unknown attribute \"" + name + "\" on <" + kind.element + ">");
        }
    }

    UiWidgetDesc parseWidget(const pugi::xml_node& node, bool inTab, std::set<std::string>& names) const {
        const WidgetKind* kind = findWidgetKind(node.name());
        if (!kind) input.fail(node, std::string("unknown widget <") + node.name() + ">");
        checkAttributes(node, *kind, inTab);
        UiWidgetDesc desc;
        desc.kind = kind->kind;
        desc.name = node.attribute("name").value();
        desc.text = node.attribute("text").value();
        desc.title = node.attribute("title") ? node.attribute("title").value() : desc.name;
        if (!desc.name.empty() && !names.insert(desc.name).second)
            input.fail(node, "widget name \"" + desc.name + "\" appears twice");
        if (node.attribute("value")) desc.value = input.getBool(node, "value");
        const std::vector<pugi::xml_node> children = input.getElements(node);
        if (desc.kind == Kind::Menu) {
            for (const pugi::xml_node& item : children) {
                if (std::string(item.name()) != "item" || !item.attribute("text"))
                    input.fail(item, "a <menu> holds only <item text=\"...\"/>");
                desc.items.push_back(item.attribute("text").value());
            }
            if (node.attribute("selected")) desc.selected = parseSelected(node, desc.items.size());
        } else if (desc.kind == Kind::Container || desc.kind == Kind::Tab) {
            for (const pugi::xml_node& child : children)
                desc.children.push_back(parseWidget(child, desc.kind == Kind::Tab, names));
        } else if (!children.empty()) {
            input.fail(children.front(), std::string("<") + kind->element + "> holds no other element");
        }
        return desc;
    }

    int parseSelected(const pugi::xml_node& node, size_t nbItems) const {
        const long long index = input.getInt(node, "selected");
        if (index < 0 || index >= static_cast<long long>(nbItems))
            input.fail(node, "selected=\"" + std::to_string(index) + "\" names no item of the menu");
        return static_cast<int>(index);
    }
};

} // namespace

UiResTable UiResTable::load(const std::string& path) {
    return parse(FileUtil::readFile(path), path);
}

UiResTable UiResTable::parse(const std::string& text, const std::string& sourceName) {
    const XmlInput input(text, sourceName);
    const Reader reader{input};
    const pugi::xml_node root = input.expectRoot("resources");
    UiResTable table;
    for (const pugi::xml_node& top : input.getElements(root)) {
        if (findWidgetKind(top.name())) {
            std::set<std::string> names;
            UiWidgetDesc desc = reader.parseWidget(top, false, names);
            if (desc.name.empty()) input.fail(top, std::string("<") + top.name() + "> at the top needs a name");
            if (!table._widgets.emplace(desc.name, std::move(desc)).second)
                input.fail(top, "widget \"" + std::string(top.attribute("name").value()) + "\" appears twice");
            continue;
        }
        if (std::string(top.name()) != "class" || !top.attribute("name"))
            input.fail(top, "expected <class name=\"...\"> or a widget");
        for (const pugi::xml_node& node : input.getElements(top)) {
            const std::string key = node.attribute("key").value();
            if (key.empty()) input.fail(node, std::string("<") + node.name() + "> has no key");
            if (!table._resources.emplace(std::pair(top.attribute("name").value(), key), reader.parseResource(node))
                     .second)
                input.fail(node,
                           "key \"" + key + "\" appears twice in class \"" + top.attribute("name").value() + "\"");
        }
    }
    return table;
}

std::string UiResTable::getResourcePath(const std::string& fileName) {
    // Installed copies and tests may point elsewhere.
    const char* directory = std::getenv("ZV_RESOURCES_DIR");
    return std::string(directory && *directory ? directory : ZV_RESOURCES_DIR) + "/" + fileName;
}

void UiResTable::addResTableInfo(const UiResTable& other) {
    for (const auto& [key, resource] : other._resources) _resources.insert_or_assign(key, resource);
    for (const auto& [name, desc] : other._widgets) _widgets.insert_or_assign(name, desc);
}

} // namespace Zv
