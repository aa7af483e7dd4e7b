#pragma once
// The lock that keeps a second kivp off a program folder while one runs there (two would write the same
// kivp.ini, line-score file and autosave). It is the operating system's own lock on a file in the folder, so
// it ends with the process that holds it: a kivp that crashed or was killed never leaves its folder locked.

#include <cstdint>
#include <string>

namespace kivp {

class InstanceLock {
public:
    enum class State {
        Held,          // this object holds the lock until it is released or destroyed
        HeldElsewhere, // another process, or another lock object, holds it
        Unavailable,   // the lock file cannot be opened or made (a read-only folder, say): nothing is held
    };

    // Tries once to lock the file at path, creating it when missing; never waits. The file itself is left in
    // place afterwards: removing it could let two processes lock two different files of the same name.
    explicit InstanceLock(const std::string& path);
    ~InstanceLock();
    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State state() const { return m_state; }
    bool held() const { return m_state == State::Held; }
    void release();

private:
    std::intptr_t m_handle = -1; // a file descriptor, or a Windows file handle
    State m_state = State::Unavailable;
};

} // namespace kivp
