// The `schematic` program: the desktop window, headless commands over compositions and node
// descriptions, and scripted sessions of the schematic view. The view and the commands that draw
// with it are modules.
#include "app/appCommand.h"
#include "app/host/appModules.h"

#include "platform/base/exBase.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
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

// A first word that is no command is the window's when it is an option or looks like a file.
bool isWindowArgument(const std::string& word) {
    std::error_code error;
    return word.starts_with('-') || word.find('/') != std::string::npos || word.ends_with(".xml") ||
           std::filesystem::exists(word, error);
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
    if (!args.empty() && (args[0] == "help" || args[0] == "--help")) {
        printUsage();
        return 0;
    }
    const Zv::AppCommand* command = args.empty() ? nullptr : Zv::AppCommand::find(args[0]);
    if (command) {
        args.erase(args.begin());
    } else if (args.empty() || isWindowArgument(args[0])) {
        // No command, or a file or an option in its place: the window.
        command = Zv::AppCommand::find("window");
    } else {
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
        status = command->run(args);
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
