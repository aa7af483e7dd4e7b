#include "startup/CommandLine.h"

#include "options/ProfileFile.h"
#include "options/SettingKeys.h"
#include "platform/Error.h"
#include "platform/Paths.h"

#include <system_error>

#ifndef KIVP_VERSION
#define KIVP_VERSION "unknown"
#endif

namespace kivp {

namespace {

constexpr std::string_view kFolderOption = "--program-folder";

StartRequest only(StartRequest::Action action) {
    StartRequest request;
    request.action = action;
    return request;
}

StartRequest refuse(std::string problem) {
    StartRequest request;
    request.action = StartRequest::Action::Refuse;
    request.problem = std::move(problem);
    return request;
}

} // namespace

StartRequest parseCommandLine(const std::vector<std::string>& arguments) {
    StartRequest request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        // Help and version end the program at once, whatever else the line asks for.
        if (argument == "-h" || argument == "--help")
            return only(StartRequest::Action::ShowHelp);
        if (argument == "-v" || argument == "--version")
            return only(StartRequest::Action::ShowVersion);
        if (argument == "--user-folder") {
            request.userFolder = true;
            request.programFolder.reset();
        } else if (argument == kFolderOption || argument.starts_with(std::string(kFolderOption) + "=")) {
            std::string folder;
            if (argument == kFolderOption) {
                if (i + 1 == arguments.size())
                    return refuse("option '--program-folder' needs a folder");
                folder = arguments[++i];
            } else {
                folder = argument.substr(kFolderOption.size() + 1);
            }
            if (folder.empty())
                return refuse("option '--program-folder' needs a folder");
            request.programFolder = folder;
            request.userFolder = false;
        } else if (argument.starts_with("--")) {
            // Shown on a terminal: control characters are written out, never sent to it.
            return refuse("unknown option '" + visibleText(argument) + "'");
        }
    }
    return request;
}

std::string versionText() {
    return std::string("kivp (KIV Playoff Mode) ") + KIVP_VERSION +
           "\nA playoff manager for the KIV baseball simulator.\n";
}

std::string helpText() {
    return "Usage: kivp [OPTION]\n"
           "Runs a baseball post-season of KIV simulator games from one window.\n"
           "\n"
           "  --program-folder DIR  use DIR as the program folder\n"
           "  --user-folder         use your own kivp folder, $XDG_DATA_HOME/kivp (normally\n"
           "                        ~/.local/share/kivp); the menu entry starts kivp this way\n"
           "  -h, --help            show this help and exit\n"
           "  -v, --version         show the version and exit\n"
           "\n"
           "The program folder holds kivp.ini, the line-score file kivp, saved playoffs and\n"
           "html.html, and the simulator is started there (and looked for there first, then\n"
           "on PATH). Without an option it is the folder kivp is started from. To play with\n"
           "your simulator, start kivp in the simulator's folder or name it with\n"
           "--program-folder.\n";
}

std::string userProgramFolder(const char* xdgDataHome, const char* home) {
    // A relative XDG_DATA_HOME is invalid and is ignored, as the base-directory rules say.
    if (xdgDataHome && *xdgDataHome == '/')
        return joinPath(xdgDataHome, "kivp");
    return joinPath(joinPath(home && *home ? home : "/", ".local/share"), "kivp");
}

void prepareUserFolder(const std::string& folder, const std::string& demoLeague) {
    if (isDirectory(folder))
        return;
    if (!makeFolders(folder))
        throw Error::cannotCreate(folder);
    if (!isDirectory(demoLeague))
        return;
    ProfileFile settings(joinPath(folder, "kivp.ini"));
    writeSetting(settings, Setting::Directory, demoLeague);
    settings.save();
}

} // namespace kivp
