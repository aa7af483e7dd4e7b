#pragma once
// Every setting kivp keeps in kivp.ini: its section and key, the value a reader gets when the key is missing
// and the value the options reset writes. Whatever reads or writes the file (start-up, the team folder
// choice, the game launch, the options window) names a Setting from this one table, so no section or key is
// spelled twice.

#include "options/ProfileFile.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kivp {

// In the table's order: sections Location, Options, Setup Options, Team Options, More Options.
enum class Setting {
    HomeDirectory,
    Directory,
    ClearAllAfterRun,
    SaveAllOptions,
    ShowDetailedErrorMessages,
    KivVersion,
    UseTeamOptions,
    VisitingPitcher,
    HomePitcher,
    UseAutoManageVisitor,
    UseAutoManageHome,
    UseAutoLineupVisitor,
    UseAutoLineupHome,
    UseSpotStartersVisitor,
    UseSpotStartersHome,
    UseDH,
    UseSoundEffects,
    UseFocusing,
    UseDelayFactor,
    DelayFactor,
    UseWatchGame,
    UseNormalization,
    NormalizationFactor,
    UseStatsFile,
    ClearStatsFile,
    StatsFile,
    UseBoxScoreFile,
    ClearBoxScoreFile,
    BoxScoreFile,
    UseScoreCardFile,
    ClearScoreCardFile,
    ScoreCardFile,
    UseStarBoxFile,
    ClearStarBoxFile,
    StarBoxFile,
    UseCommandFile,
    CommandFileName,
};

struct SettingKey {
    Setting setting;
    std::string_view section;
    std::string_view key;
    // What a reader gets when the key is missing (integers as their digits); nothing for keys never read
    // back.
    std::optional<std::string_view> absent;
    // What the options reset writes; nothing for keys the reset leaves alone.
    std::optional<std::string_view> reset;
    // Written by the options window's OK in the save-for-continuous-use mode, in table order.
    bool savedWithOptions;
};

// The whole table, in its order.
std::span<const SettingKey> settingKeys();
const SettingKey& settingKey(Setting setting);

// Reads through the table's absent value. Reading a setting that has none is a programming error and reads as
// the empty text or 0.
std::string readSettingText(const ProfileFile& file, Setting setting);
int readSettingInteger(const ProfileFile& file, Setting setting);

void writeSetting(ProfileFile& file, Setting setting, std::string_view value);
void writeSetting(ProfileFile& file, Setting setting, int value);
// Flags are stored as the integers 1 and 0.
void writeSettingFlag(ProfileFile& file, Setting setting, bool on);

} // namespace kivp
