#include "platform/InstanceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kivp {

namespace {

// Never a link (the lock must not create or lock a file elsewhere), never waiting on a FIFO, and never
// inherited by the simulator, which would otherwise keep the folder locked after kivp ends.
constexpr int kOpenFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

int openLockFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | kOpenFlags, 0644);
    if (fd >= 0 || errno == ELOOP)
        return fd;
    // A folder made read-only after the file was made: a lock needs no write access.
    return open(path.c_str(), O_RDONLY | kOpenFlags);
}

} // namespace

InstanceLock::InstanceLock(const std::string& path) {
    const int fd = openLockFile(path);
    if (fd < 0)
        return;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return;
    }
    // flock, not fcntl: an fcntl lock would end as soon as any descriptor of the file closed in this process.
    int result = 0;
    do {
        result = flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        m_state = errno == EWOULDBLOCK ? State::HeldElsewhere : State::Unavailable;
        close(fd);
        return;
    }
    m_handle = fd;
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
    if (m_handle >= 0)
        close(static_cast<int>(m_handle)); // closing the only descriptor ends the lock
    m_handle = -1;
    if (m_state == State::Held)
        m_state = State::Unavailable;
}

} // namespace kivp
