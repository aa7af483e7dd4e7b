#include "platform/FileWriting.h"

#include "platform/Paths.h"
#include "platform/Utf16.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <windows.h>

namespace kivp {

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    return path.substr(0, slash == 2 && path[1] == ':' ? 3 : slash);
}

// Short whatever the target's name, so that a target whose name is near the file system's limit can be saved.
std::string temporaryNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    const auto slash = target.find_last_of("\\/");
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    return dir + ".kivp-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) + ".tmp";
}

struct StagedFile {
    std::string target;
    std::string temporary;
};

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool replaceable(const std::string& path) {
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(toUtf16(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            return false;
    } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    return isDirectory(folderOf(path));
}

// The bytes written to a new temporary file beside path; nothing, and no temporary file left, on failure.
std::optional<StagedFile> stage(const std::string& path, std::string_view bytes) {
    if (!replaceable(path))
        return std::nullopt;
    StagedFile staged{path, temporaryNameFor(path)};
    const std::wstring temporary = toUtf16(staged.temporary);
    // CREATE_NEW: a file or link already at the name is never written through.
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    bool ok = writeAll(file, bytes);
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    if (!ok) {
        DeleteFileW(temporary.c_str());
        return std::nullopt;
    }
    return staged;
}

bool renameOver(const std::string& from, const std::string& to) {
    return MoveFileExW(toUtf16(from).c_str(), toUtf16(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

bool isWritable(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(toUtf16(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    // A folder's read-only attribute does not keep files from being made in it.
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool mayReplace(const std::string& path) { return replaceable(path); }

bool replaceFile(const std::string& path, std::string_view bytes) { return replaceFiles({{path, bytes}}); }

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
            DeleteFileW(toUtf16(file.temporary).c_str());
    }
    return ok;
}

bool emptyFileInPlace(const std::string& path) {
    if (path.empty())
        return false;
    if (pathExists(path) ? (!isRegularFile(path) || !isWritable(path)) : !isWritable(folderOf(path)))
        return false;
    HANDLE file = CreateFileW(toUtf16(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = SetEndOfFile(file) != 0;
    return CloseHandle(file) && ok;
}

} // namespace kivp
