#pragma once
// The teams of a team folder: every ".dat" file whose title line checks out gives one team name, its file
// name less ".dat" cut to 8 characters. This fills the eight team pickers of the main window.

#include "platform/Prompts.h"

#include <optional>
#include <string>
#include <vector>

namespace kivp {

// Team names of the ".dat" files (any case) in a folder, in the order Windows lists them. A file whose title
// line cannot be decoded is reported through prompts (one message per file) and skipped; a file whose title
// does not start with "*" is skipped silently, and so is a name holding a control character (it could not be
// stored in a playoff file one value per line) and a folder named "*.dat". A folder that does not exist, or an
// empty folder text, lists nothing.
// A file whose team name would end in a space is reported instead of listed: the simulator could never get it.
std::vector<std::string> listTeams(const std::string& teamDirectory, Prompts& prompts);

// Why a folder the user chose cannot be the team folder, or nothing when it can: a line break cannot be kept in
// kivp.ini or a playoff file, and a name ending in a space cannot reach the simulator's command line intact.
std::optional<std::string> teamFolderProblem(const std::string& folder);

} // namespace kivp
