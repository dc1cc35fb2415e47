#include "platform/base/liString.h"

namespace Zv {
namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

size_t LiString::getNbChars() const {
    size_t count = 0;
    for (char c : _text)
        if (!isContinuationByte(c)) ++count;
    return count;
}

LiString LiString::leftChars(size_t n) const {
    size_t chars = 0;
    for (size_t i = 0; i < _text.size(); ++i) {
        if (!isContinuationByte(_text[i]) && chars++ == n) return LiString(_text.substr(0, i));
    }
    return *this;
}

std::vector<LiString> LiString::split(std::string_view separator) const {
    std::vector<LiString> pieces;
    if (separator.empty()) return {*this};
    size_t start = 0;
    for (size_t at = _text.find(separator); at != std::string::npos; at = _text.find(separator, start)) {
        pieces.emplace_back(_text.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.emplace_back(_text.substr(start));
    return pieces;
}

} // namespace Zv
