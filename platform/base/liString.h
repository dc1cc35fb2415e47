#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace Zv {

// Text of the system, UTF-8 encoded.
class LiString {
public:
    LiString() = default;
    LiString(const char* text) : _text(text ? text : "") {}
    LiString(std::string text) : _text(std::move(text)) {}
    LiString(std::string_view text) : _text(text) {}

    const std::string& str() const { return _text; }
    const char* c_str() const { return _text.c_str(); }
    bool isEmpty() const { return _text.empty(); }
    // Size in bytes.
    size_t size() const { return _text.size(); }
    // Number of code points.
    size_t getNbChars() const;
    // The first n code points.
    LiString leftChars(size_t n) const;

    bool startsWith(std::string_view prefix) const { return _text.starts_with(prefix); }
    bool endsWith(std::string_view suffix) const { return _text.ends_with(suffix); }
    // Pieces between separators, empty pieces kept.
    std::vector<LiString> split(std::string_view separator) const;

    LiString& operator+=(const LiString& other) {
        _text += other._text;
        return *this;
    }
    friend LiString operator+(LiString a, const LiString& b) { return a += b; }
    friend LiString operator+(LiString a, const char* b) { return a += LiString(b); }
    friend LiString operator+(const char* a, const LiString& b) { return LiString(a) += b; }
    bool operator==(const LiString& other) const = default;
    bool operator==(const char* other) const { return _text == other; }
    auto operator<=>(const LiString& other) const = default;

private:
    std::string _text;
};

} // namespace Zv

template <>
struct std::hash<Zv::LiString> {
    size_t operator()(const Zv::LiString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};
