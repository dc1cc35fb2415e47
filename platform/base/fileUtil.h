#pragma once

#include <string>
#include <string_view>

namespace Zv {

class FileUtil {
public:
    // Whole file as bytes; ExBadInput naming the path when it cannot be read.
    static std::string readFile(const std::string& path);
    // Writes a temporary file beside path, then renames it over path, so a crash never leaves half a file.
    static void writeFileAtomically(const std::string& path, std::string_view content);
};

} // namespace Zv
