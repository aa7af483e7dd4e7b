#include "platform/FileWriting.h"

#include "platform/Paths.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivp {

namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind(kPathSeparator);
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string(1, kPathSeparator) : path.substr(0, slash);
}

// A link is replaced at the file it points to, so the user's link stays a link.
std::string followLinks(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < 16; ++depth) {
        struct stat st {};
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::string target(PATH_MAX, '\0');
        const auto n = readlink(current.c_str(), target.data(), target.size());
        if (n <= 0)
            return current;
        target.resize(static_cast<std::size_t>(n));
        current = target.front() == kPathSeparator ? target : joinPath(folderOf(current), target);
    }
    return current;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string temporaryNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    const auto slash = target.rfind(kPathSeparator);
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return dir + "." + name + ".kivp-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

} // namespace

bool isWritable(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return false;
    if ((st.st_mode & kAnyWriteBit) == 0)
        return false;
    return access(path.c_str(), W_OK) == 0;
}

bool replaceFile(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return false;
    const std::string target = followLinks(path);
    struct stat existing {};
    const bool exists = stat(target.c_str(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || !isWritable(target)))
        return false;
    if (!isWritable(folderOf(target)))
        return false;

    const std::string temporary = temporaryNameFor(target);
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, bytes);
    if (ok && exists)
        ok = fchmod(fd, existing.st_mode & 07777) == 0;
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (ok)
        ok = rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok)
        unlink(temporary.c_str());
    return ok;
}

bool emptyFileInPlace(const std::string& path) {
    if (path.empty())
        return false;
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode) || !isWritable(path))
            return false;
    } else if (!isWritable(folderOf(path))) {
        return false;
    }
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    return close(fd) == 0;
}

} // namespace kivp
