// The Windows build of the stand-in simulator, kivsim.exe, played through Wine the way a user's own Windows
// simulator is: found as "KIVSIM.EXE" in the program folder, started by wine, handed the team folder in Wine's
// short Windows form. Every test runs in the one Wine prefix of the build folder, whose drives are C: and the
// folder the installations are made in, so any other folder is one that Wine maps to no drive.

#include "app/MainForm.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "sim/ProcessSimulatorRunner.h"
#include "sim/WineBridge.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <thread>

namespace kivp {
namespace {

using namespace std::chrono_literals;
using test::ScopedEnvironment;

const std::string kDrive = std::string(KIVP_WINE_DRIVE_LETTER) + ":\\";
// The build folder: the drive's folder and the prefix are in it, but it is on no drive of the prefix.
const std::string kOutsideDrives = std::filesystem::path(KIVP_WINE_DRIVE).parent_path().string();

// Every test plays in the build folder's prefix and makes its folders on the prefix's second drive.
class WineTest : public ::testing::Test {
protected:
    ScopedEnvironment m_prefix{"WINEPREFIX", KIVP_WINE_PREFIX};
    ScopedEnvironment m_quiet{"WINEDEBUG", "-all"};
    ScopedEnvironment m_folders{"TMPDIR", KIVP_WINE_DRIVE};
    ScopedEnvironment m_noFault{"KIVSIM_FAIL", std::nullopt};

    static std::string winepath() {
        return findProgram("winepath", "/", std::getenv("PATH") ? std::getenv("PATH") : "").value_or("");
    }
};

// kivp installed beside kivsim.exe, which has no native twin, and the demo teams in "Sim Games"; the user
// sets up one best-of-seven series.
class WindowsPlayoff : public WineTest {
protected:
    test::DemoInstallation m_install{"Sim Games"};
    WindowsPlayoff() {
        m_install.unlinkSimulator("kivsim");
        std::filesystem::copy_file(KIVSIM_EXE_PATH, joinPath(m_install.programFolder(), "KIVSIM.EXE"));
    }
    std::unique_ptr<test::PlayoffPlayer> oneSeries(SimulatorRunner& runner) {
        auto user = std::make_unique<test::PlayoffPlayer>(m_install.programFolder(), runner);
        user->start(m_install.teamFolder());
        user->setUp(2, 3, {"GLENROCK", "", "", "", "IVYWICK", "", "", ""});
        return user;
    }
    std::string wins(const test::PlayoffPlayer& user) const {
        return user.form().bracket().winCount(13) + "-" + user.form().bracket().winCount(14);
    }
};

using WindowsFormTest = WineTest;

TEST_F(WindowsFormTest, FoldersTakeTheFormWineMapsThemTo) {
    test::TempDir dir;
    const std::string windowsDir = kDrive + dir.path().substr(std::string(KIVP_WINE_DRIVE).size() + 1);
    const std::string spaced = dir.mkdir("Sim Games/All Stars 1999");

    EXPECT_EQ(windowsFormOf(KIVP_WINE_DRIVE, winepath()), (WindowsFolder{kDrive, kDrive}));
    const WindowsFolder withSpaces = windowsFormOf(spaced, winepath());
    EXPECT_EQ(withSpaces.longForm, windowsDir + "\\Sim Games\\All Stars 1999");
    // The test's folder, "Sim Games", "All Stars 1999": each a name Windows reads without a long-name lookup.
    const std::string shortName = R"([^ .\\]{1,8}(\.[^ .\\]{1,3})?)";
    EXPECT_TRUE(std::regex_match(withSpaces.shortForm.substr(kDrive.size()),
                                 std::regex(shortName + R"(\\)" + shortName + R"(\\)" + shortName)))
        << withSpaces.shortForm;
    EXPECT_EQ(withSpaces.shortForm.rfind(kDrive, 0), 0u) << withSpaces.shortForm;
    EXPECT_EQ(windowsFormOf(dir.file("gone"), winepath()), (WindowsFolder{windowsDir + "\\gone", ""}));
    EXPECT_THAT([&] { windowsFormOf(kOutsideDrives, winepath()); },
                ::testing::ThrowsMessage<Error>(::testing::StartsWith(
                    "The team folder " + kOutsideDrives +
                    " cannot be given to the Windows simulator: no drive of Wine's maps it")));
}

// Played with switches on the command line, or from a command file.
class WindowsSeries : public WindowsPlayoff, public ::testing::WithParamInterface<bool> {};

TEST_P(WindowsSeries, IsPlayedToItsEndWithTheWindowsCommandLineOfEveryGame) {
    const bool commandFile = GetParam();
    ScopedEnvironment fixedGames("KIVSIM_SEED", commandFile ? "wine-file" : "wine-switches");
    ScopedEnvironment log("KIVSIM_LOG", m_install.logFile());
    const std::string& teams = m_install.teamFolder();
    const std::string shortTeams = windowsFormOf(teams, winepath()).shortForm + "\\";

    ProcessSimulatorRunner runner;
    auto player = oneSeries(runner);
    auto& user = *player;
    user.confirm = test::ConfirmOptions::ForEachSeries;
    user.optionsUser = [&](OptionsForm& options, int seriesIndex) {
        options.chooseSeries(seriesIndex);
        options.setChecked(CheckBoxId::CheckBox21, commandFile); // kept for every game, not cleared after one
        options.setChecked(CheckBoxId::CheckBox2, false);       // sound
        options.setChecked(CheckBoxId::CheckBox13, false);      // delay
        options.setChecked(CheckBoxId::CheckBox37, commandFile);
        options.setEditText(EditId::Edit1, "wineplay");
        options.Button1Click();
    };

    int games = 0;
    while (const auto series = user.nextSeries()) {
        ASSERT_LT(games, 7);
        const test::GameClick click = user.playGame(*series);
        ++games;
        SCOPED_TRACE("game " + std::to_string(games));
        ASSERT_TRUE(user.prompts().messages().empty()) << user.prompts().messages().front();

        const Lines logged = loadLines(m_install.logFile());
        ASSERT_EQ(logged.size(), static_cast<std::size_t>(games));
        const std::string& line = logged.back();
        // Wine quotes the program's path on the command line it makes from wine's arguments.
        const auto program = line.substr(0, line.find(' '));
        EXPECT_TRUE(endsWithIgnoringCase(program, "\\KIVSIM.EXE") || endsWithIgnoringCase(program, "\\KIVSIM.EXE\"")) << line;
        const std::string sides = std::string(click.upperIsHome ? " //h:" : " //v:") + click.upperTeam +
                                  (click.upperIsHome ? " //v:" : " //h:") + click.lowerTeam;
        EXPECT_EQ(line.substr(program.size()), commandFile ? " /cmd:" + shortTeams + "wineplay"
                                                           : " /p:" + shortTeams + sides + " //ls:kivp /s:n");
        const std::string fileLine = " /p:" + shortTeams + " /v:" + click.visitorTeam() +
                                     " /h:" + click.homeTeam() + " /s:n //ls:kivp\r\n";
        if (commandFile) {
            EXPECT_EQ(test::readBytes(joinPath(teams, "wineplay")), fileLine);
            EXPECT_EQ(test::readBytes(joinPath(teams, "wineplay.kivb")), fileLine);
        }
    }
    EXPECT_EQ(user.form().bracket().seriesState(7), kSeriesDecided);
    const std::string rest = std::to_string(games - 4);
    EXPECT_TRUE(wins(user) == "4-" + rest || wins(user) == rest + "-4") << wins(user);
}

INSTANTIATE_TEST_SUITE_P(Modes, WindowsSeries, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "CommandFile" : "Switches"; });

// What the playing dialog does with a game that does not end: the user stops it once the Windows program has
// started (it has logged its command line), however long that takes; a game that logs nothing plays to its end.
class StoppingRunner : public ProcessSimulatorRunner {
public:
    explicit StoppingRunner(std::string log) : m_log(std::move(log)) {}
    long long stoppedGroup = 0;

protected:
    void waitForGame(SimulatorProcess& process, const std::string&) override {
        while (!process.finished() && !test::exists(m_log))
            std::this_thread::sleep_for(10ms);
        if (!process.finished()) {
            stoppedGroup = process.processId();
            process.stop();
        }
        std::filesystem::remove(m_log); // the next game is let play to its end
    }

private:
    std::string m_log;
};

using HungWindowsSimulator = WindowsPlayoff;

TEST_F(HungWindowsSimulator, IsStoppedWithItsWineAndTheNextGameCounts) {
    StoppingRunner runner(m_install.logFile());
    auto user = oneSeries(runner);
    {
        ScopedEnvironment hang("KIVSIM_FAIL", "hang");
        ScopedEnvironment log("KIVSIM_LOG", m_install.logFile());
        user->playGame(7);
    }
    ASSERT_NE(runner.stoppedGroup, 0);
    // Neither the Windows program nor the wine it ran in is left.
    EXPECT_EQ(kill(-static_cast<pid_t>(runner.stoppedGroup), 0), -1);
    EXPECT_EQ(errno, ESRCH);
    EXPECT_EQ(wins(*user), "0-0");
    user->playGame(7);
    EXPECT_TRUE(wins(*user) == "1-0" || wins(*user) == "0-1") << wins(*user);
    EXPECT_TRUE(user->prompts().messages().empty());
}

} // namespace
} // namespace kivp
