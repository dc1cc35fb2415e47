#pragma once

#include <string>

namespace Zv {

// Raises the failures of the system as exceptions, so callers and tests can intercept them.
class Assertions {
public:
    [[noreturn]] static void throwAssertionFailed(const char* file, int line, const char* expression);
    [[noreturn]] static void throwProgramAborted(const char* file, int line, const std::string& reason);
};

} // namespace Zv

// The condition text is kept exactly as written, so reports can be compared word for word.
#define ZV_ASSERT(condition)                                                                                           \
    do {                                                                                                               \
        if (!(condition)) ::Zv::Assertions::throwAssertionFailed(__FILE__, __LINE__, #condition);                      \
    } while (false)

#define ZV_ABORT(reason) ::Zv::Assertions::throwProgramAborted(__FILE__, __LINE__, (reason))
