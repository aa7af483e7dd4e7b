#pragma once
// The words kivp (or the stand-in simulator) was started with, as UTF-8. On Windows main's argv is in the
// system's code page, which cannot hold every folder name, so the words come from the wide command line there.

#include <string>
#include <vector>

namespace kivp {

// Every word of the command line, the program's own name first.
std::vector<std::string> programArguments(int argc, char** argv);

// The command line as the program received it, on Windows exactly the text it was started with; on Linux its
// words joined by single spaces.
std::string programCommandLine(int argc, char** argv);

} // namespace kivp
