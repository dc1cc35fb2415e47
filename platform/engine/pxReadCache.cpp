#include "platform/engine/pxReadCache.h"

#include "platform/engine/pxTools.h"

#include <OpenImageIO/imagebufalgo.h>
#include <OpenImageIO/imageio.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

namespace Zv {
namespace {

namespace fs = std::filesystem;

// RGBA from what the file has: grey spreads to the colours, a missing alpha is opaque.
std::shared_ptr<const OIIO::ImageBuf> toRgba(const OIIO::ImageBuf& source) {
    int channels = source.nchannels();
    std::array<int, 4> order{0, 1, 2, 3};
    if (channels < 3) order = {0, 0, 0, channels == 2 ? 1 : -1};
    else if (channels == 3) order[3] = -1;
    const float values[4] = {0, 0, 0, 1};
    auto rgba = std::make_shared<OIIO::ImageBuf>();
    if (!OIIO::ImageBufAlgo::channels(*rgba, source, 4, order, values))
        throw PxToolError("cannot convert the image to RGBA: " + rgba->geterror());
    return rgba;
}

// Files are read whole into a buffer each worker keeps: on machines like ours, faulting fresh
// memory in costs more than reading the file. Buffers above this size are given back after use.
constexpr size_t kKeptBufferBytes = size_t(64) << 20;

std::vector<unsigned char>& fileBuffer() {
    thread_local std::vector<unsigned char> buffer;
    return buffer;
}

std::shared_ptr<const OIIO::ImageBuf> readScaled(const std::string& path, int width, int height) {
    auto input = OIIO::ImageInput::open(path);
    if (!input) throw PxToolError("cannot read \"" + path + "\": " + OIIO::geterror());
    OIIO::ImageSpec spec = input->spec();
    spec.channelformats.clear(); // read every channel as the file's main format
    std::vector<unsigned char>& buffer = fileBuffer();
    if (buffer.size() < spec.image_bytes()) buffer.resize(spec.image_bytes());
    if (!input->read_image(0, 0, 0, spec.nchannels, spec.format, buffer.data()))
        throw PxToolError("cannot read \"" + path + "\": " + input->geterror());
    OIIO::ImageBuf file(spec, buffer.data());
    OIIO::ImageBuf scaled(OIIO::ImageSpec(width, height, spec.nchannels, OIIO::TypeDesc::FLOAT));
    // A box filter averages exactly the file pixels under each result pixel.
    bool done = OIIO::ImageBufAlgo::resize(scaled, file, "box");
    if (buffer.size() > kKeptBufferBytes) std::vector<unsigned char>().swap(buffer);
    if (!done) throw PxToolError("cannot scale \"" + path + "\": " + scaled.geterror());
    return toRgba(scaled);
}

} // namespace

PxReadCache& PxReadCache::getInstance() {
    static PxReadCache instance;
    return instance;
}

std::shared_ptr<const OIIO::ImageBuf> PxReadCache::read(const std::string& path, int width, int height) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) throw PxToolError("no image file \"" + path + "\"");
    int64_t fileSize = static_cast<int64_t>(fs::file_size(path, error));
    int64_t modified = fs::last_write_time(path, error).time_since_epoch().count();
    auto matches = [&](const Entry& entry) {
        return entry.path == path && entry.width == width && entry.height == height;
    };
    {
        std::lock_guard lock(_mutex);
        auto found = std::find_if(_entries.begin(), _entries.end(), matches);
        if (found != _entries.end() && found->fileSize == fileSize && found->modified == modified) {
            found->lastUse = ++_useCount;
            return found->image;
        }
    }
    // Read outside the lock: other workers go on with other files meanwhile.
    std::shared_ptr<const OIIO::ImageBuf> image = readScaled(path, width, height);
    std::lock_guard lock(_mutex);
    std::erase_if(_entries, matches);
    if (_entries.size() >= kCapacity)
        _entries.erase(std::min_element(_entries.begin(), _entries.end(),
                                        [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; }));
    _entries.push_back({path, width, height, fileSize, modified, ++_useCount, image});
    return image;
}

void PxReadCache::clear() {
    std::lock_guard lock(_mutex);
    _entries.clear();
}

} // namespace Zv
