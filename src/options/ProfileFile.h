#pragma once
// kivp.ini, read and written the way the Windows profile functions do it, so files written by either stay
// interchangeable: "[Section]" lines start sections, "key=value" lines are entries, and every other line
// (comments, blank lines) is kept byte for byte. A line without "=" is read as missing, as they read it, but
// a write of its key fills it in place. Names match trimmed and ignoring ASCII case; the first matching
// section and key win.
//
// One object serves one operation: it loads the file once, takes every change in memory and save() replaces
// the file once, atomically, so an operation's keys are written all together or not at all.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivp {

class ProfileFile {
public:
    // Loads the file at path (a file whose name differs only in case counts); a missing file is empty, and so is
    // one that exists but cannot be read, which save() then refuses to replace.
    explicit ProfileFile(std::string path);

    const std::string& path() const { return m_path; }

    // The stored text, trimmed, with one pair of matching surrounding quotes removed; fallback when missing.
    // A key line without "=" counts as missing, for every read.
    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // The stored whole number; fallback when missing, empty or not a number.
    int readInteger(std::string_view section, std::string_view key, int fallback) const;
    bool hasKey(std::string_view section, std::string_view key) const;

    // An existing key gets the new value in place; a new key goes after the last non-blank line of its section;
    // a new section goes at the end of the file.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);

    bool modified() const { return m_modified; }
    // Replaces the file with the changes, creating it when missing; does nothing when nothing was written. Throws
    // Error::unableToWrite(path) when the file or its folder cannot be written, leaving the file as it was.
    void save();

    const std::vector<std::string>& lines() const { return m_lines; }

private:
    struct Found {
        std::optional<std::size_t> section; // index of the section's header line
        std::optional<std::size_t> entry;   // index of the key's line
    };
    // A read passes over key lines without "="; a write takes the first line naming the key.
    enum class Purpose { Read, Write };
    Found find(std::string_view section, std::string_view key, Purpose purpose) const;

    std::string m_path;
    std::string m_actualPath;
    std::vector<std::string> m_lines;
    bool m_modified = false;
    bool m_unreadable = false;
    bool m_byteOrderMark = false;
};

} // namespace kivp
