#pragma once

#include <string>
#include <vector>

namespace Zv {

// One command of the `schematic` program. Each command's file registers itself with a static
// AppCommand::Registration, so adding a command touches no other file.
struct AppCommand {
    using Run = int (*)(const std::vector<std::string>& args);

    const char* name;
    const char* usage;
    const char* summary;
    Run run;

    struct Registration {
        explicit Registration(const AppCommand& command);
    };

    // Commands in name order.
    static const std::vector<AppCommand>& getAll();
    static const AppCommand* find(const std::string& name);
};

} // namespace Zv
