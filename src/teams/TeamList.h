#pragma once
// The teams of a team folder: every ".dat" file whose title line checks out gives one team name, its file name
// less ".dat" cut to 8 characters. This fills the eight team pickers of the main window.

#include "platform/Prompts.h"

#include <string>
#include <vector>

namespace kivp {

// Team names of the ".dat" files in a folder, in listing order. A file whose title line cannot be decoded is
// reported through prompts (one message per file) and skipped; a folder that does not exist lists nothing.
std::vector<std::string> listTeams(const std::string& teamDirectory, Prompts& prompts);

} // namespace kivp
