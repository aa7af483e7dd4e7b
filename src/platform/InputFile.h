#pragma once
// A file opened for reading by its UTF-8 name, on either platform: team files, settings, playoff files and line
// scores are all read through it, so a folder named in any language works on Windows too.

#include <cstddef>
#include <cstdio>
#include <string>

namespace kivp {

class InputFile {
public:
    // Opens path for reading; isOpen() says whether that worked.
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const;
    // Up to size bytes into buffer: the count read, 0 at the end of the file, -1 when reading fails.
    long long read(char* buffer, std::size_t size);

private:
    void* m_handle; // a descriptor or a Windows handle, spelled as the platform's implementation needs
};

// A C stream for a library that reads from one (the JPEG decoder); mode as for fopen ("rb", "ab").
std::FILE* openStream(const std::string& path, const char* mode);

} // namespace kivp
