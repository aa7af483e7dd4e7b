#include "support/ProgramFiles.h"

#include "support/TempDir.h"

namespace kivp::test {

std::string programFileName(const std::string& name) { return name; }

void installProgram(const std::string& program, const std::string& pathWithoutExtension) {
    std::filesystem::create_symlink(program, pathWithoutExtension);
}

} // namespace kivp::test
