#include "support/DemoInstallation.h"

#include "platform/Paths.h"
#include "support/Platform.h"

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace kivp::test {

DemoInstallation::DemoInstallation(const std::string& teamSubfolder)
    : m_programFolder(m_root.mkdir("home")),
      m_teamFolder(teamSubfolder.empty() ? m_programFolder : m_root.mkdir(teamSubfolder)) {
    for (const char* name : {"kivsim", "kivsv40", "kivsv45", "kivsv46"})
        linkSimulator(name);
    for (const auto& entry : fs::directory_iterator(KIVP_SOURCE_DIR "/demo")) {
        if (endsWithIgnoringCase(entry.path().filename().string(), ".dat"))
            fs::copy_file(entry.path(), nativePath(m_teamFolder) / entry.path().filename());
    }
}

void DemoInstallation::linkSimulator(const std::string& name) const {
    installProgram(KIVSIM_PATH, joinPath(m_programFolder, name));
}

void DemoInstallation::unlinkSimulator(const std::string& name) const {
    if (!fs::remove(nativePath(joinPath(m_programFolder, programFileName(name)))))
        throw std::runtime_error("no simulator named " + name + " to remove");
}

} // namespace kivp::test
