#include "platform/FileSystem.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace files {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool writeAll(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool replaceFile(const char* path, const void* data, std::size_t size, std::string& error) {
    const std::string target = path;
    const std::string temporary = target + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = temporary + ": cannot be created (" + std::strerror(errno) + ")";
        return false;
    }
    bool good = writeAll(fd, data, size);
    if (!good) error = temporary + ": writing failed (" + std::strerror(errno) + ")";
    if (good && ::fsync(fd) != 0) {
        error = temporary + ": flushing to the disk failed (" + std::strerror(errno) + ")";
        good = false;
    }
    if (::close(fd) != 0 && good) {
        error = temporary + ": closing failed (" + std::strerror(errno) + ")";
        good = false;
    }
    if (good && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = target + ": cannot be replaced (" + std::strerror(errno) + ")";
        good = false;
    }
    if (!good) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder's entry.
    const int folder = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

std::string currentFolder() {
    char buffer[4096];
    if (::getcwd(buffer, sizeof buffer) == nullptr) return ".";
    return buffer;
}

}  // namespace files
