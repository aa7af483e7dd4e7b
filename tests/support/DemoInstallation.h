#pragma once
// kivp installed beside the stand-in simulator, in a temporary folder: a program folder holding the simulator
// under every name a version button starts ("kivsim", "kivsv40", "kivsv45", "kivsv46"), and a team folder
// holding the demo league's team files. Removed with everything in it when the object goes.

#include "support/TempDir.h"

#include <string>

namespace kivp::test {

class DemoInstallation {
public:
    // teamSubfolder names the team folder beside the program folder ("Sim Games" gives a path with a space);
    // empty puts the team files into the program folder itself.
    explicit DemoInstallation(const std::string& teamSubfolder = "teams");

    const std::string& programFolder() const { return m_programFolder; }
    const std::string& teamFolder() const { return m_teamFolder; }
    // A file outside both folders for the simulator's argument log (KIVSIM_LOG).
    std::string logFile() const { return m_root.file("kivsim.log"); }

    // The simulator, available in the program folder under one more name (a user-defined version), or no
    // longer under that name.
    void linkSimulator(const std::string& name) const;
    void unlinkSimulator(const std::string& name) const;

private:
    TempDir m_root;
    std::string m_programFolder;
    std::string m_teamFolder;
};

} // namespace kivp::test
