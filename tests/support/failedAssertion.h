#pragma once

#include "platform/base/exBase.h"

#include <string>

namespace Zv::TestSupport {

// The condition text of the assertion the call fails, or "none"; other exceptions pass through.
template <class Call>
std::string failedAssertion(Call call) {
    try {
        call();
    } catch (const ExAssertionFailed& ex) {
        return ex.getExpression();
    }
    return "none";
}

} // namespace Zv::TestSupport
