#include "sim/ProcessSimulatorRunner.h"

#include "platform/Paths.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

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

// Writes each argument it gets in brackets, one per line, to "args" in its working directory.
const char* const kArgumentRecorder = "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > args";

std::string bracketed(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& word : words)
        text += "[" + word + "]\n";
    return text;
}

// Puts a folder in front of the search path for one test.
test::ScopedEnvironment searchPathInFront(const std::string& dir) {
    const char* old = std::getenv("PATH");
    return test::ScopedEnvironment("PATH", dir + ":" + (old ? old : ""));
}

TEST(ProcessRunner, TheProgramGetsTheLineSplitAtEachSpaceAsPlainTextInItsFolder) {
    TempDir dir;
    writeScript(dir, "sim", std::string(kArgumentRecorder) + "; pwd > where");
    dir.write("a.dat", "");
    ProcessSimulatorRunner runner;
    const std::string line = "sim //h:A  /p:/a b/ ; touch pwned & $(touch pwned2) `touch pwned3` \"quoted\" "
                             "'single' * > out | x ";
    ASSERT_EQ(runner.run(line, dir.path()).outcome, Outcome::Ran);
    EXPECT_EQ(test::readBytes(dir.file("args")),
              bracketed({"//h:A",   "",        "/p:/a",  "b/",      ";",          "touch",    "pwned", "&",
                         "$(touch", "pwned2)", "`touch", "pwned3`", "\"quoted\"", "'single'", "*",     ">",
                         "out",     "|",       "x",      ""}));
    for (const char* name : {"pwned", "pwned2", "pwned3", "out"})
        EXPECT_FALSE(test::exists(dir.file(name))) << name;
    EXPECT_EQ(test::readBytes(dir.file("where")), dir.path() + "\n");
}

TEST(ProcessRunner, TheProgramFolderComesBeforeTheSearchPath) {
    TempDir dir;
    const auto home = dir.mkdir("home");
    const auto bin = dir.mkdir("bin");
    writeScript(dir, "bin/sim", "echo path > \"$PWD/who\"");
    const auto path = searchPathInFront(bin);
    ProcessSimulatorRunner runner;

    ASSERT_EQ(runner.run("sim", home).outcome, Outcome::Ran);
    EXPECT_EQ(test::readBytes(joinPath(home, "who")), "path\n");

    writeScript(dir, "home/sim", "echo home > \"$PWD/who\"");
    ASSERT_EQ(runner.run("sim", home).outcome, Outcome::Ran);
    EXPECT_EQ(test::readBytes(joinPath(home, "who")), "home\n");

    // A file of that name that is not executable is passed over.
    test::chmodPath(joinPath(home, "sim"), 0644);
    ASSERT_EQ(runner.run("sim", home).outcome, Outcome::Ran);
    EXPECT_EQ(test::readBytes(joinPath(home, "who")), "path\n");
}

TEST(ProcessRunner, AMissingProgramIsReportedAsNotStartedWithWhereItWasLookedFor) {
    TempDir dir;
    const auto path = searchPathInFront(dir.mkdir("bin"));
    ProcessSimulatorRunner runner;
    const auto result = runner.run("kivsv46 //h:A //v:B", dir.path());
    EXPECT_EQ(result.outcome, Outcome::NotStarted);
    EXPECT_NE(result.message.find("\"kivsv46\""), std::string::npos) << result.message;
    EXPECT_NE(result.message.find(dir.path()), std::string::npos) << result.message;
    EXPECT_NE(result.message.find(dir.file("bin")), std::string::npos) << result.message;

    EXPECT_EQ(runner.run(" leading space", dir.path()).outcome, Outcome::NotStarted);
    EXPECT_EQ(runner.run("sim", dir.file("no such folder")).outcome, Outcome::NotStarted);
}

TEST(ProcessRunner, TheExitStatusIsIgnored) {
    TempDir dir;
    writeScript(dir, "sim", "exit 3"); // a crash is among the stand-in simulator's fault modes
    ProcessSimulatorRunner runner;
    EXPECT_EQ(runner.run("sim", dir.path()).outcome, Outcome::Ran);
}

TEST(SimulatorProcess, AProgramThatIgnoresTheRequestIsKilledAfterTheGrace) {
    TempDir dir;
    writeScript(dir, "stubborn", "trap '' TERM; touch ready; while :; do sleep 1; done");
    auto started = SimulatorProcess::start("stubborn", dir.path());
    ASSERT_TRUE(started.process);
    // Let the script set its trap before it is asked to end.
    for (int i = 0; i < 500 && !test::exists(dir.file("ready")); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    started.process->stop();
    EXPECT_FALSE(started.process->waitFor(SimulatorProcess::kStopGrace / 2));
    EXPECT_TRUE(started.process->waitFor(SimulatorProcess::kStopGrace * 5));
}

TEST(ProcessRunner, StopFromAnotherThreadEndsTheRun) {
    TempDir dir;
    writeScript(dir, "hang", "while :; do sleep 1; done");
    ProcessSimulatorRunner runner;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        runner.stop();
    });
    const auto result = runner.run("hang", dir.path());
    stopper.join();
    EXPECT_EQ(result.outcome, Outcome::Stopped);
}

} // namespace
} // namespace kivp
