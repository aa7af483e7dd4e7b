#pragma once
// What every fuzz target shares: the input as text, a scratch file for parsers that read files, and a check
// that stops the run on a broken promise (libFuzzer reports the abort with the input that caused it).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace kivp::fuzz {

inline std::string_view textOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A file holding the input, in a folder of its own for this process.
inline std::string scratchFile(std::string_view name, std::string_view bytes) {
    static const std::string folder = [] {
        std::string path = "/tmp/kivp-fuzz-" + std::to_string(getpid());
        mkdir(path.c_str(), 0700);
        return path;
    }();
    const std::string path = folder + "/" + std::string(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

inline void require(bool promise, const char* what) {
    if (!promise) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

} // namespace kivp::fuzz
