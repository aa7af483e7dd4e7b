#include "options/SettingKeys.h"

#include "platform/IntegerText.h"

#include <array>
#include <cassert>

namespace kivp {

namespace {

constexpr std::string_view kLocation = "Location";
constexpr std::string_view kOptions = "Options";
constexpr std::string_view kSetupOptions = "Setup Options";
constexpr std::string_view kTeamOptions = "Team Options";
constexpr std::string_view kMoreOptions = "More Options";

constexpr auto kNone = std::nullopt;
using S = Setting;

// Setting, section, key, absent, reset, saved with the options.
constexpr std::array<SettingKey, 37> kTable = {{
    {S::HomeDirectory, kLocation, "Home Directory", "", kNone, false},
    {S::Directory, kLocation, "Directory", "", kNone, false},
    {S::ClearAllAfterRun, kOptions, "Clear All After Run", "1", "1", true},
    {S::SaveAllOptions, kOptions, "Save All Options", "0", "0", true},
    {S::ShowDetailedErrorMessages, kOptions, "Show Detailed Error Messages", "1", "1", true},
    {S::KivVersion, kOptions, "KIV Version", "36", kNone, false},
    {S::UseTeamOptions, kSetupOptions, "Use Team Options", "1", "1", true},
    {S::VisitingPitcher, kTeamOptions, "Visiting Pitcher", kNone, kNone, true},
    {S::HomePitcher, kTeamOptions, "Home Pitcher", kNone, kNone, true},
    {S::UseAutoManageVisitor, kTeamOptions, "Use Auto Manage Visitor", "0", "0", true},
    {S::UseAutoManageHome, kTeamOptions, "Use Auto Manage Home", "0", "0", true},
    {S::UseAutoLineupVisitor, kTeamOptions, "Use Auto Lineup Visitor", "0", "0", true},
    {S::UseAutoLineupHome, kTeamOptions, "Use Auto Lineup Home", "0", "0", true},
    {S::UseSpotStartersVisitor, kTeamOptions, "Use Spot Starters Visitor", "0", "0", true},
    {S::UseSpotStartersHome, kTeamOptions, "Use Spot Starters Home", "0", "0", true},
    {S::UseDH, kTeamOptions, "Use DH", "0", "0", true},
    {S::UseSoundEffects, kTeamOptions, "Use Sound Effects", "0", "1", true},
    {S::UseFocusing, kTeamOptions, "Use Focusing", "0", "0", true},
    {S::UseDelayFactor, kTeamOptions, "Use Delay Factor", "0", "1", true},
    {S::DelayFactor, kTeamOptions, "Delay Factor", "0", "3", true},
    {S::UseWatchGame, kTeamOptions, "Use Watch Game", "0", kNone, true},
    {S::UseNormalization, kTeamOptions, "Use Normalization", "0", kNone, true},
    {S::NormalizationFactor, kTeamOptions, "Normalization Factor", "", kNone, true},
    {S::UseStatsFile, kMoreOptions, "Use Stats File", "0", "0", true},
    {S::ClearStatsFile, kMoreOptions, "Clear Stats File", "0", "0", true},
    {S::StatsFile, kMoreOptions, "Stats File", "", "", true},
    {S::UseBoxScoreFile, kMoreOptions, "Use Box Score File", "0", "0", true},
    {S::ClearBoxScoreFile, kMoreOptions, "Clear Box Score File", "0", "0", true},
    {S::BoxScoreFile, kMoreOptions, "Box Score File", "", "", true},
    {S::UseScoreCardFile, kMoreOptions, "Use Score Card File", "0", "0", true},
    {S::ClearScoreCardFile, kMoreOptions, "Clear Score Card File", "0", "0", true},
    {S::ScoreCardFile, kMoreOptions, "Score Card File", "", "", true},
    {S::UseStarBoxFile, kMoreOptions, "Use Star Box File", "0", "0", true},
    {S::ClearStarBoxFile, kMoreOptions, "Clear Star Box File", "0", "0", true},
    {S::StarBoxFile, kMoreOptions, "Star Box File", "", "", true},
    {S::UseCommandFile, kMoreOptions, "Use Command File", "0", "0", true},
    {S::CommandFileName, kMoreOptions, "Command File Name", "", "", true},
}};

constexpr bool tableFollowsTheEnum() {
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (static_cast<std::size_t>(kTable[i].setting) != i)
            return false;
    }
    return true;
}
static_assert(tableFollowsTheEnum(), "settingKey() indexes the table by Setting");

} // namespace

std::span<const SettingKey> settingKeys() {
    return kTable;
}

const SettingKey& settingKey(Setting setting) {
    return kTable[static_cast<std::size_t>(setting)];
}

std::string readSettingText(const ProfileFile& file, Setting setting) {
    const auto& entry = settingKey(setting);
    assert(entry.absent);
    return file.readString(entry.section, entry.key, entry.absent.value_or(""));
}

int readSettingInteger(const ProfileFile& file, Setting setting) {
    const auto& entry = settingKey(setting);
    assert(entry.absent);
    return file.readInteger(entry.section, entry.key, parseInteger(entry.absent.value_or("0")).value_or(0));
}

void writeSetting(ProfileFile& file, Setting setting, std::string_view value) {
    const auto& entry = settingKey(setting);
    file.writeString(entry.section, entry.key, value);
}

void writeSetting(ProfileFile& file, Setting setting, int value) {
    const auto& entry = settingKey(setting);
    file.writeInteger(entry.section, entry.key, value);
}

void writeSettingFlag(ProfileFile& file, Setting setting, bool on) {
    writeSetting(file, setting, on ? 1 : 0);
}

} // namespace kivp
