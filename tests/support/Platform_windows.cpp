#include "support/Platform.h"

#include "support/TempDir.h"

namespace kivp::test {

std::string programFileName(const std::string& name) { return name + ".exe"; }

void installProgram(const std::string& program, const std::string& pathWithoutExtension) {
    std::filesystem::copy_file(nativePath(program), nativePath(pathWithoutExtension + ".exe"));
}

bool readPermissionCounts() { return false; }

bool folderPermissionCounts() { return false; }

std::optional<std::string> onAFullDisk(const std::function<void()>&) { return std::nullopt; }

} // namespace kivp::test
