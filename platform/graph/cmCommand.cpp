#include "platform/graph/cmCommand.h"

#include <chrono>

namespace Zv {
namespace {

template <class Step>
double timed(Step step) {
    auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

void CmCommand::dump(std::ostream& out) const {
    out << getName().str() << "\n";
}

void CmCommand::execute() {
    _executionTime = timed([this] { doIt(); });
}

void CmCommand::unexecute() {
    _unexecutionTime = timed([this] { undoIt(); });
}

} // namespace Zv
