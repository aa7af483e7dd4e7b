#include "options/StatisticsFiles.h"

#include "platform/FileWriting.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <string>

namespace kivp {

namespace {

void emptyOrCreate(const std::string& name) {
    if (!name.empty())
        emptyFileInPlace(resolveIgnoringCase(name));
}

} // namespace

void clearStatisticsFiles(const RunOptions& options) {
    if (options.clearStatsFile) {
        for (const auto extension : kStatisticsExtensions) {
            const std::string name = options.statsFile + std::string(extension);
            if (tryLoadLines(name))
                emptyFileInPlace(resolveIgnoringCase(name));
        }
    }
    if (options.clearBoxScoreFile)
        emptyOrCreate(options.boxScoreFile);
    if (options.clearScoreCardFile)
        emptyOrCreate(options.scoreCardFile);
    if (options.clearStarBoxFile)
        emptyOrCreate(options.starBoxFile);
}

} // namespace kivp
