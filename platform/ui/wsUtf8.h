#pragma once

#include <string_view>

namespace Zv {

// Walks UTF-8 text one code point at a time without allocating.
class WsUtf8 {
public:
    static constexpr char32_t Replacement = 0xFFFD;

    // The code point starting at index, which moves past it. A malformed byte reads as Replacement
    // and is skipped alone, so bad text still draws.
    static char32_t next(std::string_view text, size_t& index) {
        const auto lead = static_cast<unsigned char>(text[index++]);
        if (lead < 0x80) return lead;
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
        if (extra < 0 || lead > 0xF4 || index + extra > text.size()) return Replacement;
        char32_t code = lead & (0x3F >> extra);
        for (int i = 0; i < extra; ++i) {
            const auto byte = static_cast<unsigned char>(text[index + i]);
            if ((byte & 0xC0) != 0x80) return Replacement;
            code = (code << 6) | (byte & 0x3F);
        }
        index += extra;
        return code;
    }
};

} // namespace Zv
