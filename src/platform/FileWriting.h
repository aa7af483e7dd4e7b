#pragma once
// Writing files so that a user's file is never half-written: the new content goes to a temporary file in the
// same folder and is renamed over the old one. A target that exists but is read-only is refused, never
// silently replaced; permission bits count even when kivp runs as the superuser, as a read-only attribute
// does on Windows.

#include <string>
#include <string_view>

namespace kivp {

// Replaces (or creates) the file at path with bytes. On failure returns false, the old file is untouched and
// no temporary file is left behind. The permission bits of an existing target are kept; a link is followed.
bool replaceFile(const std::string& path, std::string_view bytes);

// Empties a file where it stands, creating it when missing. The one write that is not a replacement: a
// statistics file keeps its identity (links, owner) when the user asks for it to be emptied.
bool emptyFileInPlace(const std::string& path);

// Whether kivp may write to this existing file or folder.
bool isWritable(const std::string& path);

} // namespace kivp
