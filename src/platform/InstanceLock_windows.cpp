#include "platform/InstanceLock.h"

#include <utility>

#include <windows.h>

namespace kivp {

namespace {

std::wstring utf16(const std::string& text) {
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        wide.data(), size);
    return wide;
}

HANDLE toHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// Others may open the file (a virus scanner or an indexer does), but not delete it: the lock is on the file.
// The handle is not inherited, so the simulator never holds the folder's lock.
HANDLE openLockFile(const std::wstring& path) {
    const DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, sharing, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_ACCESS_DENIED)
        return file;
    // A read-only folder or file: a lock needs no write access.
    return CreateFileW(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

} // namespace

InstanceLock::InstanceLock(const std::string& path) {
    const std::wstring wide = utf16(path);
    if (wide.empty())
        return;
    // kivp always shares the file, so a program that keeps it from being opened at all is not a kivp.
    HANDLE file = openLockFile(wide);
    if (file == INVALID_HANDLE_VALUE)
        return;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return;
    }
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                    &whole)) {
        m_state = GetLastError() == ERROR_LOCK_VIOLATION ? State::HeldElsewhere : State::Unavailable;
        CloseHandle(file);
        return;
    }
    m_handle = reinterpret_cast<std::intptr_t>(file);
    m_state = State::Held;
}

InstanceLock::~InstanceLock() {
    release();
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : m_handle(std::exchange(other.m_handle, -1)), m_state(std::exchange(other.m_state, State::Unavailable)) {
}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        release();
        m_handle = std::exchange(other.m_handle, -1);
        m_state = std::exchange(other.m_state, State::Unavailable);
    }
    return *this;
}

void InstanceLock::release() {
    if (m_handle != -1) {
        HANDLE file = toHandle(m_handle);
        OVERLAPPED whole{};
        UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
        CloseHandle(file); // Windows ends the locks of a process that ends without this
    }
    m_handle = -1;
    if (m_state == State::Held)
        m_state = State::Unavailable;
}

} // namespace kivp
