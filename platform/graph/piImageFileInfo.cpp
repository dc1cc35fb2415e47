#include "platform/graph/piImageFileInfo.h"

#include "platform/graph/piSocketDesc.h"

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

namespace Zv {
namespace {

constexpr size_t kHeaderSize = 4096;

// PNG colour types 4 (grey with alpha) and 6 (RGBA) carry alpha; the others read as RGB.
std::optional<int> pngChannels(const std::string& head) {
    if (head.size() < 26 || head.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || head.compare(12, 4, "IHDR") != 0)
        return std::nullopt;
    auto colorType = static_cast<uint8_t>(head[25]);
    return colorType == 4 || colorType == 6 ? PiSocketDesc::RGBA : PiSocketDesc::RGB;
}

// Reads SamplesPerPixel (tag 277) from the first directory: 2 (grey and alpha) or 4 and more carry alpha.
std::optional<int> tiffChannels(const std::string& head) {
    if (head.size() < 8) return std::nullopt;
    bool little = head.compare(0, 4, std::string("II*\0", 4)) == 0;
    if (!little && head.compare(0, 4, std::string("MM\0*", 4)) != 0) return std::nullopt;
    auto read = [&](size_t at, int bytes) -> std::optional<uint32_t> {
        if (at + bytes > head.size()) return std::nullopt;
        uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            uint32_t byte = static_cast<uint8_t>(head[at + (little ? bytes - 1 - i : i)]);
            value = (value << 8) | byte;
        }
        return value;
    };
    auto directory = read(4, 4);
    auto count = directory ? read(*directory, 2) : std::nullopt;
    if (!count) return std::nullopt;
    uint32_t samples = 1;
    for (uint32_t i = 0; i < *count; ++i) {
        size_t entry = *directory + 2 + 12 * i;
        auto tag = read(entry, 2);
        if (!tag) return std::nullopt;
        if (*tag == 277) samples = read(entry + 8, 2).value_or(1);
    }
    return samples == 2 || samples >= 4 ? PiSocketDesc::RGBA : PiSocketDesc::RGB;
}

} // namespace

int PiImageFileInfo::readChannels(const LiString& path, LiString& problem) {
    problem = LiString();
    if (path.isEmpty()) return PiSocketDesc::RGBA;
    std::ifstream in(path.str(), std::ios::binary);
    if (!in) {
        problem = path + ": cannot be read";
        return PiSocketDesc::RGBA;
    }
    std::string head(kHeaderSize, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    if (auto channels = pngChannels(head)) return *channels;
    if (auto channels = tiffChannels(head)) return *channels;
    problem = path + ": not a PNG or TIFF image";
    return PiSocketDesc::RGBA;
}

} // namespace Zv
