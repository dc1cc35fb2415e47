#pragma once

namespace Zv {

class RCExUtil {
public:
    // Raises ExNullPtr naming the type the null handle points to.
    [[noreturn]] static void throwExNullPtr(const char* typeName);
};

} // namespace Zv
