// The `schematic` program: headless commands over compositions and node descriptions, and scripted
// sessions of the schematic view. The view and the commands that draw with it are modules.
#include "app/appCommand.h"
#include "app/host/appModules.h"

#include "platform/base/exBase.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
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
    // Modules register their commands as they load.
    try {
        Zv::AppModules::loadAll(Zv::AppModules::getDefaultFolder());
    } catch (const Zv::ExBase& ex) {
        std::fprintf(stderr, "schematic: %s\n", ex.getMessage().c_str());
        return 1;
    }
    if (args.empty() || args[0] == "help" || args[0] == "--help") {
        printUsage();
        return 0;
    }
    const Zv::AppCommand* command = Zv::AppCommand::find(args[0]);
    if (!command) {
        std::fprintf(stderr, "schematic: unknown command '%s' (try 'schematic help')\n", args[0].c_str());
        return 2;
    }
    // Whatever goes wrong ends as one message and status 1, never as an abort.
    auto fail = [command](const std::string& message) {
        std::fprintf(stderr, "schematic %s: %s\n", command->name, message.c_str());
        return 1;
    };
    int status = 0;
    try {
        status = command->run(std::vector<std::string>(args.begin() + 1, args.end()));
    } catch (const Zv::ExBase& ex) {
        return fail(ex.getMessage());
    } catch (const std::bad_alloc&) {
        return fail("out of memory");
    } catch (const std::exception& ex) {
        return fail(ex.what());
    } catch (...) {
        return fail("unexpected failure");
    }
    // Output that did not reach its file (a full disk, a closed pipe) is a failure too.
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return fail(std::string("cannot write the standard output: ") +
                    (errno != 0 ? std::strerror(errno) : "write error"));
    return status;
}
