#include "support/XmlCheck.h"

#include "platform/Utf16.h"
#include "support/TempDir.h"

#include <vector>
#include <windows.h>

namespace kivp::test {

namespace {

// Wine runs Linux programs too: the tests' Windows builds check their pages with the same xmllint, handed the
// Linux path of the file.
std::string unixPathOf(const std::string& path) {
    using Converter = char*(CDECL*)(const wchar_t*);
    const auto convert = reinterpret_cast<Converter>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* unix = convert ? convert(toUtf16(path).c_str()) : nullptr;
    if (!unix)
        return path;
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

// Wine hands a Linux program none of the Windows program's standard handles, and does not wait for its end: the
// shell writes what xmllint says to a file beside the page and then gives it its final name, which is waited for.
std::string run(const std::string& page, const std::string& arguments) {
    const std::string outputFile = page + ".xmllint";
    const std::string partial = unixPathOf(page) + ".partial";
    const std::string script = "xmllint " + arguments + " '" + unixPathOf(page) + "' > '" + partial +
                               "' 2>&1 || echo \\\"exit status $?\\\" >> '" + partial + "'; mv '" + partial +
                               "' '" + unixPathOf(page) + ".xmllint'";
    std::wstring line = toUtf16("sh -c \"" + script + "\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        return "cannot run: " + script;
    CloseHandle(started.hProcess);
    CloseHandle(started.hThread);
    while (!exists(outputFile))
        Sleep(10);
    std::string output = readBytes(outputFile);
    DeleteFileW(toUtf16(outputFile).c_str());
    return output;
}

} // namespace

std::string xmlProblems(const std::string& path) { return run(path, "--noout --nonet"); }

std::string xpath(const std::string& path, const std::string& expression) {
    std::string value = run(path, "--nonet --xpath \\\"" + expression + "\\\"");
    if (!value.empty() && value.back() == '\n')
        value.pop_back();
    return value;
}

} // namespace kivp::test
