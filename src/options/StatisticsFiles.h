#pragma once
// Emptying the statistics files the simulator keeps, when the options window's OK finds a "Clear Files" box
// on. Names are used as typed, relative to the process's current directory (the program directory).

#include "options/RunOptions.h"

#include <array>
#include <string_view>

namespace kivp {

// The files of a statistics base name, in the order they are emptied.
inline constexpr std::array<std::string_view, 7> kStatisticsExtensions = {".sts", ".stb", ".stp", ".sth",
                                                                          ".rot", ".std", ".res"};

// For the statistics file: each of the seven files that exists and can be read is emptied; none is created.
// For the box-score, score-card and star-box files: the file named exactly as typed is emptied, or created
// empty. Only the rows whose clear flag is on are touched, whatever their use flag says. A file that cannot
// be emptied is skipped without a message: emptying is a convenience before a new playoff, never a reason to
// stop.
void clearStatisticsFiles(const RunOptions& options);

} // namespace kivp
