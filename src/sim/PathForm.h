#pragma once
// How the simulator of one game is given a folder, on its command line and in its command files: a native
// program reads the folder's Linux path, a Windows program run by Wine its Windows short form.

#include "platform/Paths.h"

#include <functional>
#include <string>

namespace kivp {

struct PathForm {
    char separator = kPathSeparator;
    // The short form of a folder as the program reads it, with no separator at its end but for a root; the empty
    // text when the folder has none (it does not exist). Throws Error, naming the folder, for a folder that cannot
    // be given to the program at all.
    std::function<std::string(const std::string& folder)> shortForm = shortPathOfFolder;

    // The short form followed by the separator, which a root already ends in: "/home/me/teams/" natively,
    // "Z:\HOME\ME\SIMGAM~1\" for a Windows program, "\" alone for a folder that has no short form there.
    std::string folderWithSeparator(const std::string& folder) const;
};

} // namespace kivp
