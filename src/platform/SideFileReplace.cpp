#include "platform/SideFileReplace.h"

#include "platform/FileWriting.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace kivp {

bool replaceFileBySide(const std::string& path, const std::string& sidePath, std::string_view bytes) {
    // A read-only file or folder is refused, as for every file kivp replaces.
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    if ((access(path.c_str(), F_OK) == 0 && !isWritable(path)) || !isWritable(folder))
        return false;
    if (unlink(sidePath.c_str()) != 0 && errno != ENOENT)
        return false;
    const int fd = open(sidePath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = true;
    for (std::string_view rest = bytes; ok && !rest.empty();) {
        const auto n = write(fd, rest.data(), rest.size());
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            rest.remove_prefix(static_cast<std::size_t>(n));
    }
    ok = close(fd) == 0 && ok;
    if (!ok) {
        unlink(sidePath.c_str());
        return false;
    }
    if (unlink(path.c_str()) != 0 && errno != ENOENT) {
        unlink(sidePath.c_str());
        return false;
    }
    return std::rename(sidePath.c_str(), path.c_str()) == 0;
}

} // namespace kivp
