#pragma once
// The run options: the one set of settings the simulator plays the next games with, shared by every series.
// Each member is named after the kivp.ini key that stores it. The options window's fields are the source of
// truth; this record is read from them whenever a switch string, a command file or the settings file needs
// it.

#include <string>

namespace kivp {

// Every member has a default, so a record can be written with just the options that differ.
struct RunOptions {
    // The "#" text of the chosen starting pitcher; empty when none is chosen.
    std::string visitingPitcher{};
    std::string homePitcher{};
    bool useAutoManageVisitor = false;
    bool useAutoManageHome = false;
    bool useAutoLineupVisitor = false;
    bool useAutoLineupHome = false;
    bool useSpotStartersVisitor = false;
    bool useSpotStartersHome = false;
    bool useDH = false;
    bool useSoundEffects = false;
    bool useFocusing = false;
    bool useDelayFactor = false;
    int delayFactor = 0;       // 0 to 9
    bool useWatchGame = false; // counts only while useDelayFactor is on
    bool useNormalization = false;
    std::string normalizationFactor{};
    bool useStatsFile = false;
    bool clearStatsFile = false;
    std::string statsFile{}; // a base name: the seven statistics files add their extensions
    bool useBoxScoreFile = false;
    bool clearBoxScoreFile = false;
    std::string boxScoreFile{};
    bool useScoreCardFile = false;
    bool clearScoreCardFile = false;
    std::string scoreCardFile{};
    bool useStarBoxFile = false;
    bool clearStarBoxFile = false;
    std::string starBoxFile{};
    bool useCommandFile = false;
    std::string commandFileName{};
    // "36", "40", "45", "46", or the name of a user-defined simulator program without ".exe".
    std::string kivVersion = "36";
    bool clearAllAfterRun = true;
    bool saveAllOptions = false;
    bool showDetailedErrorMessages = true;

    bool operator==(const RunOptions&) const = default;
};

} // namespace kivp
