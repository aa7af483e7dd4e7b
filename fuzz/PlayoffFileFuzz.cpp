// The playoff file: a load applies the whole file or changes nothing, and what loads saves and loads again.
#include "FuzzInput.h"
#include "platform/Error.h"
#include "playoff/PlayoffFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kivp;
    const std::string path = fuzz::scratchFile("fuzz.kvp", fuzz::textOf(data, size));
    Bracket bracket;
    bracket.applyTeams({"ASHVALE", "BRINDLE", "CORRIE", "DUNMERE", "EASTON", "FARROW", "GLENNIS", "HOLM"});
    bracket.creditGame(1, 3, 5);
    const Lines before = PlayoffFile::of(bracket, "/teams").toLines();
    try {
        loadPlayoffFile(path, bracket);
    } catch (const Error&) {
        fuzz::require(PlayoffFile::of(bracket, "/teams").toLines() == before, "a refused file changes nothing");
        return 0;
    }
    // What loads saves and loads again as it was.
    const PlayoffFile loaded = PlayoffFile::of(bracket, "/teams");
    fuzz::require(PlayoffFile::fromLines(loaded.toLines()) == loaded, "a loaded playoff reads back as it was");
    try {
        for (int series = 1; series <= bracket.seriesCount(); ++series) {
            if (bracket.seriesState(series) == kSeriesOpen && !bracket.slot(bracket.homeSlot(series)).empty())
                bracket.creditGame(series, 1, 2);
        }
    } catch (const Error&) {
        // A win count that is not a number is reported when a game is credited, as it always was.
    }
    return 0;
}
