#pragma once
// What one pass of the play-a-game step came to: a credited game with its score, or the reason nothing was
// credited. The step has already shown whatever message belongs to that reason, exactly as a click does.

#include <string>

namespace kivp {

struct GameOutcome {
    enum class Result {
        Credited,    // the line score was read and the win credited
        NotPlayable, // the series is not set up or already decided: nothing happened, nothing was said
        Refused,     // the home/away warning or a missing home team stopped it, with its message
        NotStarted,  // the simulator could not be started; its message was shown
        Stopped,     // the user stopped the simulator: the game does not count
        NoLineScore, // the simulator ended without writing a line score; nothing was said
        Failed,      // an error (an unreadable line score, a file that cannot be written) was reported
    };
    Result result = Result::NotPlayable;
    std::string visitor;
    std::string home;
    int visitorRuns = 0;
    int homeRuns = 0;
    // A message that belongs after the game's report: kivp moved a home team and had to raise the warning.
    std::string afterword;
};

} // namespace kivp
