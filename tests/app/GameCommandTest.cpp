#include "app/GameCommand.h"

#include "platform/Error.h"
#include "support/TableRows.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::PrintTo;

const char* const kProgram = "/home/me/kivp";
const char* const kTeams = "/home/me/Sim Games/Teams";

struct CommandRow {
    const char* name;
    const char* teamFolder;
    char separator;          // "/" for a native simulator, "\" for a Windows one
    const char* shortFolder; // the form handed to the simulator: empty for a folder that is not there; none
                             // for a folder that must not even be converted
    bool upperHome;
    const char* simSwitches; // empty until the options window's first OK
    const char* commandFile; // empty: no command file
    const char* expected;
};

class GameCommandLines : public ::testing::TestWithParam<CommandRow> {};

TEST_P(GameCommandLines, ComposeTheSimulatorCall) {
    const auto& row = GetParam();
    GameCommandInputs in;
    in.executable = "kivsim";
    in.programDirectory = kProgram;
    in.teamDirectory = row.teamFolder;
    in.upperTeam = "Cubs";
    in.lowerTeam = "Tigers";
    in.upperIsHome = row.upperHome;
    in.rawSwitches = *row.simSwitches ? "//raw " : ""; // what the switches were composed from
    in.simSwitches = row.simSwitches;
    in.useCommandFile = *row.commandFile;
    in.commandFileName = row.commandFile;
    PathForm paths{row.separator, [&row](const std::string& folder) {
                       EXPECT_EQ(folder, row.teamFolder);
                       if (!row.shortFolder)
                           throw Error(Error::Kind::Other, "converted");
                       return std::string(row.shortFolder);
                   }};
    EXPECT_EQ(composeGameCommand(in, paths), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Launches, GameCommandLines,
    ::testing::Values(
        CommandRow{"UpperHomeDefaultTail", kTeams, '/', kTeams, true, "", "",
                   "kivsim /p:/home/me/Sim Games/Teams/ //h:Cubs //v:Tigers //del:0 //st:kplayoff //ls:kivp"},
        CommandRow{"LowerHomeKeepsTheUpperTeamFirst", kTeams, '/', kTeams, false, "", "",
                   "kivsim /p:/home/me/Sim Games/Teams/ //v:Cubs //h:Tigers //del:0 //st:kplayoff //ls:kivp"},
        CommandRow{"TeamsInTheProgramFolderNeedNoFolderSwitch", kProgram, '/', nullptr, true, "", "",
                   "kivsim //h:Cubs //v:Tigers //del:0 //st:kplayoff //ls:kivp"},
        CommandRow{"FoldersDifferingOnlyInCaseAreDifferent", "/HOME/me/kivp", '/', "", true, "", "",
                   "kivsim /p:/ //h:Cubs //v:Tigers //del:0 //st:kplayoff //ls:kivp"},
        CommandRow{"ComposedSwitchesFollowTheLineScoreSwitch", kTeams, '/', kTeams, true, " /vp:3 /vam /s:n", "",
                   "kivsim /p:/home/me/Sim Games/Teams/ //h:Cubs //v:Tigers //ls:kivp /vp:3 /vam /s:n"},
        CommandRow{"CommandFileReplacesEverythingElse", kTeams, '/', kTeams, true, " /s:n", "PLAYOFF",
                   "kivsim /cmd:/home/me/Sim Games/Teams/PLAYOFF"},
        CommandRow{"CommandFileNamesTheFolderEvenWhenItIsTheProgramFolder", kProgram, '/', kProgram, true, "",
                   "CMD", "kivsim /cmd:/home/me/kivp/CMD"},
        CommandRow{"WindowsSimulatorGetsTheShortWindowsForm", kTeams, '\\', "Z:\\HOME\\ME\\SIMGAM~1\\TEAMS", true,
                   " /s:n", "", "kivsim /p:Z:\\HOME\\ME\\SIMGAM~1\\TEAMS\\ //h:Cubs //v:Tigers //ls:kivp /s:n"},
        CommandRow{"WindowsDriveRootEndsInOneBackslash", kTeams, '\\', "Z:\\", true, "", "",
                   "kivsim /p:Z:\\ //h:Cubs //v:Tigers //del:0 //st:kplayoff //ls:kivp"},
        CommandRow{"WindowsFolderWithoutShortForm", kTeams, '\\', "", true, "", "",
                   "kivsim /p:\\ //h:Cubs //v:Tigers //del:0 //st:kplayoff //ls:kivp"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivp
