// The simulator on Windows: found as the command interpreter finds a program, started by CreateProcessW with the
// composed line as its command line (no interpreter reads "&" or "^"), and ended with all it started.

#include "sim/ProcessSimulatorRunner.h"

#include "platform/Paths.h"
#include "sim/LineScore.h"
#include "support/Platform.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <windows.h>

namespace kivp {
namespace {

using test::TempDir;
using Outcome = RunResult::Outcome;

// Where "kivsim" leads with the program folder "home" and the search path "bin" alone: the file started, or
// the start of why nothing is. {dir} stands for the test's folder.
struct LookupRow {
    const char* name;
    std::vector<const char*> files;
    const char* launch;
};

TEST(WindowsSimulatorLookup, FindsTheProgramAsTheCommandInterpreterDoesAndRefusesABatchFile) {
    const std::vector<LookupRow> table = {
        {"ProgramFolderBeforeSearchPath", {"home/kivsim.exe", "bin/kivsim.exe"}, "{dir}\\home\\kivsim.EXE"},
        {"ExtensionsInTheOrderOfPathext", {"home/kivsim.txt", "bin/kivsim.exe", "bin/kivsim.com"},
         "{dir}\\bin\\kivsim.COM"},
        {"AFolderIsNoProgram", {"home/kivsim.exe/", "bin/kivsim.exe"}, "{dir}\\bin\\kivsim.EXE"},
        {"BatchFileRefused", {"bin/kivsim.bat"}, "The simulator \"kivsim\" is the batch file {dir}\\bin\\kivsim.BAT."},
        {"Nothing", {"home/kivsim"}, "The simulator \"kivsim\" could not be started: no program \"kivsim\""}};
    for (const LookupRow& row : table) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        dir.mkdir("home");
        dir.mkdir("bin");
        for (std::string file : row.files) {
            if (file.back() == '/')
                dir.mkdir(file);
            else
                dir.write(file, "");
        }
        test::ScopedEnvironment path("PATH", dir.file("bin"));
        test::ScopedEnvironment extensions("PATHEXT", ".COM;.EXE;.BAT");
        const SimulatorLaunch launch = locateSimulator("kivsim", dir.file("home"));
        std::string expected = row.launch;
        if (const auto at = expected.find("{dir}"); at != std::string::npos)
            expected.replace(at, 5, dir.path());
        EXPECT_EQ((launch.file.empty() ? launch.notStarted : launch.file).substr(0, expected.size()), expected);
    }
}

TEST(WindowsSimulator, GetsTheComposedLineByteForByteWithAmpersandAndCaretInTeamNames) {
    TempDir dir;
    const auto home = dir.mkdir("home");
    test::installProgram(KIVSIM_PATH, joinPath(home, "kivsim"));
    const auto teams = dir.mkdir("Ligue d'été");
    std::filesystem::copy_file(test::nativePath(KIVP_SOURCE_DIR "/demo/ASHVALE.dat"),
                               test::nativePath(joinPath(teams, "ASH&VAL.dat")));
    std::filesystem::copy_file(test::nativePath(KIVP_SOURCE_DIR "/demo/BRINDLE.dat"),
                               test::nativePath(joinPath(teams, "BRI^DLE.dat")));
    test::ScopedEnvironment log("KIVSIM_LOG", dir.file("log"));
    const std::string line = "kivsim /p:" + test::simulatorFolder(teams) + " //h:ASH&VAL //v:BRI^DLE //ls:kivp";
    ASSERT_EQ(ProcessSimulatorRunner().run(line, home).outcome, Outcome::Ran);
    EXPECT_EQ(test::readBytes(dir.file("log")), line + "\r\n");
    EXPECT_TRUE(readLineScoreFile(joinPath(home, "kivp"))) << "the game was played in the program folder";
    for (const char* name : {"VAL.dat", "DLE.dat", "BRI", "VAL"})
        EXPECT_FALSE(test::exists(joinPath(home, name))) << name;
}

TEST(WindowsSimulator, StoppedEndsItWithTheProgramItStartedThroughItsJobObject) {
    TempDir dir;
    test::installProgram(CHILD_STARTER_PATH, dir.file("starter"));
    const std::string pidFile = dir.file("child.pid");
    auto started = SimulatorProcess::start(locateSimulator("starter", dir.path()), "starter " + pidFile, dir.path());
    ASSERT_TRUE(started.process);
    while (!test::exists(pidFile))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const DWORD childId = static_cast<DWORD>(std::stoul(test::readBytes(pidFile)));
    HANDLE child = OpenProcess(SYNCHRONIZE, FALSE, childId);
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(started.process->finished());
    started.process->stop();
    started.process->wait();
    EXPECT_EQ(started.process->result().outcome, Outcome::Stopped);
    EXPECT_EQ(WaitForSingleObject(child, INFINITE), WAIT_OBJECT_0) << "the simulator's own program ended too";
    CloseHandle(child);
}

} // namespace
} // namespace kivp
