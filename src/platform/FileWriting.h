#pragma once
// Writing files so that a user's file is never half-written: the new content goes to a temporary file in the
// same folder and is renamed over the old one. A target that exists but is read-only is refused, never
// silently replaced; permission bits count even when kivp runs as the superuser, as a read-only attribute
// does on Windows.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kivp {

// Replaces (or creates) the file at path with bytes. On failure returns false, the old file is untouched and
// no temporary file is left behind. The permission bits of an existing target are kept; a link is followed.
// A link that loops is refused and left alone.
bool replaceFile(const std::string& path, std::string_view bytes);

// Replaces several files together: every target is checked and every new content written beside it before the
// first one is renamed over its target, so a target that cannot be written changes none of them.
bool replaceFiles(const std::vector<std::pair<std::string, std::string_view>>& files);

// Whether replaceFile would be allowed to replace (or create) the file: the checks alone, nothing written.
bool mayReplace(const std::string& path);

// Empties a file where it stands, creating it when missing. The one write that is not a replacement: a
// statistics file keeps its identity (links, owner) when the user asks for it to be emptied.
bool emptyFileInPlace(const std::string& path);

// Whether kivp may write to this existing file or folder.
bool isWritable(const std::string& path);

} // namespace kivp
