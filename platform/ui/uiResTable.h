#pragma once

#include "platform/ui/uiResColor.h"

#include <map>
#include <string>
#include <utility>
#include <variant>

namespace Zv {

// Named resources read from an XML file, looked up by resource class and key:
//   <resources>
//     <class name="SvSchematicDisplay">
//       <color key="Selected" value="#f0c040"/>
//       <text key="Title" value="Schematic"/>
//     </class>
//   </resources>
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

private:
    std::map<std::pair<std::string, std::string>, Resource> _resources;
};

} // namespace Zv
