#include "platform/base/assertions.h"

#include "platform/base/exBase.h"

namespace Zv {

void Assertions::throwAssertionFailed(const char* file, int line, const char* expression) {
    throw ExAssertionFailed(file, line, expression);
}

void Assertions::throwProgramAborted(const char* file, int line, const std::string& reason) {
    throw ExProgramAborted(file, line, "program aborted: " + reason);
}

} // namespace Zv
