#pragma once
// Folders and file names as the program sees them: byte strings joined with the native separator. Windows
// users' habits carry over: names match ignoring case where the exact name is missing, and folder listings come
// in the order Windows would show them.

#include <string>
#include <string_view>
#include <vector>

namespace kivp {

// "/" on Linux, "\" on Windows.
extern const char kPathSeparator;
// Between the folders of a search path (PATH): ":" on Linux, ";" on Windows.
extern const char kSearchPathSeparator;

// dir, the separator and name; a dir that already ends in the separator does not get a second one.
std::string joinPath(std::string_view dir, std::string_view name);

std::string currentDirectory();
bool setCurrentDirectory(const std::string& dir);

bool isDirectory(const std::string& path);
bool isRegularFile(const std::string& path); // follows links
bool pathExists(const std::string& path);    // a file or folder of any kind, following links

// Whether path is absolute: "/..." on Linux; "C:\...", "C:/..." or "\\server\..." on Windows.
bool isAbsolutePath(std::string_view path);
// path counted from the current directory when relative, with "." and ".." steps resolved.
std::string absolutePath(const std::string& path);
// Makes the folder and the folders above it that are missing; false when it is still not a folder.
bool makeFolders(const std::string& path);

// The form of a folder handed to the simulator: on Windows its short (8.3) path, as GetShortPathNameW gives it; on
// Linux its absolute path. The empty text when the folder does not exist or has no short form.
std::string shortPathOfFolder(const std::string& folder);

// The path itself when it exists; otherwise the entry of its folder whose name matches ignoring ASCII case
// (the first in listing order); otherwise the path unchanged. Files made on Windows ("KIVP.INI", "UPLANDS.DAT")
// are found by the names kivp asks for. On Windows, where names match ignoring case anyway, the path unchanged.
std::string resolveIgnoringCase(const std::string& path);

// Names (no folder) of the regular files, and links to regular files, in a folder, in listing order. A folder
// that does not exist or cannot be read lists nothing.
std::vector<std::string> listFiles(const std::string& dir);

// Names of the team files of a folder, as "*.dat" lists them: on Windows FindFirstFileW's matches (directories
// left out) in the order the file system gives; on Linux the regular files, and links to them, whose names end
// in ".dat" in any case, in listing order.
std::vector<std::string> listTeamFiles(const std::string& dir);

// Listing order: names compared as Windows does, ignoring ASCII case; names equal that way by their bytes.
bool listsBefore(std::string_view a, std::string_view b);

bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool endsWithIgnoringCase(std::string_view text, std::string_view suffix);

} // namespace kivp
