#include "support/QuietSimulatorOutput.h"

#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <streambuf>
#include <unistd.h>

namespace kivp::test {

namespace {

// A stream buffer writing straight to a file descriptor.
class DescriptorOutput : public std::streambuf {
public:
    explicit DescriptorOutput(int fd) : m_fd(fd) {}

protected:
    int overflow(int c) override {
        const char ch = static_cast<char>(c);
        return c == EOF || write(m_fd, &ch, 1) == 1 ? c : EOF;
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        return write(m_fd, text, static_cast<std::size_t>(count));
    }

private:
    int m_fd;
};

} // namespace

void keepSimulatorOutputOutOfTheReport() {
    std::cout.flush();
    const int console = dup(STDOUT_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    if (console < 0 || null < 0 || dup2(null, STDOUT_FILENO) < 0)
        return;
    close(null);
    std::cout.rdbuf(new DescriptorOutput(console)); // lives as long as std::cout
}

} // namespace kivp::test
