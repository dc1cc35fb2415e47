#include "app/appCommand.h"

#include <algorithm>
#include <cstring>

namespace Zv {
namespace {

std::vector<AppCommand>& commands() {
    static std::vector<AppCommand> value;
    return value;
}

} // namespace

AppCommand::Registration::Registration(const AppCommand& command) {
    auto& all = commands();
    auto at = std::lower_bound(all.begin(), all.end(), command, [](const AppCommand& a, const AppCommand& b) {
        return std::strcmp(a.name, b.name) < 0;
    });
    all.insert(at, command);
}

const std::vector<AppCommand>& AppCommand::getAll() {
    return commands();
}

const AppCommand* AppCommand::find(const std::string& name) {
    for (const AppCommand& command : commands())
        if (name == command.name) return &command;
    return nullptr;
}

} // namespace Zv
