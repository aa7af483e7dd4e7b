#include "sim/CommandLine.h"

namespace kivp {

std::vector<std::string> splitCommandLine(std::string_view commandLine) {
    std::vector<std::string> words;
    std::size_t start = 0;
    for (;;) {
        const auto space = commandLine.find(' ', start);
        if (space == std::string_view::npos) {
            words.emplace_back(commandLine.substr(start));
            return words;
        }
        words.emplace_back(commandLine.substr(start, space - start));
        start = space + 1;
    }
}

} // namespace kivp
