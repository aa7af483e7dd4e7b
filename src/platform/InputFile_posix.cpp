#include "platform/InputFile.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <unistd.h>

namespace kivp {

namespace {

int descriptor(void* handle) { return static_cast<int>(reinterpret_cast<std::intptr_t>(handle)); }

} // namespace

InputFile::InputFile(const std::string& path)
    : m_handle(reinterpret_cast<void*>(static_cast<std::intptr_t>(open(path.c_str(), O_RDONLY | O_CLOEXEC)))) {}

InputFile::~InputFile() {
    if (isOpen())
        close(descriptor(m_handle));
}

bool InputFile::isOpen() const { return descriptor(m_handle) >= 0; }

long long InputFile::read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(descriptor(m_handle), buffer, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

std::FILE* openStream(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

} // namespace kivp
