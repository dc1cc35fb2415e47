#pragma once

#include <string>
#include <vector>

namespace Zv {

// A widget as a resource file describes it, checked when the file was read.
struct UiWidgetDesc {
    // The widgets a resource file can describe.
    enum class Kind : int {
        Container = 0, // holds the widgets inside it
        Tab = 1,       // one page per widget inside it
        Toggle = 2,    // a check box
        Menu = 3,      // an option menu of items
        Label = 4,     // a line of text
        TextField = 5, // an editable line of text
    };

    Kind kind = Kind::Container;
    std::string name;
    std::string text;
    std::string title;  // the page title, inside a tab
    bool value = false; // a toggle's state
    int selected = -1;  // a menu's selected item
    std::vector<std::string> items;
    std::vector<UiWidgetDesc> children;
};

} // namespace Zv
