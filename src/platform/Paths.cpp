#include "platform/Paths.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace kivp {

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::pair<std::string, std::string> splitParent(const std::string& path) {
    const auto slash = path.rfind(kPathSeparator);
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? std::string(1, kPathSeparator) : path.substr(0, slash), path.substr(slash + 1)};
}

// Whether path names an entry of its folder, a link that points nowhere included.
bool hasEntry(const std::string& path) {
    struct stat st {};
#ifdef _WIN32
    return stat(path.c_str(), &st) == 0;
#else
    return lstat(path.c_str(), &st) == 0;
#endif
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

std::string joinPath(std::string_view dir, std::string_view name) {
    std::string path(dir);
    if (path.empty() || path.back() != kPathSeparator)
        path += kPathSeparator;
    path += name;
    return path;
}

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

std::string shortPathOfFolder(const std::string& folder) {
    if (!isDirectory(folder))
        return {};
    std::string absolute = folder;
    if (absolute.front() != kPathSeparator)
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

bool listsBefore(std::string_view a, std::string_view b) {
    const auto n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = upper(a[i]), y = upper(b[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && equalsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

} // namespace kivp
