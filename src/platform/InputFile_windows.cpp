#include "platform/InputFile.h"

#include "platform/Utf16.h"

#include <windows.h>

namespace kivp {

InputFile::InputFile(const std::string& path)
    : m_handle(CreateFileW(toUtf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {}

InputFile::~InputFile() {
    if (isOpen())
        CloseHandle(m_handle);
}

bool InputFile::isOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

long long InputFile::read(char* buffer, std::size_t size) {
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(size > (1u << 30) ? (1u << 30) : size);
    if (!ReadFile(m_handle, buffer, wanted, &got, nullptr))
        return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
    return got;
}

std::FILE* openStream(const std::string& path, const char* mode) {
    return _wfopen(toUtf16(path).c_str(), toUtf16(mode).c_str());
}

} // namespace kivp
