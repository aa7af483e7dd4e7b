#pragma once
// The simulator's command line as words. kivp starts the simulator with no shell in between, so a line is split
// into the program's arguments at each single space, and the stand-in simulator splits its command file's line
// the same way.

#include <string>
#include <string_view>
#include <vector>

namespace kivp {

// The words of a command line, split at every single space: "a  b" gives "a", "", "b", and joining the words
// with single spaces gives the line back. Quotes, "$", ";" and the like are ordinary characters.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

} // namespace kivp
