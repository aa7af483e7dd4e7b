#include "platform/FileWriting.h"

#include "platform/Paths.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kivp {

namespace {

constexpr int kOpenFlags = O_CLOEXEC; // no descriptor is handed on to the simulator
bool isLink(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}
ssize_t readLink(const std::string& path, std::string& target) {
    return readlink(path.c_str(), target.data(), target.size());
}
bool keepMode(int fd, mode_t mode) { return fchmod(fd, mode) == 0; }
bool syncToDisk(int fd) { return fsync(fd) == 0; }
bool renameOver(const std::string& from, const std::string& to) { return rename(from.c_str(), to.c_str()) == 0; }

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind(kPathSeparator);
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string(1, kPathSeparator) : path.substr(0, slash);
}

// A link is replaced at the file it points to, so the user's link stays a link. Nothing for a link that loops
// (or a chain too long to follow): replacing it would turn the user's link into a plain file.
std::optional<std::string> followLinks(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < 32; ++depth) {
        if (!isLink(current))
            return current;
        std::string target(PATH_MAX, '\0');
        const auto n = readLink(current, target);
        if (n <= 0)
            return std::nullopt;
        target.resize(static_cast<std::size_t>(n));
        current = isAbsolutePath(target) ? target : joinPath(folderOf(current), target);
    }
    return std::nullopt;
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

// Short whatever the target's name, so that a target whose name is near the file system's limit can be saved.
std::string temporaryNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    const auto slash = target.rfind(kPathSeparator);
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    return dir + ".kivp-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

// A file written beside its target, not yet renamed over it.
struct StagedFile {
    std::string target;
    std::string temporary;
};

// Writes bytes to a temporary file beside the file path names (links followed), after checking that the target
// may be replaced. Nothing when it may not or the bytes cannot be written; no temporary file is left then.
struct Target {
    std::string path;
    std::optional<mode_t> existingMode;
};

// Where the bytes for path go (links followed), when kivp may replace or create that file.
std::optional<Target> replaceableTarget(const std::string& path) {
    if (path.empty())
        return std::nullopt;
    const auto target = followLinks(path);
    if (!target)
        return std::nullopt;
    struct stat existing {};
    const bool exists = stat(target->c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return std::nullopt;
    if (exists && (!S_ISREG(existing.st_mode) || !isWritable(*target)))
        return std::nullopt;
    if (!isWritable(folderOf(*target)))
        return std::nullopt;
    return Target{*target, exists ? std::optional<mode_t>(existing.st_mode) : std::nullopt};
}

std::optional<StagedFile> stage(const std::string& path, std::string_view bytes) {
    const auto target = replaceableTarget(path);
    if (!target)
        return std::nullopt;
    StagedFile staged{target->path, temporaryNameFor(target->path)};
    const int fd = open(staged.temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | kOpenFlags, 0666);
    if (fd < 0)
        return std::nullopt;
    bool ok = writeAll(fd, bytes);
    if (ok && target->existingMode)
        ok = keepMode(fd, *target->existingMode & 07777);
    ok = syncToDisk(fd) && ok;
    ok = close(fd) == 0 && ok;
    if (!ok) {
        unlink(staged.temporary.c_str());
        return std::nullopt;
    }
    return staged;
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

bool mayReplace(const std::string& path) {
    return replaceableTarget(path).has_value();
}

bool replaceFile(const std::string& path, std::string_view bytes) {
    return replaceFiles({{path, bytes}});
}

bool replaceFiles(const std::vector<std::pair<std::string, std::string_view>>& files) {
    std::vector<StagedFile> staged;
    bool ok = true;
    for (const auto& [path, bytes] : files) {
        auto file = stage(path, bytes);
        if (!file) {
            ok = false;
            break;
        }
        staged.push_back(std::move(*file));
    }
    for (const auto& file : staged) {
        if (ok)
            ok = renameOver(file.temporary, file.target);
        if (!ok)
            unlink(file.temporary.c_str());
    }
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
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | kOpenFlags, 0666);
    if (fd < 0)
        return false;
    return close(fd) == 0;
}

} // namespace kivp
