#include "platform/SideFileReplace.h"

#include "platform/FileWriting.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace kivp {

namespace {

bool writeFromStart(int fd, std::string_view bytes) {
    off_t offset = 0;
    for (std::string_view rest = bytes; !rest.empty();) {
        const auto n = pwrite(fd, rest.data(), rest.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        rest.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    // Cutting the file to its new length (not to nothing first) keeps ext4 from writing it out at once.
    return ftruncate(fd, offset) == 0;
}

// The side file for writing, never through a link nor into a pipe or device left at its name: such an entry
// is removed and a regular file made fresh in its place.
int openSideFile(const std::string& sidePath) {
    int fd = open(sidePath.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        struct stat st {};
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
            return fd;
        close(fd);
    }
    struct stat st {};
    if (lstat(sidePath.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && unlink(sidePath.c_str()) != 0)
        return -1;
    return open(sidePath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

} // namespace

bool replaceFileBySide(const std::string& path, const std::string& sidePath, std::string_view bytes) {
    // A read-only file or folder is refused, as for every file kivp replaces.
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    struct stat st {};
    const bool exists = lstat(path.c_str(), &st) == 0;
    if ((exists && (!S_ISREG(st.st_mode) || !isWritable(path))) || !isWritable(folder))
        return false;

    const int fd = openSideFile(sidePath);
    if (fd < 0)
        return false;
    bool ok = writeFromStart(fd, bytes);
    ok = close(fd) == 0 && ok;
    if (!ok)
        return false;
    if (exists && renameat2(AT_FDCWD, sidePath.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0)
        return true;
    // No file there yet, or a file system that cannot swap names: the usual replacement.
    return std::rename(sidePath.c_str(), path.c_str()) == 0;
}

} // namespace kivp
