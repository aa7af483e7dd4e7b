#include "sim/ProcessSimulatorRunner.h"

#include "platform/Error.h"
#include "platform/Paths.h"
#include "sim/WineBridge.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace kivp {
namespace {

using test::TempDir;
using Outcome = RunResult::Outcome;

// A stand-in program: a shell script written into a folder and made executable.
std::string writeScript(const TempDir& dir, const std::string& name, const std::string& body) {
    const auto path = dir.write(name, "#!/bin/sh\n" + body + "\n");
    test::chmodPath(path, 0755);
    return path;
}

// Writes each argument it gets in brackets to "args" in its working directory, then a line with that folder.
const std::string kArgumentRecorder = "printf '[%s]' \"$@\" > args; printf '\\n%s' \"$(pwd)\" >> args";

TEST(ProcessRunner, TheProgramGetsTheLineSplitAtEachSpaceAsPlainTextInItsFolder) {
    TempDir dir;
    writeScript(dir, "sim", kArgumentRecorder);
    const std::string line =
        "sim //h:A  /p:/a b/ ; touch pwned & $(touch pwned2) `touch pwned3` \"quoted\" 'single' * > out | x ";
    ASSERT_EQ(ProcessSimulatorRunner().run(line, dir.path()).outcome, Outcome::Ran);
    EXPECT_EQ(test::readBytes(dir.file("args")),
              "[//h:A][][/p:/a][b/][;][touch][pwned][&][$(touch][pwned2)][`touch][pwned3`][\"quoted\"]"
              "['single'][*][>][out][|][x][]\n" + dir.path());
    for (const char* name : {"pwned", "pwned2", "pwned3", "out"})
        EXPECT_FALSE(test::exists(dir.file(name))) << name;
}

// Where a simulator name leads, with the program folder "home" and the search path "bin" alone. A file named
// with a "*" is executable. What is started: its file, its words before the rest of the line and the folder
// separator of its paths; or why nothing is. {dir} stands for the test's folder.
struct LookupRow {
    const char* name;
    std::vector<const char*> files;
    const char* launch;
};

TEST(SimulatorLookup, FindsTheNativeProgramFirstThenTheWindowsOneAndWine) {
    const std::vector<LookupRow> table = {
        {"ProgramFolderBeforeSearchPath", {"home/kivsim*", "bin/kivsim*"}, "{dir}/home/kivsim: kivsim /"},
        {"FileThatIsNotExecutableIsPassedOver", {"home/kivsim", "bin/kivsim*"}, "{dir}/bin/kivsim: kivsim /"},
        {"NativeFirst", {"home/kivsim.exe", "bin/kivsim*", "bin/wine*"}, "{dir}/bin/kivsim: kivsim /"},
        {"WindowsInAnyCaseThroughWine", {"home/KivSim.EXE", "bin/wine*"},
         "{dir}/bin/wine: wine {dir}/home/KivSim.EXE \\"},
        {"WindowsOnPath", {"bin/kivsim.exe", "bin/wine*"}, "{dir}/bin/wine: wine {dir}/bin/kivsim.exe \\"},
        {"WindowsProgramWithoutWine", {"home/kivsim.exe", "home/wine*"},
         "The simulator {dir}/home/kivsim.exe is a Windows program; kivp starts Windows programs with Wine, "
         "and no `wine` was found on the search path.\n\nSearch path: {dir}/bin"},
        {"NeitherForm", {"home/kivsim.bat*"},
         "The simulator \"kivsim\" could not be started: neither a program \"kivsim\" nor a Windows program "
         "\"kivsim.exe\" was found in the program folder {dir}/home or on the search path.\n\n"
         "Search path: {dir}/bin"}};
    for (const LookupRow& row : table) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        dir.mkdir("home");
        dir.mkdir("bin");
        for (std::string file : row.files) {
            const bool executable = file.back() == '*';
            if (executable)
                file.pop_back();
            test::chmodPath(dir.write(file, "#!/bin/sh\n"), executable ? 0755 : 0644);
        }
        test::ScopedEnvironment path("PATH", dir.file("bin"));
        const SimulatorLaunch launch = locateSimulator("kivsim", dir.file("home"));
        std::string shown = launch.notStarted;
        if (!launch.file.empty()) {
            shown = launch.file + ":";
            for (const auto& word : launch.head)
                shown += " " + word;
            shown += std::string(" ") + (launch.windowsProgram ? '\\' : '/');
            EXPECT_EQ(launch.paths.separator, launch.windowsProgram ? '\\' : '/');
            EXPECT_EQ(launch.notStarted, "");
        }
        std::string expected = row.launch;
        for (auto at = expected.find("{dir}"); at != std::string::npos; at = expected.find("{dir}"))
            expected.replace(at, 5, dir.path());
        EXPECT_EQ(shown, expected);
    }
}

// wine is given the Windows program and the rest of the line, in the program folder.
TEST(ProcessRunner, AWindowsProgramIsStartedThroughWineWithTheRestOfTheLine) {
    TempDir dir;
    const auto home = dir.mkdir("home");
    dir.mkdir("bin");
    dir.write("home/KIVSIM.EXE", "");
    writeScript(dir, "bin/wine", kArgumentRecorder);
    test::ScopedEnvironment path("PATH", dir.file("bin"));
    ASSERT_EQ(ProcessSimulatorRunner().run("kivsim /p:Z:\\TEAMS~1\\  //h:A", home).outcome, Outcome::Ran);
    EXPECT_EQ(test::readBytes(joinPath(home, "args")),
              "[" + joinPath(home, "KIVSIM.EXE") + "][/p:Z:\\TEAMS~1\\][][//h:A]\n" + home);
}

// A crash is among the stand-in simulator's fault modes: the exit status is not a failure to start.
TEST(ProcessRunner, OnlyAProgramThatCannotBeStartedIsNotStartedWhateverItsExitStatus) {
    TempDir dir;
    writeScript(dir, "sim", "exit 3");
    ProcessSimulatorRunner runner;
    EXPECT_EQ(runner.run("sim", dir.path()).outcome, Outcome::Ran);
    EXPECT_EQ(runner.run(" leading space", dir.path()).outcome, Outcome::NotStarted);
    EXPECT_EQ(runner.run("sim", dir.file("no such folder")).outcome, Outcome::NotStarted);
}

TEST(SimulatorProcess, ARunningProgramIsStoppedAndOneThatIgnoresTheRequestIsKilledAfterTheGrace) {
    TempDir dir;
    writeScript(dir, "stubborn", "trap '' TERM; touch ready; while :; do sleep 1; done");
    auto started = SimulatorProcess::start(locateSimulator("stubborn", dir.path()), "stubborn", dir.path());
    ASSERT_TRUE(started.process);
    // Let the script set its trap before it is asked to end.
    for (int i = 0; i < 500 && !test::exists(dir.file("ready")); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    auto& process = *started.process;
    EXPECT_FALSE(process.finished());
    process.stop();
    EXPECT_FALSE(process.waitFor(SimulatorProcess::kStopGrace / 2));
    EXPECT_TRUE(process.waitFor(SimulatorProcess::kStopGrace * 5));
    EXPECT_EQ(process.result().outcome, Outcome::Stopped);
    process.stop(); // again, after the end: nothing happens
}

// A converter that never answers, its output held open by what it started, is stopped at the limit.
TEST(WinePathConversion, AConverterThatNeverAnswersIsStoppedAndTheFolderRefused) {
    TempDir dir;
    const auto winepath = writeScript(dir, "winepath", "sleep 600 & exec sleep 600");
    EXPECT_THAT([&] { windowsFormOf(dir.path(), winepath, std::chrono::milliseconds(300)); },
                ::testing::ThrowsMessage<Error>(::testing::HasSubstr("did not answer in time")));
}

} // namespace
} // namespace kivp
