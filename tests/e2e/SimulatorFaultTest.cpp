// A simulator run that goes wrong, through the main window's model with the real runner: the stand-in
// crashes, ends without a line score, writes a line score kivp cannot read, or is not there at all (one that
// hangs until the user stops it is the playing dialog's to end, and tested with it). Nothing is credited, the
// user hears about it only where there is something to tell, and the next game is played and credited as
// usual.

#include "platform/IntegerText.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/ScopedEnvironment.h"
#include "support/TableRows.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

struct FaultCase {
    const char* name;
    const char* kivsimFail; // KIVSIM_FAIL for the faulty run; nothing when the simulator is missing instead
    const char* message; // the one message the user sees; empty for none; nothing for why it was not started
};

using test::PrintTo;

class SimulatorFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(SimulatorFault, CreditsNothingAndTheNextGameCounts) {
    const FaultCase& c = GetParam();
    test::ScopedEnvironment path("PATH", "/usr/bin:/bin"); // no other simulator to be found
    test::ScopedEnvironment fixedGames("KIVSIM_SEED", "faults");
    test::DemoInstallation install("teams");
    ProcessSimulatorRunner runner;
    test::PlayoffPlayer user(install.programFolder(), runner);
    user.start(install.teamFolder());
    user.setUp(2, 3, {"GLENROCK", "", "", "", "IVYWICK", "", "", ""}); // one best-of-seven series
    const Bracket& bracket = user.form().bracket();
    const auto wins = [&bracket] { return bracket.winCount(13) + "-" + bracket.winCount(14); };
    // A game played before leaves its line score behind, which the faulty run must not get credited again.
    user.form().Label9Click(13);
    const std::string winsBefore = wins();
    ASSERT_TRUE(winsBefore == "1-0" || winsBefore == "0-1") << winsBefore;

    {
        test::ScopedEnvironment fault("KIVSIM_FAIL",
                                      c.kivsimFail ? std::optional<std::string>(c.kivsimFail) : std::nullopt);
        if (!c.kivsimFail)
            install.unlinkSimulator("kivsim");
        user.form().Label9Click(13);
    }
    EXPECT_EQ(wins(), winsBefore);
    const std::string why =
        c.message ? c.message : locateSimulator("kivsim", install.programFolder()).notStarted;
    EXPECT_EQ(user.prompts().messages(), why.empty() ? Lines{} : Lines{why});

    if (!c.kivsimFail)
        install.linkSimulator("kivsim");
    user.prompts().clear();
    user.form().Label9Click(13);
    EXPECT_EQ(toInteger(bracket.winCount(13)) + toInteger(bracket.winCount(14)), 2);
    EXPECT_TRUE(user.prompts().messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, SimulatorFault,
                         ::testing::Values(FaultCase{"Crashes", "crash", ""},
                                           FaultCase{"WritesNothing", "silent", ""},
                                           FaultCase{"WritesAMalformedLineScore", "garbage",
                                                     "'?"
                                                     "?' is not a valid integer value"},
                                           FaultCase{"IsMissing", nullptr, nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivp
