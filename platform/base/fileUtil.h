#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Zv {

class FileUtil {
public:
    // Files above this size are refused rather than read into memory (a composition of some seven
    // million nodes).
    static constexpr size_t kMaxFileSize = size_t(1) << 30;

    // Whole regular file as bytes; ExBadInput naming the path and the reason when it cannot be read,
    // is not a regular file (a directory, a device, a pipe) or holds more than maxSize bytes.
    static std::string readFile(const std::string& path, size_t maxSize = kMaxFileSize);
    // Writes a temporary file of a unique name beside path, flushes it to the disk, then renames it over
    // path, so a crash never leaves half a file. A symbolic link at path stays a link: the file it points
    // to gets the content. An existing file keeps its permission bits; a new one gets the usual ones.
    // ExBadInput naming the path and the system's reason on failure; the temporary file is then gone.
    static void writeFileAtomically(const std::string& path, std::string_view content);
};

} // namespace Zv
