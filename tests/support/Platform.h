#pragma once
// What the tests do differently on each platform. Programs the tests put where kivp looks for the simulator: on
// Linux a link to the program under the name, on Windows a copy named NAME.exe, which is how the command
// interpreter finds NAME there.

#include <functional>
#include <optional>
#include <string>

namespace kivp::test {

// The file a program called name is on this platform: name on Linux, name.exe on Windows.
std::string programFileName(const std::string& name);

// Makes program available as the program at pathWithoutExtension (its name, on Windows with ".exe" added).
void installProgram(const std::string& program, const std::string& pathWithoutExtension);

// Whether taking a file's read permission keeps kivp from reading it: not for the superuser, nor on Windows,
// which has no such bit.
bool readPermissionCounts();

// Whether a folder without write permission keeps kivp from making files in it: on Linux; on Windows a folder's
// read-only attribute does not.
bool folderPermissionCounts();

// Runs write with the file size limit at 0 for this process, the way a full disk refuses every byte, and
// returns the text of the error it ended with ("no error" when none); nothing where no full disk can be made
// for one process (Windows).
std::optional<std::string> onAFullDisk(const std::function<void()>& write);

} // namespace kivp::test
