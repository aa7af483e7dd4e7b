#include "platform/ProgramArguments.h"

namespace kivp {

std::vector<std::string> programArguments(int argc, char** argv) { return {argv, argv + argc}; }

std::string programCommandLine(int argc, char** argv) {
    std::string line;
    for (int i = 0; i < argc; ++i)
        line += (i ? " " : "") + std::string(argv[i]);
    return line;
}

} // namespace kivp
