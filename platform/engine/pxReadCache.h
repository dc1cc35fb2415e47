#pragma once

#include <OpenImageIO/imagebuf.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Zv {

// Files read for Read nodes, already scaled to the size asked for. A file is read again when its
// size or modification time changed. Thread-safe: every worker reads through it.
class PxReadCache {
public:
    static PxReadCache& getInstance();

    // The file's image as premultiplied RGBA floats at that size; raises PxToolError when the file
    // cannot be read.
    std::shared_ptr<const OIIO::ImageBuf> read(const std::string& path, int width, int height);
    void clear();

    // Scaled images kept; the oldest goes first.
    static constexpr size_t kCapacity = 64;

private:
    struct Entry {
        std::string path;
        int width = 0;
        int height = 0;
        int64_t fileSize = 0;
        int64_t modified = 0;
        uint64_t lastUse = 0;
        std::shared_ptr<const OIIO::ImageBuf> image;
    };

    PxReadCache() = default;

    std::mutex _mutex;
    std::vector<Entry> _entries;
    uint64_t _useCount = 0;
};

} // namespace Zv
