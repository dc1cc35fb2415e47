#include "platform/base/fileUtil.h"

#include "platform/base/exBase.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace Zv {

std::string FileUtil::readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ExBadInput(path.c_str(), 0, path + ": cannot be read: " + std::strerror(errno));
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void FileUtil::writeFileAtomically(const std::string& path, std::string_view content) {
    std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            throw ExBadInput(path.c_str(), 0, path + ": cannot be written: " + std::strerror(errno));
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        int error = errno;
        std::remove(temporary.c_str());
        throw ExBadInput(path.c_str(), 0, path + ": cannot be replaced: " + std::strerror(error));
    }
}

} // namespace Zv
