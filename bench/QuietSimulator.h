#pragma once
// The simulator prints every line score on the standard output it shares with the benchmark program; this keeps
// those lines out of the benchmark's report.

#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <streambuf>
#include <unistd.h>

namespace kivp::bench {

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

// Called before the first game: the standard output goes to /dev/null from then on, and the report goes on to
// the terminal through a descriptor of its own.
inline void keepSimulatorOutputOutOfTheReport() {
    std::cout.flush();
    const int console = dup(STDOUT_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    if (console < 0 || null < 0 || dup2(null, STDOUT_FILENO) < 0)
        return;
    close(null);
    std::cout.rdbuf(new DescriptorOutput(console)); // lives as long as std::cout
}

} // namespace kivp::bench
