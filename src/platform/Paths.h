#pragma once
// Folders and file names as the program sees them: byte strings joined with the native separator. Windows
// users' habits carry over: names match ignoring case where the exact name is missing, and folder listings come
// in the order Windows would show them.

#include <string>
#include <string_view>
#include <vector>

namespace kivp {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\'; // the stand-in simulator's Windows build
#else
inline constexpr char kPathSeparator = '/';
#endif

// dir, the separator and name; a dir that already ends in the separator does not get a second one.
std::string joinPath(std::string_view dir, std::string_view name);

std::string currentDirectory();
bool setCurrentDirectory(const std::string& dir);

bool isDirectory(const std::string& path);
bool isRegularFile(const std::string& path); // follows links

// The form of a folder handed to the simulator: its absolute path when the folder exists, else the empty text.
std::string shortPathOfFolder(const std::string& folder);

// The path itself when it exists; otherwise the entry of its folder whose name matches ignoring ASCII case
// (the first in listing order); otherwise the path unchanged. Files made on Windows ("KIVP.INI", "UPLANDS.DAT")
// are found by the names kivp asks for.
std::string resolveIgnoringCase(const std::string& path);

// Names (no folder) of the regular files, and links to regular files, in a folder, in listing order. A folder
// that does not exist or cannot be read lists nothing.
std::vector<std::string> listFiles(const std::string& dir);

// Listing order: names compared as Windows does, ignoring ASCII case; names equal that way by their bytes.
bool listsBefore(std::string_view a, std::string_view b);

bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool endsWithIgnoringCase(std::string_view text, std::string_view suffix);

} // namespace kivp
