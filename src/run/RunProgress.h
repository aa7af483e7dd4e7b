#pragma once
// What a run of many games tells the person at the screen while it plays, and the one thing it asks: whether
// to stop after the game in progress. The windows answer with a modal progress dialog that also offers to
// stop the simulator; tests script it. The quiet one shows nothing and never stops a run.

#include <string>

namespace kivp {

class RunProgress {
public:
    virtual ~RunProgress() = default;
    // Before the first game of a run; title names the command ("Play to Champion").
    virtual void runStarting(const std::string& title) = 0;
    // "Round 1, game 3 of at most 7: ASHVALE at DUNMERE"
    virtual void gameStarting(const std::string& heading) = 0;
    // How the game ended, in the words of the status line; the bracket has been brought up to date.
    virtual void gameEnded(const std::string& result) = 0;
    // Asked after each credited game.
    virtual bool stopAfterThisGame() = 0;
    // The run is over, however it ended.
    virtual void runEnded() = 0;
};

class QuietProgress : public RunProgress {
public:
    void runStarting(const std::string&) override {}
    void gameStarting(const std::string&) override {}
    void gameEnded(const std::string&) override {}
    bool stopAfterThisGame() override { return false; }
    void runEnded() override {}
};

} // namespace kivp
