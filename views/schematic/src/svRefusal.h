#pragma once

#include "platform/base/exBase.h"
#include "platform/base/liString.h"

#include <source_location>
#include <string>

namespace Zv {

// How the view's edits and scripts turn down bad input: one message, raised where the check failed.
class SvRefusal {
public:
    [[noreturn]] static void refuse(const std::string& reason,
                                    const std::source_location& where = std::source_location::current()) {
        throw ExBadInput(where.file_name(), static_cast<int>(where.line()), reason);
    }
    // A name as messages show it, in double quotes.
    static std::string quoted(const LiString& name) { return "\"" + name.str() + "\""; }
};

} // namespace Zv
