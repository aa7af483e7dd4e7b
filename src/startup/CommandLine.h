#pragma once
// How kivp is started: with no option it keeps today's behaviour (the folder it is started from is its program
// folder); --program-folder names another one, and --user-folder (what the menu entry uses) takes the user's own
// kivp folder. --help and --version print their text and end the program before any window opens, so they work
// without a display.

#include <optional>
#include <string>
#include <vector>

namespace kivp {

struct StartRequest {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Run;
    std::optional<std::string> programFolder; // --program-folder DIR
    bool userFolder = false;                  // --user-folder
    std::string problem;                      // why a Refuse was refused

    bool operator==(const StartRequest&) const = default;
};

// arguments: the command line without the program's name. Options of the window toolkit (a single "-", such
// as "-platform") are left to it; an unknown "--" option is refused.
StartRequest parseCommandLine(const std::vector<std::string>& arguments);

std::string versionText(); // "kivp (KIV Playoff Mode) 1.8.5" and a line saying what it is
std::string helpText();

// The user's own program folder: "kivp" in $XDG_DATA_HOME, by default ~/.local/share/kivp. Either argument may
// be null or empty (unset).
std::string userProgramFolder(const char* xdgDataHome, const char* home);

// Creates the user's folder when it is missing. A folder created here gets a kivp.ini whose team folder is
// demoLeague (when that folder exists), so the first start from the menu can play the demo league at once; an
// existing folder is left exactly as it is. Throws Error::cannotCreate(folder) when it cannot be made.
void prepareUserFolder(const std::string& folder, const std::string& demoLeague);

} // namespace kivp
