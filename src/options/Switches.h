#pragma once
// The simulator's run switches and the command file, made from the run options when the options window's OK
// is pressed. Switches are put together in their "//" form (RawSwitches); the spaced " /" form (SimSwitches)
// is what goes at the end of the simulator's command line and into the command file's one line
// (CommandFileLine).

#include "options/RunOptions.h"

#include <string>
#include <string_view>

namespace kivp {

struct Switches {
    std::string raw;    // every switch in "//" form, in a fixed order, then one space
    std::string spaced; // raw with each "//" turned into " /", without the trailing space
    bool operator==(const Switches&) const = default;
};

Switches composeSwitches(const RunOptions& options);

// Every "//" becomes " /" and the last character (the trailing space) is dropped. A value the user typed with
// "//" in it is turned the same way: the simulator reads it as a switch boundary either way.
std::string spacedForm(std::string_view raw);

// The command file's line: the team folder in the form handed to the simulator, with the separator it ends in
// ("/" or "\" alone when the folder has no short form), both teams with their roles, the switches, and the
// line-score switch that names the file "kivp".
std::string composeCommandFileLine(const std::string& teamFolderWithSeparator, const std::string& visitorTeam,
                                   const std::string& homeTeam, const std::string& simSwitches);

// The command file (teamDirectory/name) and its twin with ".kivb" added, each replaced by the one line, both
// or neither. Throws Error::cannotCreate naming the file that could not be written; neither file has changed
// then.
void writeCommandFiles(const std::string& teamDirectory, const std::string& name, const std::string& line);

} // namespace kivp
