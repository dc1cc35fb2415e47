#include "platform/base/fileUtil.h"

#include "platform/base/exBase.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Zv {
namespace {

// Closes a descriptor on every path out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : _fd(fd) {}
    ~FileDescriptor() {
        if (_fd >= 0) ::close(_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return _fd; }
    // Closes now, reporting failure: a late write error can surface only here.
    bool close() {
        int fd = _fd;
        _fd = -1;
        return ::close(fd) == 0;
    }

private:
    int _fd;
};

[[noreturn]] void fail(const std::string& path, const std::string& what, int error) {
    throw ExBadInput(path.c_str(), 0, path + ": " + what + ": " + std::strerror(error));
}

[[noreturn]] void failBecause(const std::string& path, const std::string& reason) {
    throw ExBadInput(path.c_str(), 0, path + ": " + reason);
}

// The file that path names once symbolic links are followed (it may not exist yet).
std::string resolveLinks(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path target = path;
    // As many links as the system itself follows before it gives up.
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(target, error))) return target.string();
        fs::path next = fs::read_symlink(target, error);
        if (error) fail(path, "cannot be written", error.value());
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    fail(path, "cannot be written", ELOOP);
}

// The permission bits a new file gets from the process's file-creation mask.
mode_t getNewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

} // namespace

std::string FileUtil::readFile(const std::string& path, size_t maxSize) {
    // Not blocking, so that opening a pipe without a writer cannot hang before it is refused.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) fail(path, "cannot be read", errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) fail(path, "cannot be read", errno);
    if (!S_ISREG(status.st_mode)) failBecause(path, "cannot be read: not a regular file");
    auto tooLarge = [&] {
        failBecause(path, "cannot be read: larger than the limit of " + std::to_string(maxSize) + " bytes");
    };
    if (static_cast<uintmax_t>(status.st_size) > maxSize) tooLarge();
    // Sizes can lie (files of the system, files still growing): the limit holds for what is read.
    // One byte more than the size, so that the end shows without growing the buffer.
    std::string content(static_cast<size_t>(status.st_size) + 1, '\0');
    size_t filled = 0;
    for (;;) {
        if (filled == content.size()) {
            if (filled > maxSize) tooLarge();
            content.resize(std::min(2 * content.size(), maxSize + 1));
        }
        ssize_t got = ::read(file.get(), content.data() + filled, content.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) fail(path, "cannot be read", errno);
        if (got == 0) break;
        filled += static_cast<size_t>(got);
    }
    content.resize(filled);
    return content;
}

void FileUtil::writeFileAtomically(const std::string& path, std::string_view content) {
    const std::string target = resolveLinks(path);
    struct stat status {};
    const bool exists = ::stat(target.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) failBecause(path, "cannot be written: not a regular file");
    const mode_t mode = exists ? (status.st_mode & 07777) : getNewFileMode();

    const std::filesystem::path targetPath(target);
    std::string temporary = (targetPath.parent_path() / ("." + targetPath.filename().string() + ".XXXXXX")).string();
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0) fail(path, "cannot be written", errno);
    auto failAndRemove = [&](const char* what) {
        int error = errno;
        std::remove(temporary.c_str());
        fail(path, what, error);
    };
    if (::fchmod(file.get(), mode) != 0 || !writeAll(file.get(), content) || ::fsync(file.get()) != 0 || !file.close())
        failAndRemove("cannot be written");
    if (std::rename(temporary.c_str(), target.c_str()) != 0) failAndRemove("cannot be replaced");
}

} // namespace Zv
