// A simulator run that goes wrong, through the main window's model with the real runner: the stand-in
// crashes, ends without a line score, writes a line score kivp cannot read, hangs until the user stops it, or
// is not there at all. Nothing is credited, the user hears about it only where there is something to tell,
// and the next game is played and credited as usual.

#include "app/MainForm.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace kivp {
namespace {

using namespace std::chrono_literals;

struct FaultCase {
    const char* name;
    const char* kivsimFail; // KIVSIM_FAIL for the faulty run; nothing when the simulator is missing instead
    // The one message the user sees; empty for none. "{folder}" and "{path}" stand for the program folder and
    // the search path.
    std::string message;
    bool userStops = false;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

std::string filledIn(std::string text, const std::string& folder, const std::string& path) {
    for (const auto& [mark, value] :
         {std::pair<std::string, std::string>{"{folder}", folder}, {"{path}", path}}) {
        if (const auto at = text.find(mark); at != std::string::npos)
            text.replace(at, mark.size(), value);
    }
    return text;
}

// Presses "Stop simulator" until the game click returns; the run may not have started at the first press.
class StopButton {
public:
    explicit StopButton(ProcessSimulatorRunner& runner)
        : m_thread([this, &runner] {
              std::this_thread::sleep_for(200ms);
              while (!m_done) {
                  runner.stop();
                  std::this_thread::sleep_for(20ms);
              }
          }) {}
    ~StopButton() {
        m_done = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

class SimulatorFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(SimulatorFault, CreditsNothingAndTheNextGameCounts) {
    const FaultCase& c = GetParam();
    const std::string searchPath = "/usr/bin:/bin";
    test::ScopedEnvironment path("PATH", searchPath); // no other simulator to be found
    test::ScopedEnvironment fixedGames("KIVSIM_SEED", "faults");
    test::DemoInstallation install("teams");
    ProcessSimulatorRunner runner;
    test::PlayoffPlayer user(install.programFolder(), runner);
    user.start(install.teamFolder());
    user.setUp(2, 3, {"GLENROCK", "", "", "", "IVYWICK", "", "", ""}); // one best-of-seven series
    MainForm& form = user.form();
    const auto gamesCredited = [&form] {
        return std::stoi(form.bracket().winCount(13)) + std::stoi(form.bracket().winCount(14));
    };
    // A game played before leaves its line score behind, which the faulty run must not get credited again.
    form.Label9Click(13);
    ASSERT_EQ(gamesCredited(), 1);
    const std::string upperWins = form.bracket().winCount(13);

    {
        test::ScopedEnvironment fault("KIVSIM_FAIL",
                                      c.kivsimFail ? std::optional<std::string>(c.kivsimFail) : std::nullopt);
        if (!c.kivsimFail)
            install.unlinkSimulator("kivsim");
        const auto started = std::chrono::steady_clock::now();
        if (c.userStops) {
            StopButton stop(runner);
            form.Label9Click(13);
        } else {
            form.Label9Click(13);
        }
        // A stopped run ends within the grace a stopped program gets, however long it meant to hang.
        EXPECT_LT(std::chrono::steady_clock::now() - started, SimulatorProcess::kStopGrace + 5s);
    }
    EXPECT_EQ(gamesCredited(), 1);
    EXPECT_EQ(form.bracket().winCount(13), upperWins);
    EXPECT_EQ(form.bracket().seriesState(7), kSeriesOpen);
    const auto expected =
        c.message.empty()
            ? std::vector<std::string>{}
            : std::vector<std::string>{filledIn(c.message, install.programFolder(), searchPath)};
    EXPECT_EQ(user.prompts().messages(), expected);

    if (!c.kivsimFail)
        install.linkSimulator("kivsim");
    user.prompts().clear();
    form.Label9Click(13);
    EXPECT_EQ(gamesCredited(), 2);
    EXPECT_TRUE(user.prompts().messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SimulatorFault,
    ::testing::Values(FaultCase{"Crashes", "crash", ""}, FaultCase{"WritesNothing", "silent", ""},
                      FaultCase{"WritesAMalformedLineScore", "garbage",
                                "'?"
                                "?' is not a valid integer value"},
                      FaultCase{"HangsUntilStopped", "hang", "", true},
                      FaultCase{
                          "IsMissing", nullptr,
                          "The simulator \"kivsim\" could not be started: no program of that name was found "
                          "in the program folder {folder} or on the search path {path}."}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivp
