#pragma once
// Text files as lists of lines, the way every file kivp reads and writes is handled: team files, the line score,
// playoff files, command files, the HTML page. Reading accepts CR LF, LF and CR line ends; writing ends every
// line with CR LF, as the files' Windows users expect.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivp {

using Lines = std::vector<std::string>;

// The mark an editor may put in front of a UTF-8 file. Reading skips it: it is not part of the first line.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// A final line without a line end counts; an empty text has no lines.
Lines splitLines(std::string_view text);
// Every line followed by CR LF.
std::string joinLines(const Lines& lines);

// The file's bytes, found ignoring case when the exact name is missing; nothing when it cannot be read.
std::optional<std::string> readFile(const std::string& path);
// The file's lines, a leading byte-order mark skipped.
std::optional<Lines> tryLoadLines(const std::string& path);
// Throws Error::cannotOpen(path) when the file cannot be read.
Lines loadLines(const std::string& path);

// Replaces the file atomically (an existing file whose name differs only in case is the one replaced);
// throws Error::cannotCreate(path) when it cannot be written.
void saveLines(const std::string& path, const Lines& lines);
bool trySaveLines(const std::string& path, const Lines& lines);

} // namespace kivp
