#include "support/XmlCheck.h"

#include <cstdio>
#include <memory>

namespace kivp::test {

namespace {

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// The command's standard output and error together; "exit status N" appended when it fails.
std::string run(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return "cannot run: " + command;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    const int status = pclose(pipe);
    if (status != 0)
        output += "exit status " + std::to_string(status);
    return output;
}

} // namespace

std::string xmlProblems(const std::string& path) { return run("xmllint --noout --nonet " + quoted(path)); }

std::string xpath(const std::string& path, const std::string& expression) {
    std::string value = run("xmllint --nonet --xpath " + quoted(expression) + " " + quoted(path));
    if (!value.empty() && value.back() == '\n')
        value.pop_back(); // xmllint ends what it prints with a line break
    return value;
}

} // namespace kivp::test
