#include "platform/ui/wsFontUtils.h"

#include "platform/ui/wsUtf8.h"

namespace Zv {

LiString WsFontUtils::truncateAtTheEnd(const WsFont& font, const LiString& text, float maxWidth) {
    if (font.getStringWidth(text) <= maxWidth) return text;
    const float room = maxWidth - font.getStringWidth(Ellipsis);
    if (room < 0.0f) return {};
    const std::string_view bytes = text.str();
    float width = 0.0f;
    size_t kept = 0;
    for (size_t i = 0; i < bytes.size();) {
        width += font.getCharWidth(WsUtf8::next(bytes, i));
        if (width > room) break;
        kept = i;
    }
    return LiString(bytes.substr(0, kept)) + Ellipsis;
}

} // namespace Zv
