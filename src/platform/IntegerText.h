#pragma once
// Whole numbers typed by users or stored in files: win counts, playoff-file lines, settings, roster columns.
// Accepted: optional leading spaces, an optional sign, then decimal digits, or hexadecimal digits after "$" or
// "0x". Anything else (trailing characters, an empty text, a value beyond 32 bits) is not a number.

#include <optional>
#include <string_view>

namespace kivp {

// The number, or nothing when the text is not one.
std::optional<int> parseInteger(std::string_view text);

// The number; throws Error::notAnInteger carrying the text as given when it is not one.
int toInteger(std::string_view text);

} // namespace kivp
