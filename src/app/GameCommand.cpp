#include "app/GameCommand.h"

namespace kivp {

std::string composeGameCommand(const GameCommandInputs& in, const PathForm& paths) {
    if (in.useCommandFile)
        return in.executable + " /cmd:" + paths.folderWithSeparator(in.teamDirectory) + in.commandFileName;

    std::string line = in.executable;
    // The simulator looks for team files in its own folder unless told otherwise.
    if (in.programDirectory != in.teamDirectory)
        line += " /p:" + paths.folderWithSeparator(in.teamDirectory);
    line += " //" + std::string(in.upperIsHome ? "h" : "v") + ":" + in.upperTeam;
    line += " //" + std::string(in.upperIsHome ? "v" : "h") + ":" + in.lowerTeam;
    if (in.rawSwitches.empty())
        line += kDefaultGameSwitches;
    else
        line += " //ls:kivp" + in.simSwitches;
    return line;
}

} // namespace kivp
