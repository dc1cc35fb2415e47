// schematic script: replays a scripted session of the schematic view, headless.
#include "app/appCommand.h"
#include "app/commandArgs.h"
#include "app/host/scriptSession.h"

#include "platform/base/exBase.h"

#include <cstdio>
#include <iostream>

namespace Zv {
namespace {

int script(const std::vector<std::string>& argv) {
    CommandArgs args(argv, {"--size"}, {});
    const std::vector<std::string>& operands = args.getOperands();
    if (operands.empty() || operands.size() > 2) throw ExBadInput(__FILE__, __LINE__, "script takes SCRIPT [FILE]");
    int width = ScriptSession::DefaultWidth, height = ScriptSession::DefaultHeight;
    if (args.has("--size")) args.getSize("--size", width, height);
    ScriptSession session("Schematic", operands.size() == 2 ? operands[1] : std::string(), width, height, std::cout);
    try {
        session.runFile(operands[0]);
    } catch (const ExBadInput& ex) {
        // The reason already names the script and the line.
        std::cout.flush();
        std::fprintf(stderr, "%s\n", ex.getMessage().c_str());
        return 1;
    }
    return 0;
}

const AppCommand::Registration registration({"script", "script SCRIPT [FILE] [--size WxH]",
                                             "replay a scripted session of the view on FILE (the built-in sample)",
                                             script});

} // namespace
} // namespace Zv
