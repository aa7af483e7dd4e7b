#pragma once
// A fresh folder for one test, removed with everything in it when the test ends. Read-only permissions set by a
// test are lifted before removal.

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kivp::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // path/name, name's "/" spelled as the platform's separator.
    std::string file(std::string_view name) const;
    // Writes bytes exactly as given to path/name and returns the full path.
    std::string write(std::string_view name, std::string_view bytes) const;
    // Makes a sub-folder and returns its full path.
    std::string mkdir(std::string_view name) const;

private:
    std::string m_path;
};

// A UTF-8 path as the standard library takes it on either platform, and back.
std::filesystem::path nativePath(const std::string& path);
std::string textOf(const std::filesystem::path& path);

// The bytes of a file, or nothing when it cannot be read.
std::string readBytes(const std::string& path);
bool exists(const std::string& path);
// The names in a folder, sorted, without "." and "..".
std::vector<std::string> entries(const std::string& dir);
// Sets a file's or folder's permission bits; on Windows a mode without 0200 makes the file read-only.
void chmodPath(const std::string& path, unsigned mode);

// A folder as the simulator is given it, separator included: natively its absolute path and "/", on Windows
// its short form and "\".
std::string simulatorFolder(const std::string& folder);

// CR LF after every line, the way kivp writes files.
std::string crlf(std::initializer_list<std::string_view> lines);

} // namespace kivp::test
