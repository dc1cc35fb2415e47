#pragma once

#include "platform/base/liString.h"

#include <array>
#include <cstdint>
#include <optional>

namespace Zv {

// A 128-bit identity (random, version 4) that stays with a document wherever it is saved or renamed.
class Uuid {
public:
    // The nil identity, all zero bits.
    Uuid() = default;

    static Uuid generate();
    // The identity made of those bits, marked as a random one; the same bits give the same identity.
    static Uuid fromBits(uint64_t high, uint64_t low);
    // Nothing unless the text is the canonical lower-case form, as toString writes it.
    static std::optional<Uuid> parse(const LiString& text);

    bool isNil() const { return *this == Uuid(); }
    // "xxxxxxxx-xxxx-4xxx-yxxx-xxxxxxxxxxxx" in lower-case hexadecimal.
    LiString toString() const;
    bool operator==(const Uuid&) const = default;

private:
    std::array<uint8_t, 16> _bytes{};
};

} // namespace Zv
