#include "platform/base/uuid.h"

#include <random>

namespace Zv {
namespace {

constexpr char kDigits[] = "0123456789abcdef";
constexpr size_t kTextSize = 36;

bool isDashAt(size_t position) {
    return position == 8 || position == 13 || position == 18 || position == 23;
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

Uuid Uuid::generate() {
    std::random_device device;
    auto draw = [&device] { return (static_cast<uint64_t>(device()) << 32) | device(); };
    uint64_t high = draw();
    return fromBits(high, draw());
}

Uuid Uuid::fromBits(uint64_t high, uint64_t low) {
    Uuid uuid;
    for (int i = 0; i < 8; ++i) {
        uuid._bytes[i] = static_cast<uint8_t>(high >> (56 - 8 * i));
        uuid._bytes[8 + i] = static_cast<uint8_t>(low >> (56 - 8 * i));
    }
    uuid._bytes[6] = static_cast<uint8_t>((uuid._bytes[6] & 0x0f) | 0x40);
    uuid._bytes[8] = static_cast<uint8_t>((uuid._bytes[8] & 0x3f) | 0x80);
    return uuid;
}

std::optional<Uuid> Uuid::parse(const LiString& text) {
    const std::string& s = text.str();
    if (s.size() != kTextSize) return std::nullopt;
    Uuid uuid;
    size_t nibble = 0;
    for (size_t i = 0; i < kTextSize; ++i) {
        if (isDashAt(i)) {
            if (s[i] != '-') return std::nullopt;
            continue;
        }
        int value = digitValue(s[i]);
        if (value < 0) return std::nullopt;
        uint8_t& byte = uuid._bytes[nibble / 2];
        byte = static_cast<uint8_t>(byte | (nibble % 2 ? value : value << 4));
        ++nibble;
    }
    return uuid;
}

LiString Uuid::toString() const {
    std::string text;
    text.reserve(kTextSize);
    for (size_t i = 0; i < _bytes.size(); ++i) {
        if (isDashAt(text.size())) text += '-';
        text += kDigits[_bytes[i] >> 4];
        text += kDigits[_bytes[i] & 0x0f];
    }
    return LiString(std::move(text));
}

} // namespace Zv
