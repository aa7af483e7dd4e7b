#include "support/Platform.h"

#include "support/TempDir.h"

#include "platform/Error.h"

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace kivp::test {

std::string programFileName(const std::string& name) { return name; }

void installProgram(const std::string& program, const std::string& pathWithoutExtension) {
    std::filesystem::create_symlink(program, pathWithoutExtension);
}

bool readPermissionCounts() { return geteuid() != 0; }

bool folderPermissionCounts() { return true; }

std::optional<std::string> onAFullDisk(const std::function<void()>& write) {
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit full = before;
    full.rlim_cur = 0;
    const auto signalBefore = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    std::string text = "no error";
    try {
        write();
    } catch (const Error& error) {
        text = error.text();
    }
    setrlimit(RLIMIT_FSIZE, &before);
    signal(SIGXFSZ, signalBefore);
    return text;
}

} // namespace kivp::test
