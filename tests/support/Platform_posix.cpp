#include "support/Platform.h"

#include "support/TempDir.h"

#include <unistd.h>

namespace kivp::test {

std::string programFileName(const std::string& name) { return name; }

void installProgram(const std::string& program, const std::string& pathWithoutExtension) {
    std::filesystem::create_symlink(program, pathWithoutExtension);
}

bool readPermissionCounts() { return geteuid() != 0; }

bool folderPermissionCounts() { return true; }

} // namespace kivp::test
