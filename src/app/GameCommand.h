#pragma once
// The command line that starts the simulator for one game: the program for the chosen version, the team folder
// when it is not the program folder, both teams with their home ("h") and visitor ("v") roles, upper bracket team
// first, then the line-score switch and the run switches the options window composed, or the default tail when it
// has composed none yet. With a command file, the simulator is only told where that file is. The team folder is
// spelled the way the program that plays the game reads it.

#include "sim/SimulatorRunner.h"

#include <string>

namespace kivp {

struct GameCommandInputs {
    std::string executable;          // "kivsim", "kivsv40", ... or the user-defined program name
    std::string programDirectory;    // where the simulator runs
    std::string teamDirectory;       // the team folder as shown
    std::string upperTeam;
    std::string lowerTeam;
    bool upperIsHome = true;
    std::string rawSwitches;         // empty until the options window's first OK
    std::string simSwitches;
    bool useCommandFile = false;
    std::string commandFileName;
};

// What follows the teams when the options window has composed no switches yet.
inline constexpr const char* kDefaultGameSwitches = " //del:0 //st:kplayoff //ls:kivp";

std::string composeGameCommand(const GameCommandInputs& in, const PathForm& paths);

} // namespace kivp
