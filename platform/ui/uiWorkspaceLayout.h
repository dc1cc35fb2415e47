#pragma once

#include "platform/base/liString.h"

#include <pugixml.hpp>

#include <memory>
#include <string>

namespace Zv {

class UiView;

// The workspace layout: for each view, by name, its type and its "Settings" element, kept in a file:
//   <workspace version="1">
//     <view name="Schematic1" type="Schematic"><Settings>...</Settings></view>
//   </workspace>
class UiWorkspaceLayout {
public:
    // "workspace.xml" in the user's configuration folder.
    static std::string getDefaultPath();

    UiWorkspaceLayout();
    ~UiWorkspaceLayout();

    // A missing file gives an empty layout; a malformed one too, with one warning naming the file,
    // the line and the reason.
    void load(const std::string& path);
    // Writes the file last loaded (the default path when none), creating its folder.
    void save() const;

    // The view's "Settings" element; an empty node when the layout has none for that view.
    pugi::xml_node getViewSettings(const LiString& viewName) const;
    // Keeps what the view writes as its settings, replacing what was kept under that name.
    void storeView(const LiString& viewName, const UiView& view);
    // Hands the kept settings to the view; false when there are none.
    bool applyToView(const LiString& viewName, UiView& view) const;

private:
    pugi::xml_node findView(const LiString& viewName) const;

    std::string _path;
    std::unique_ptr<pugi::xml_document> _document;
};

} // namespace Zv
