// A stand-in simulator for the Windows runner's tests that starts a program of its own and never ends:
// "ChildStarter FILE" starts "ChildStarter FILE child", which writes its process id to FILE and waits for ever.

#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    if (argc > 2) {
        const std::wstring temporary = std::wstring(argv[1]) + L".tmp";
        if (FILE* out = _wfopen(temporary.c_str(), L"w")) {
            std::fprintf(out, "%lu", GetCurrentProcessId());
            std::fclose(out);
            MoveFileExW(temporary.c_str(), argv[1], MOVEFILE_REPLACE_EXISTING);
        }
    } else {
        std::wstring line = L"ChildStarter \"" + std::wstring(argv[1]) + L"\" child";
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
            return 1;
    }
    for (;;)
        Sleep(INFINITE);
}
