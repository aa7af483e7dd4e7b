#include "playoff/BracketPage.h"
#include "platform/Error.h"
#include "support/TempDir.h"
#include "support/TableRows.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::PrintTo;

using test::TempDir;

const Lines kHead = {"<HTML>",
                     "<HEAD><TITLE>KIV Playoff Bracket</TITLE></HEAD>",
                     "<BODY BGCOLOR=#EEEEEE>",
                     "<CENTER>",
                     "<FONT FACE=ARIAL>",
                     "<TABLE WIDTH=725 BORDER=0 CELLSPACING=0 CELLPADDING=0>"};
const Lines kTail = {"</TABLE>", "</FONT>", "</CENTER>", "</BODY>", "</HTML>"};

Lines page(const Lines& rows) {
    Lines lines = kHead;
    lines.insert(lines.end(), rows.begin(), rows.end());
    lines.insert(lines.end(), kTail.begin(), kTail.end());
    return lines;
}

// Every slot and win count distinct, so a text in the wrong cell shows; a leading space must stay.
Bracket distinctBracket(int type) {
    Bracket bracket;
    bracket.setPlayoffType(std::max(type, 0));
    bracket.selectPlayoffType(type);
    const char* names[] = {"Ash",   "Birch", "Cedar",   "Dogwood", "Elm",   "Fir",   "Gum",
                           "Hazel", " Ivy",  "Juniper", "Kauri",   "Larch", "Maple", "Nutmeg"};
    for (int slot = 1; slot <= kTeamSlotCount; ++slot) {
        bracket.setSlot(slot, names[slot - 1]);
        bracket.setWinCount(slot, std::to_string(slot));
    }
    bracket.setSlot(kChampionSlot, "Champion never shown");
    return bracket;
}

struct TypeRows {
    const char* name;
    int type;
    Lines rows;
};

class BracketPageRows : public ::testing::TestWithParam<TypeRows> {};

TEST_P(BracketPageRows, PutEachSlotInItsCell) {
    EXPECT_EQ(bracketPageLines(distinctBracket(GetParam().type)), page(GetParam().rows));
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, BracketPageRows,
    ::testing::Values(
        TypeRows{"EightTeams",
                 0,
                 {"<TR BGCOLOR=#FFFFCC><TH COLSPAN=2 ALIGN=CENTER><B>Round 1</B></TH><TH COLSPAN=2 "
                  "ALIGN=CENTER><B>Semi Finals</B></TH><TH COLSPAN=5 ALIGN=CENTER><B>World Championship</B>"
                  "</TH><TH COLSPAN=2 ALIGN=CENTER><B>Semi Finals</B></TH><TH COLSPAN=2 ALIGN=CENTER><B>"
                  "Round 1</B></TH></TR>",
                  "<TR><TD BGCOLOR=#99CCFF>Ash</TD><TD BGCOLOR=#99CCFF>1</TD><TD COLSPAN=9>&nbsp</TD><TD "
                  "BGCOLOR=#99CCFF>5</TD><TD ALIGN=RIGHT BGCOLOR=#99CCFF>Elm</TD></TR>",
                  "<TR><TD COLSPAN=2></TD><TD BGCOLOR=#99CCFF> Ivy</TD><TD BGCOLOR=#99CCFF>9</TD><TD "
                  "COLSPAN=5>&nbsp</TD><TD BGCOLOR=#99CCFF>11</TD><TD ALIGN=RIGHT BGCOLOR=#99CCFF>"
                  "Kauri</TD></TR>",
                  "<TR><TD BGCOLOR=#99CCFF>Birch</TD><TD BGCOLOR=#99CCFF>2</TD><TD COLSPAN=9>&nbsp</TD><TD "
                  "BGCOLOR=#99CCFF>6</TD><TD ALIGN=RIGHT BGCOLOR=#99CCFF>Fir</TD></TR>",
                  "<TR><TD COLSPAN=4></TD><TD BGCOLOR=#99CCFF>Maple</TD><TD BGCOLOR=#99CCFF>13</TD><TD>"
                  "&nbsp</TD><TD BGCOLOR=#99CCFF>14</TD><TD ALIGN=RIGHT BGCOLOR=#99CCFF>Nutmeg</TD></TR>",
                  "<TR><TD BGCOLOR=#99CCFF>Cedar</TD><TD BGCOLOR=#99CCFF>3</TD><TD COLSPAN=9>&nbsp</TD><TD "
                  "BGCOLOR=#99CCFF>7</TD><TD ALIGN=RIGHT BGCOLOR=#99CCFF>Gum</TD></TR>",
                  "<TR><TD COLSPAN=2></TD><TD BGCOLOR=#99CCFF>Juniper</TD><TD BGCOLOR=#99CCFF>10</TD><TD "
                  "COLSPAN=5>&nbsp</TD><TD BGCOLOR=#99CCFF>12</TD><TD ALIGN=RIGHT BGCOLOR=#99CCFF>"
                  "Larch</TD></TR>",
                  "<TR><TD BGCOLOR=#99CCFF>Dogwood</TD><TD BGCOLOR=#99CCFF>4</TD><TD COLSPAN=9>&nbsp</TD>"
                  "<TD BGCOLOR=#99CCFF>8</TD><TD ALIGN=RIGHT BGCOLOR=#99CCFF>Hazel</TD></TR>"}},
        TypeRows{"FourTeams",
                 1,
                 {"<TR BGCOLOR=#FFFFCC><TH COLSPAN=2 ALIGN=CENTER>Semi Finals</TH><TH COLSPAN=5 "
                  "ALIGN=CENTER>World Championship</TH><TH COLSPAN=2 ALIGN=CENTER>Semi Finals</TH></TR>",
                  "<TR><TD BGCOLOR=#99CCFF> Ivy</TD><TD BGCOLOR=#99CCFF>9</TD><TD COLSPAN=5>&nbsp</TD><TD "
                  "BGCOLOR=#99CCFF>11</TD><TD ALIGN=RIGHT BGCOLOR=#99CCFF>Kauri</TD></TR>",
                  "<TR><TD COLSPAN=2></TD><TD BGCOLOR=#99CCFF>Maple</TD><TD BGCOLOR=#99CCFF>13</TD><TD>"
                  "&nbsp</TD><TD BGCOLOR=#99CCFF>14</TD><TD ALIGN=RIGHT BGCOLOR=#99CCFF>Nutmeg</TD></TR>",
                  "<TR><TD BGCOLOR=#99CCFF>Juniper</TD><TD BGCOLOR=#99CCFF>10</TD><TD COLSPAN=5>&nbsp</TD>"
                  "<TD BGCOLOR=#99CCFF>12</TD><TD ALIGN=RIGHT BGCOLOR=#99CCFF>Larch</TD></TR>"}},
        TypeRows{"TwoTeams",
                 2,
                 {"<TR BGCOLOR=#FFFFCC><TH COLSPAN=5 ALIGN=CENTER>World Championship</TH></TR>",
                  "<TR><TD BGCOLOR=#99CCFF>Maple</TD><TD BGCOLOR=#99CCFF>13</TD><TD>&nbsp</TD><TD "
                  "BGCOLOR=#99CCFF>14</TD><TD ALIGN=RIGHT BGCOLOR=#99CCFF>Nutmeg</TD></TR>"}},
        TypeRows{"NoType", -1, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BracketPage, EscapesEveryInsertedTextAndNothingElse) {
    Bracket bracket = distinctBracket(2);
    bracket.setSlot(13, "A&M's");
    bracket.setWinCount(13, "<1>");
    bracket.setWinCount(14, "\"2\"");
    bracket.setSlot(14, "&amp;  Ca\xF1on");
    EXPECT_EQ(
        bracketPageLines(bracket)[7],
        "<TR><TD BGCOLOR=#99CCFF>A&amp;M's</TD><TD BGCOLOR=#99CCFF>&lt;1&gt;</TD><TD>&nbsp</TD><TD "
        "BGCOLOR=#99CCFF>&quot;2&quot;</TD><TD ALIGN=RIGHT BGCOLOR=#99CCFF>&amp;amp;  Ca\xF1on</TD></TR>");
}

TEST(BracketPageExport, ReplacesAnEarlierPageWithCrLfLines) {
    TempDir dir;
    const auto path = dir.write("html.html", std::string(5000, 'x'));
    const Bracket bracket = distinctBracket(2);
    exportBracketPage(path, bracket);
    EXPECT_EQ(test::readBytes(path), joinLines(bracketPageLines(bracket)));
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"html.html"}));
}

} // namespace
} // namespace kivp
