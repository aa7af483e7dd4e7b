// kivp killed while the stand-in simulator plays a game, and started again in the same folder: it offers the
// playoff from its autosave, resumes it with every game credited before the kill, and plays it to a champion.
// The kill is the model's equivalent of kill -9: the run that is going on never returns to the first kivp,
// and the second one starts while it is still going.

#include "journal/GameLog.h"
#include "playoff/PlayoffFile.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace kivp {
namespace {

// Plays games with the real simulator until the one it is to be killed in.
struct KilledInAGame : ProcessSimulatorRunner {
    KilledInAGame(int gameKilledIn, std::function<void()> whileItRuns)
        : m_gameKilledIn(gameKilledIn), m_whileItRuns(std::move(whileItRuns)) {}

    RunResult runGame(const SimulatorLaunch& launch, const std::string& commandLine,
                      const std::string& workingDirectory, const std::string& caption) override {
        if (++m_games != m_gameKilledIn)
            return ProcessSimulatorRunner::runGame(launch, commandLine, workingDirectory, caption);
        // The simulator is started and kivp dies waiting for it: nothing more of this kivp reaches its files.
        auto started = SimulatorProcess::start(launch, commandLine, workingDirectory);
        m_whileItRuns();
        if (started.process)
            started.process->wait();
        return RunResult{RunResult::Outcome::Stopped, {}};
    }

    int m_games = 0;
    const int m_gameKilledIn;
    std::function<void()> m_whileItRuns;
};

std::vector<GameRecord> gamesOf(MainForm& form) {
    std::vector<GameRecord> games;
    for (const auto& entry : form.journal().journal().entries())
        games.push_back(entry.game);
    return games;
}

TEST(ResumeAfterAKill, StartsAgainWithEveryGameCreditedBeforeTheKillAndPlaysOnToAChampion) {
    test::DemoInstallation install("teams");
    test::ScopedEnvironment fixedGames("KIVSIM_SEED", "resume-after-a-kill");
    test::ScopedEnvironment noFault("KIVSIM_FAIL", std::nullopt);
    constexpr int kGameKilledIn = 9;

    std::unique_ptr<test::PlayoffPlayer> restarted;
    KilledInAGame runner(kGameKilledIn, [&] { // the second kivp plays its games with it too, all of them real
        restarted = std::make_unique<test::PlayoffPlayer>(install.programFolder(), runner);
        restarted->prompts().answers.push_back(true); // Yes, resume it
        restarted->start(install.teamFolder());
    });

    test::PlayoffPlayer first(install.programFolder(), runner);
    first.start(install.teamFolder());
    // Eight teams, "3-3-3".
    first.setUp(
        0, 10, {"ASHVALE", "BRINDLE", "COPPERTN", "DUNMERE", "MARROWDL", "FAIRHOLW", "GLENROCK", "HOLLISFD"});
    PlayoffFile bracketAtKill;
    std::vector<GameRecord> gamesAtKill;
    first.beforeClick = [&](const test::GameClick&) {
        bracketAtKill = PlayoffFile::of(first.form().bracket(), first.form().Label32());
        gamesAtKill = gamesOf(first.form());
    };
    while (!restarted)
        first.playGame(*first.nextSeries());
    ASSERT_EQ(gamesAtKill.size(), static_cast<std::size_t>(kGameKilledIn - 1));

    // The question named the playoff, and Yes put back the bracket and the game log as they were.
    const auto& calls = restarted->prompts().calls;
    ASSERT_EQ(calls.size(), 1u);
    const std::string& question = calls[0].message.text;
    EXPECT_NE(question.find("1995- playoff, format 3-3-3, 8 games played"), std::string::npos) << question;
    // Each decided series has knocked one team out, which is not among those still in.
    const long decided = std::count(bracketAtKill.seriesStates.begin(), bracketAtKill.seriesStates.end(), 1);
    const std::size_t listed = question.find("Still in it: ");
    const auto end = question.begin() + static_cast<long>(question.find('\n', listed));
    EXPECT_EQ(std::count(question.begin() + static_cast<long>(listed), end, ',') + 1, 8 - decided);
    MainForm& form = restarted->form();
    EXPECT_EQ(PlayoffFile::of(form.bracket(), form.Label32()), bracketAtKill);
    EXPECT_EQ(gamesOf(form), gamesAtKill);
    for (const auto& game : gamesAtKill)
        EXPECT_EQ(game.lineScore.size(), 4u) << gameSummary(game); // the simulator's four lines, as written

    // Play goes on from there, and every game of the playoff is in its journal.
    restarted->prompts().clear();
    const int more = restarted->playToChampion();
    EXPECT_EQ(form.journal().journal().size(), kGameKilledIn - 1 + more);
}

} // namespace
} // namespace kivp
