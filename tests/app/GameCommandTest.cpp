#include "app/GameCommand.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

struct CommandRow {
    const char* name;
    GameCommandInputs in;
    const char* expected;
};

void PrintTo(const CommandRow& row, std::ostream* os) { *os << row.name; }

GameCommandInputs base() {
    GameCommandInputs in;
    in.executable = "kivsim";
    in.programDirectory = "/home/me/kivp";
    in.teamDirectory = "/home/me/Sim Games/Teams";
    in.shortTeamDirectory = "/home/me/Sim Games/Teams";
    in.upperTeam = "Cubs";
    in.lowerTeam = "Tigers";
    return in;
}

template <typename F> GameCommandInputs with(F change) {
    auto in = base();
    change(in);
    return in;
}

class GameCommandLines : public ::testing::TestWithParam<CommandRow> {};

TEST_P(GameCommandLines, ComposeTheSimulatorCall) {
    EXPECT_EQ(composeGameCommand(GetParam().in), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Launches, GameCommandLines,
    ::testing::Values(
        CommandRow{"UpperHomeDefaultTail", base(),
                   "kivsim /p:/home/me/Sim Games/Teams/ //h:Cubs //v:Tigers //del:0 //st:kplayoff //ls:kivp"},
        CommandRow{"LowerHomeKeepsTheUpperTeamFirst", with([](auto& in) { in.upperIsHome = false; }),
                   "kivsim /p:/home/me/Sim Games/Teams/ //v:Cubs //h:Tigers //del:0 //st:kplayoff //ls:kivp"},
        CommandRow{"TeamsInTheProgramFolderNeedNoFolderSwitch",
                   with([](auto& in) { in.teamDirectory = in.programDirectory; }),
                   "kivsim //h:Cubs //v:Tigers //del:0 //st:kplayoff //ls:kivp"},
        CommandRow{"FoldersDifferingOnlyInCaseAreDifferent",
                   with([](auto& in) { in.teamDirectory = "/HOME/me/kivp"; in.shortTeamDirectory = ""; }),
                   "kivsim /p:/ //h:Cubs //v:Tigers //del:0 //st:kplayoff //ls:kivp"},
        CommandRow{"ComposedSwitchesFollowTheLineScoreSwitch",
                   with([](auto& in) {
                       in.executable = "kivsv46";
                       in.rawSwitches = "//vp:3//vam//s:n ";
                       in.simSwitches = " /vp:3 /vam /s:n";
                   }),
                   "kivsv46 /p:/home/me/Sim Games/Teams/ //h:Cubs //v:Tigers //ls:kivp /vp:3 /vam /s:n"},
        CommandRow{"CommandFileReplacesEverythingElse",
                   with([](auto& in) {
                       in.useCommandFile = true;
                       in.commandFileName = "PLAYOFF";
                       in.rawSwitches = "//s:n ";
                       in.simSwitches = " /s:n";
                   }),
                   "kivsim /cmd:/home/me/Sim Games/Teams/PLAYOFF"},
        CommandRow{"CommandFileNamesTheFolderEvenWhenItIsTheProgramFolder",
                   with([](auto& in) {
                       in.executable = "mysim";
                       in.teamDirectory = in.programDirectory;
                       in.shortTeamDirectory = in.programDirectory;
                       in.useCommandFile = true;
                       in.commandFileName = "CMD";
                   }),
                   "mysim /cmd:/home/me/kivp/CMD"},
        CommandRow{"NamesAndSwitchesPassUnquoted",
                   with([](auto& in) {
                       in.upperTeam = "A;B";
                       in.lowerTeam = "$(x)";
                   }),
                   "kivsim /p:/home/me/Sim Games/Teams/ //h:A;B //v:$(x) //del:0 //st:kplayoff //ls:kivp"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivp
