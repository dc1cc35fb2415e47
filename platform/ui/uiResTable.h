#pragma once

#include "platform/ui/uiResColor.h"
#include "platform/ui/uiWidgetDesc.h"

#include <map>
#include <string>
#include <utility>
#include <variant>

namespace Zv {

// Named resources read from an XML file, looked up by resource class and key, and widgets that
// UiWidgetFactory builds by name:
//   <resources>
//     <class name="SvSchematicDisplay">
//       <color key="Selected" value="#f0c040"/>
//       <text key="Title" value="Schematic"/>
//     </class>
//     <container name="Display">
//       <toggle name="Highlight" text="Highlight" value="1"/>
//       <menu name="LinkStyle" text="Links" selected="0"><item text="Curved"/><item text="Straight"/></menu>
//       <tab name="Pages"><label name="Info" title="About" text="..."/><textField name="Name" text=""/></tab>
//     </container>
//   </resources>
// A widget inside a tab may carry the title of its page (its name by default). Names of widgets
// described at the top are unique in the file, and so are the names inside one of them.
class UiResTable {
public:
    using Resource = std::variant<UiResColor, std::string>;

    UiResTable() = default;
    // Raises ExBadInput naming the file, the line and the reason; nothing is kept from a bad file.
    static UiResTable load(const std::string& path);
    static UiResTable parse(const std::string& text, const std::string& sourceName);
    // Path of a file of the module's resource directory.
    static std::string getResourcePath(const std::string& fileName);

    // The resource of that class and key when it exists and has type T, else null.
    template <class T>
    const T* find(const std::string& resourceClass, const std::string& key) const {
        auto it = _resources.find({resourceClass, key});
        return it == _resources.end() ? nullptr : std::get_if<T>(&it->second);
    }
    // The widget described at the top of the file under that name, or null.
    const UiWidgetDesc* findWidget(const std::string& name) const {
        auto it = _widgets.find(name);
        return it == _widgets.end() ? nullptr : &it->second;
    }

    // Takes every resource and widget of another table; the other table's entries win.
    void addResTableInfo(const UiResTable& other);

private:
    std::map<std::pair<std::string, std::string>, Resource> _resources;
    std::map<std::string, UiWidgetDesc> _widgets;
};

} // namespace Zv
