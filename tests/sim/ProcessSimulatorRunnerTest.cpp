#include "sim/ProcessSimulatorRunner.h"

#include "platform/Paths.h"
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
class SearchPathInFront {
public:
    explicit SearchPathInFront(const std::string& dir) {
        const char* old = std::getenv("PATH");
        m_old = old ? old : "";
        setenv("PATH", (dir + ":" + m_old).c_str(), 1);
    }
    ~SearchPathInFront() { setenv("PATH", m_old.c_str(), 1); }

private:
    std::string m_old;
};

struct SplitCase {
    const char* line;
    std::vector<std::string> words;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

class CommandLineSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineSplit, AtEverySingleSpaceAndJoinsBack) {
    const auto words = splitCommandLine(GetParam().line);
    EXPECT_EQ(words, GetParam().words);
    std::string joined;
    for (std::size_t i = 0; i < words.size(); ++i)
        joined += (i ? " " : "") + words[i];
    EXPECT_EQ(joined, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Table, CommandLineSplit,
                         ::testing::Values(SplitCase{"kivsim", {"kivsim"}}, SplitCase{"a b", {"a", "b"}},
                                           SplitCase{"a  b", {"a", "", "b"}}, SplitCase{" a", {"", "a"}},
                                           SplitCase{"a ", {"a", ""}}, SplitCase{"", {""}},
                                           SplitCase{"kivsim /p:/x/ //h:A //v:B //ls:kivp",
                                                     {"kivsim", "/p:/x/", "//h:A", "//v:B", "//ls:kivp"}}));

TEST(ProcessRunner, TheProgramGetsTheLineSplitLosslesslyInItsFolder) {
    TempDir dir;
    writeScript(dir, "sim", std::string(kArgumentRecorder) + "; pwd > where");
    ProcessSimulatorRunner runner;
    const auto result = runner.run("sim //h:A  //v:B /p:/a b/ ", dir.path());
    EXPECT_EQ(result.outcome, Outcome::Ran);
    EXPECT_EQ(test::readBytes(dir.file("args")), bracketed({"//h:A", "", "//v:B", "/p:/a", "b/", ""}));
    EXPECT_EQ(test::readBytes(dir.file("where")), dir.path() + "\n");
}

TEST(ProcessRunner, ShellCharactersArePlainText) {
    TempDir dir;
    writeScript(dir, "sim", kArgumentRecorder);
    dir.write("a.dat", "");
    ProcessSimulatorRunner runner;
    const std::string line =
        "sim ; touch pwned & $(touch pwned2) `touch pwned3` \"quoted\" 'single' * > out | x";
    ASSERT_EQ(runner.run(line, dir.path()).outcome, Outcome::Ran);
    EXPECT_EQ(test::readBytes(dir.file("args")),
              bracketed({";", "touch", "pwned", "&", "$(touch", "pwned2)", "`touch", "pwned3`", "\"quoted\"",
                         "'single'", "*", ">", "out", "|", "x"}));
    for (const char* name : {"pwned", "pwned2", "pwned3", "out"})
        EXPECT_FALSE(test::exists(dir.file(name))) << name;
}

TEST(ProcessRunner, TheProgramFolderComesBeforeTheSearchPath) {
    TempDir dir;
    const auto home = dir.mkdir("home");
    const auto bin = dir.mkdir("bin");
    writeScript(dir, "bin/sim", "echo path > \"$PWD/who\"");
    SearchPathInFront path(bin);
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
    SearchPathInFront path(dir.mkdir("bin"));
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
    writeScript(dir, "sim", "exit 3");
    writeScript(dir, "crash", "kill -SEGV $$");
    ProcessSimulatorRunner runner;
    EXPECT_EQ(runner.run("sim", dir.path()).outcome, Outcome::Ran);
    EXPECT_EQ(runner.run("crash", dir.path()).outcome, Outcome::Ran);
}

TEST(SimulatorProcess, CanBePolledAndStopped) {
    TempDir dir;
    writeScript(dir, "hang", "touch started; while :; do sleep 1; done");
    auto started = SimulatorProcess::start("hang", dir.path());
    ASSERT_TRUE(started.process) << started.notStarted.message;
    auto& process = *started.process;
    EXPECT_FALSE(process.waitFor(std::chrono::milliseconds(200)));
    EXPECT_FALSE(process.finished());
    process.stop();
    EXPECT_TRUE(process.waitFor(std::chrono::seconds(10)));
    EXPECT_EQ(process.result().outcome, Outcome::Stopped);
    process.stop(); // again, after the end: nothing happens
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
