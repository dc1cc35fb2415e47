#include "platform/base/rcExUtil.h"

#include "platform/base/exBase.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <string>

namespace Zv {

void RCExUtil::throwExNullPtr(const char* typeName) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(abi::__cxa_demangle(typeName, nullptr, nullptr, &status),
                                                          &std::free);
    std::string name = status == 0 && demangled ? demangled.get() : typeName;
    throw ExNullPtr(__FILE__, __LINE__, "null pointer dereferenced: " + name);
}

} // namespace Zv
