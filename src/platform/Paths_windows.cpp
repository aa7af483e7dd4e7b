#include "platform/Paths.h"
#include "platform/Utf16.h"

#include <filesystem>
#include <memory>
#include <windows.h>

namespace kivp {

const char kSearchPathSeparator = ';';
const char kPathSeparator = '\\';

namespace {

DWORD attributesOf(const std::string& path) {
    return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(toUtf16(path).c_str());
}

// Calls a Win32 function that fills a buffer and returns the length it needed when the buffer was too small.
template <typename Call> std::wstring filledBuffer(Call call) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD n = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(n + 1);
    }
    return {};
}

std::wstring fullPathOf(const std::wstring& path) {
    return filledBuffer([&](wchar_t* out, DWORD size) { return GetFullPathNameW(path.c_str(), size, out, nullptr); });
}

// A drive's root keeps its "\" ("C:\"); every other folder loses the ones it ends in.
std::string withoutTrailingSeparators(std::string path) {
    const std::size_t keep = path.size() >= 3 && path[1] == ':' ? 3 : 1;
    while (path.size() > keep && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    return path;
}

struct FindCloser {
    void operator()(HANDLE handle) const { FindClose(handle); }
};
using FindHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindCloser>;

// Every entry FindFirstFileExW gives for dir\pattern that is not a folder, in the file system's order.
std::vector<std::string> findFiles(const std::string& dir, const wchar_t* pattern) {
    std::vector<std::string> names;
    if (dir.empty())
        return names;
    std::wstring query = toUtf16(dir);
    if (query.back() != L'\\' && query.back() != L'/')
        query += L'\\';
    query += pattern;
    WIN32_FIND_DATAW found;
    // No short names are asked for and the entries come in large batches: a team folder can hold thousands.
    FindHandle handle(FindFirstFileExW(query.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
    if (handle.get() == INVALID_HANDLE_VALUE) {
        handle.release();
        return names;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(fromUtf16(found.cFileName));
    } while (FindNextFileW(handle.get(), &found));
    return names;
}

} // namespace

std::string currentDirectory() {
    return fromUtf16(filledBuffer([](wchar_t* out, DWORD size) { return GetCurrentDirectoryW(size, out); }));
}

bool setCurrentDirectory(const std::string& dir) { return SetCurrentDirectoryW(toUtf16(dir).c_str()) != 0; }

bool isDirectory(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isRegularFile(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool pathExists(const std::string& path) { return attributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool isAbsolutePath(std::string_view path) {
    const auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
    if (path.size() >= 3 && path[1] == ':' && isSeparator(path[2]))
        return true;
    return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
}

std::string absolutePath(const std::string& path) {
    const std::wstring full = fullPathOf(toUtf16(path));
    return full.empty() ? path : withoutTrailingSeparators(fromUtf16(full));
}

bool makeFolders(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(toUtf16(path)), error);
    return isDirectory(path);
}

std::string shortPathOfFolder(const std::string& folder) {
    if (!isDirectory(folder))
        return {};
    const std::wstring full = fullPathOf(toUtf16(folder));
    const std::wstring shortForm =
        filledBuffer([&](wchar_t* out, DWORD size) { return GetShortPathNameW(full.c_str(), out, size); });
    return shortForm.empty() ? std::string() : withoutTrailingSeparators(fromUtf16(shortForm));
}

std::string resolveIgnoringCase(const std::string& path) { return path; }

std::vector<std::string> listFiles(const std::string& dir) { return findFiles(dir, L"*"); }

std::vector<std::string> listTeamFiles(const std::string& dir) { return findFiles(dir, L"*.dat"); }

} // namespace kivp
