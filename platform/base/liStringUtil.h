#pragma once

#include "platform/base/liString.h"

#include <concepts>
#include <optional>
#include <string>

namespace Zv {

class LiStringUtil {
public:
    // Decimal text of an integer.
    static LiString convertNb(std::integral auto value) { return LiString(std::to_string(value)); }
    // Shortest text that reads back as the same float.
    static LiString convertNb(double value);
    // Fixed-point text with the given number of decimals; no sign on a text of zero.
    static LiString convertNb(double value, int decimals);

    // Whole-text parses; nothing when the text is not entirely a number.
    static std::optional<long long> parseInt(const LiString& text);
    static std::optional<double> parseFloat(const LiString& text);
};

} // namespace Zv
