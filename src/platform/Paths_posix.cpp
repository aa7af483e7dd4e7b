#include "platform/Paths.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace kivp {

const char kSearchPathSeparator = ':';
const char kPathSeparator = '/';

namespace {

std::pair<std::string, std::string> splitParent(const std::string& path) {
    const auto slash = path.rfind(kPathSeparator);
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? std::string(1, kPathSeparator) : path.substr(0, slash), path.substr(slash + 1)};
}

// Whether path names an entry of its folder, a link that points nowhere included.
bool hasEntry(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> listEntries(const std::string& dir, bool regularFilesOnly) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> handle(opendir(dir.empty() ? "." : dir.c_str()), closedir);
    if (!handle)
        return names;
    while (const dirent* entry = readdir(handle.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (regularFilesOnly && !isRegularFile(joinPath(dir, name)))
            continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return listsBefore(a, b); });
    return names;
}

} // namespace

std::string currentDirectory() {
    std::string buffer(PATH_MAX, '\0');
    if (!getcwd(buffer.data(), buffer.size()))
        return {};
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    return buffer;
}

bool setCurrentDirectory(const std::string& dir) { return chdir(dir.c_str()) == 0; }

bool isDirectory(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool pathExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0;
}

bool isAbsolutePath(std::string_view path) { return !path.empty() && path.front() == kPathSeparator; }

std::string absolutePath(const std::string& path) {
    const std::string full = isAbsolutePath(path) ? path : joinPath(currentDirectory(), path);
    std::string normal = std::filesystem::path(full).lexically_normal().string();
    if (normal.size() > 1 && normal.back() == kPathSeparator)
        normal.pop_back();
    return normal;
}

bool makeFolders(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return isDirectory(path);
}

std::string shortPathOfFolder(const std::string& folder) {
    if (!isDirectory(folder))
        return {};
    std::string absolute = folder;
    if (!isAbsolutePath(absolute))
        absolute = joinPath(currentDirectory(), folder);
    while (absolute.size() > 1 && absolute.back() == kPathSeparator)
        absolute.pop_back();
    return absolute;
}

std::string resolveIgnoringCase(const std::string& path) {
    if (path.empty() || hasEntry(path))
        return path;
    auto [dir, name] = splitParent(path);
    if (name.empty())
        return path;
    for (const auto& candidate : listEntries(dir, false)) {
        if (equalsIgnoringCase(candidate, name))
            return path.substr(0, path.size() - name.size()) + candidate;
    }
    return path;
}

std::vector<std::string> listFiles(const std::string& dir) {
    if (dir.empty())
        return {};
    return listEntries(dir, true);
}

std::vector<std::string> listTeamFiles(const std::string& dir) {
    auto names = listFiles(dir);
    std::erase_if(names, [](const std::string& name) { return !endsWithIgnoringCase(name, ".dat"); });
    return names;
}

} // namespace kivp
