#pragma once
// Replacing a file that is rewritten very often (the autosave, after every game) without the cost of the
// usual replacement. Renaming over an existing file makes some file systems (ext4) write the new data out at
// once, which takes longer than a whole simulator game; here the old file is removed first and the new one,
// complete under a side name, takes its name. A reader that finds no file at the name takes the side file:
// kivp stopped between the two steps, and the side file is whole.

#include <string>
#include <string_view>

namespace kivp {

// Writes bytes to sidePath (replacing any earlier side file), then puts it at path. False when a step fails
// or the file at path or its folder is read-only; the file at path is then the old one, unless the failure
// came after it was removed, when the side file holds the new bytes.
bool replaceFileBySide(const std::string& path, const std::string& sidePath, std::string_view bytes);

} // namespace kivp
