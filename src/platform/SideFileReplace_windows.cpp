#include "platform/SideFileReplace.h"

#include "platform/FileWriting.h"
#include "platform/Paths.h"
#include "platform/Utf16.h"

#include <windows.h>

namespace kivp {

// Windows has no swap of two names, and its replacement does not write the file out at once the way ext4 does:
// the side file is made fresh each time and moved over the file, which stays whole, old or new, throughout.
bool replaceFileBySide(const std::string& path, const std::string& sidePath, std::string_view bytes) {
    if (pathExists(path) && (!isRegularFile(path) || !isWritable(path)))
        return false;
    const std::wstring side = toUtf16(sidePath);
    // Whatever was left at the side file's name goes: it is never written through.
    DeleteFileW(side.c_str());
    HANDLE file = CreateFileW(side.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    for (std::string_view rest = bytes; ok && !rest.empty();) {
        DWORD written = 0;
        ok = WriteFile(file, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr) && written > 0;
        rest.remove_prefix(written);
    }
    ok = CloseHandle(file) && ok;
    if (ok)
        ok = MoveFileExW(side.c_str(), toUtf16(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileW(side.c_str());
    return ok;
}

} // namespace kivp
