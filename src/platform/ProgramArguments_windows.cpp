#include "platform/ProgramArguments.h"

#include "platform/Utf16.h"

#include <windows.h>
#include <shellapi.h>

namespace kivp {

std::vector<std::string> programArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words)
        return {argv, argv + argc};
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(fromUtf16(words[i]));
    LocalFree(words);
    return arguments;
}

std::string programCommandLine(int, char**) { return fromUtf16(GetCommandLineW()); }

} // namespace kivp
