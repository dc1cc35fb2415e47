#include "platform/base/liStringUtil.h"

#include <charconv>
#include <cstdio>

namespace Zv {
namespace {

template <class T>
std::optional<T> parseWhole(const LiString& text) {
    T value{};
    const char* begin = text.c_str();
    const char* end = begin + text.size();
    auto [ptr, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || ptr != end || begin == end) return std::nullopt;
    return value;
}

} // namespace

LiString LiStringUtil::convertNb(double value) {
    char buffer[64];
    auto [ptr, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return LiString(std::string_view(buffer, error == std::errc() ? ptr - buffer : 0));
}

LiString LiStringUtil::convertNb(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    // A value that rounds to zero is written without a sign, whichever side it came from.
    const bool negativeZero =
        buffer[0] == '-' && std::string_view(buffer + 1).find_first_not_of("0.") == std::string_view::npos;
    return LiString(buffer + (negativeZero ? 1 : 0));
}

std::optional<long long> LiStringUtil::parseInt(const LiString& text) {
    return parseWhole<long long>(text);
}

std::optional<double> LiStringUtil::parseFloat(const LiString& text) {
    return parseWhole<double>(text);
}

} // namespace Zv
