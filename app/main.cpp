// The `schematic` program: headless commands over compositions and node descriptions.
#include "app/appCommand.h"

#include "platform/base/exBase.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void printUsage() {
    std::puts("schematic - the node-graph view of a compositing application\n\nusage:");
    for (const Zv::AppCommand& command : Zv::AppCommand::getAll())
        std::printf("  schematic %s\n      %s\n", command.usage, command.summary);
    std::puts("  schematic help\n      this text");
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "help" || args[0] == "--help") {
        printUsage();
        return 0;
    }
    const Zv::AppCommand* command = Zv::AppCommand::find(args[0]);
    if (!command) {
        std::fprintf(stderr, "schematic: unknown command '%s' (try 'schematic help')\n", args[0].c_str());
        return 2;
    }
    try {
        return command->run(std::vector<std::string>(args.begin() + 1, args.end()));
    } catch (const Zv::ExBase& ex) {
        std::fprintf(stderr, "schematic %s: %s\n", command->name, ex.getMessage().c_str());
        return 1;
    }
}
