#pragma once
// Replacing a file that is rewritten very often (the autosave, after every game) without the cost of the
// usual replacement. Renaming a new file over an existing one makes some file systems (ext4) write the new
// data out at once, and creating a file for every write makes them search for a free inode; either takes a
// good part of a simulator game. Here the new bytes go into a side file that is kept from one write to the
// next, and the side file and the file then change names in one step: the file is always whole, the old one
// or the new one, and the side file afterwards holds the old bytes, ready to be written over next time.

#include <string>
#include <string_view>

namespace kivp {

// Writes bytes to sidePath, then swaps it with path (or renames it there when path does not exist yet). False
// when a step fails, when path is not a regular file, or when it or its folder is read-only; the file at path
// is then as it was. A reader that finds no file at path may take the side file only when kivp stopped during
// its very first write.
bool replaceFileBySide(const std::string& path, const std::string& sidePath, std::string_view bytes);

} // namespace kivp
