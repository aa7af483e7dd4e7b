#include "playoff/BracketPage.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kivp {

namespace {

// A row is five fixed pieces around four texts: the left slot's name and win count, the right slot's
// win count and name. The templates differ only in the pair's indent and the width of the gap between them.
using RowTemplate = std::array<const char*, 5>;

constexpr const char* kCell = "</TD><TD BGCOLOR=#99CCFF>";
constexpr const char* kRightCell = "</TD><TD ALIGN=RIGHT BGCOLOR=#99CCFF>";
constexpr const char* kRowEnd = "</TD></TR>";
constexpr const char* kRowStart = "<TR><TD BGCOLOR=#99CCFF>";
constexpr const char* kRowStartIndent2 = "<TR><TD COLSPAN=2></TD><TD BGCOLOR=#99CCFF>";
constexpr const char* kRowStartIndent4 = "<TR><TD COLSPAN=4></TD><TD BGCOLOR=#99CCFF>";
constexpr const char* kGap9 = "</TD><TD COLSPAN=9>&nbsp</TD><TD BGCOLOR=#99CCFF>";
constexpr const char* kGap5 = "</TD><TD COLSPAN=5>&nbsp</TD><TD BGCOLOR=#99CCFF>";
constexpr const char* kGap1 = "</TD><TD>&nbsp</TD><TD BGCOLOR=#99CCFF>";

constexpr RowTemplate kR9 = {kRowStart, kCell, kGap9, kRightCell, kRowEnd};
constexpr RowTemplate kI2_5 = {kRowStartIndent2, kCell, kGap5, kRightCell, kRowEnd};
constexpr RowTemplate kI4_1 = {kRowStartIndent4, kCell, kGap1, kRightCell, kRowEnd};
constexpr RowTemplate kR5 = {kRowStart, kCell, kGap5, kRightCell, kRowEnd};
constexpr RowTemplate kI2_1 = {kRowStartIndent2, kCell, kGap1, kRightCell, kRowEnd};
constexpr RowTemplate kR1 = {kRowStart, kCell, kGap1, kRightCell, kRowEnd};

struct Row {
    const RowTemplate* layout;
    int leftSlot;
    int rightSlot;
};

struct TypePage {
    const char* header;
    std::vector<Row> rows;
};

const std::array<TypePage, kClassicTypeCount>& typePages() {
    static const std::array<TypePage, kClassicTypeCount> pages = {{
        {"<TR BGCOLOR=#FFFFCC>"
         "<TH COLSPAN=2 ALIGN=CENTER><B>Round 1</B></TH>"
         "<TH COLSPAN=2 ALIGN=CENTER><B>Semi Finals</B></TH>"
         "<TH COLSPAN=5 ALIGN=CENTER><B>World Championship</B></TH>"
         "<TH COLSPAN=2 ALIGN=CENTER><B>Semi Finals</B></TH>"
         "<TH COLSPAN=2 ALIGN=CENTER><B>Round 1</B></TH></TR>",
         {{&kR9, 1, 5},
          {&kI2_5, 9, 11},
          {&kR9, 2, 6},
          {&kI4_1, 13, 14},
          {&kR9, 3, 7},
          {&kI2_5, 10, 12},
          {&kR9, 4, 8}}},
        {"<TR BGCOLOR=#FFFFCC><TH COLSPAN=2 ALIGN=CENTER>Semi Finals</TH><TH COLSPAN=5 ALIGN=CENTER>World "
         "Championship</TH><TH COLSPAN=2 ALIGN=CENTER>Semi Finals</TH></TR>",
         {{&kR5, 9, 11}, {&kI2_1, 13, 14}, {&kR5, 10, 12}}},
        {"<TR BGCOLOR=#FFFFCC><TH COLSPAN=5 ALIGN=CENTER>World Championship</TH></TR>", {{&kR1, 13, 14}}},
    }};
    return pages;
}

std::string rowLine(const Bracket& bracket, const Row& row) {
    const std::array<std::string, 4> texts = {bracket.slot(row.leftSlot), bracket.winCount(row.leftSlot),
                                              bracket.winCount(row.rightSlot), bracket.slot(row.rightSlot)};
    const RowTemplate& pieces = *row.layout;
    std::string line = pieces[0];
    for (std::size_t i = 0; i < texts.size(); ++i) {
        line += escapeHtml(texts[i]);
        line += pieces[i + 1];
    }
    return line;
}

// The later types' page, in the same style: a heading row for each round of each half, earliest first, each
// series of it a row (its upper team on the left), then the champion.
void addRoundRows(Lines& lines, const Bracket& bracket) {
    const PlayoffTypeInfo info = bracket.typeInfo();
    auto heading = [&lines](const std::string& text) {
        lines.push_back("<TR BGCOLOR=#FFFFCC><TH COLSPAN=5 ALIGN=CENTER>" + escapeHtml(text) + "</TH></TR>");
    };
    const BracketTree& tree = bracket.tree();
    for (int round = 0; round < tree.rounds(); ++round) {
        const auto series = tree.seriesOfRound(round);
        for (int half = -1; half < tree.halves(); ++half) {
            bool headed = false;
            for (int s : series) {
                if (tree.series(s).half != half)
                    continue;
                if (!headed) {
                    const std::string& league = info.halfLongNames[static_cast<std::size_t>(std::max(half, 0))];
                    heading(half < 0 || round == tree.rounds() - 1
                                ? "World Championship"
                                : bracket.roundName(round) + (league.empty() ? "" : " (" + league + ")"));
                    headed = true;
                }
                lines.push_back(rowLine(bracket, {&kR1, Bracket::upperSlot(s), Bracket::lowerSlot(s)}));
            }
        }
    }
    heading("Champion");
    lines.push_back("<TR><TD COLSPAN=5 ALIGN=CENTER BGCOLOR=#99CCFF>" + escapeHtml(bracket.champion()) +
                    "</TD></TR>");
}

} // namespace

std::string escapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

Lines bracketPageLines(const Bracket& bracket) {
    Lines lines = {"<HTML>",
                   "<HEAD><TITLE>KIV Playoff Bracket</TITLE></HEAD>",
                   "<BODY BGCOLOR=#EEEEEE>",
                   "<CENTER>",
                   "<FONT FACE=ARIAL>",
                   "<TABLE WIDTH=725 BORDER=0 CELLSPACING=0 CELLPADDING=0>"};

    const int type = bracket.playoffTypeIndex();
    if (isClassicType(type)) {
        const TypePage& page = typePages()[static_cast<std::size_t>(type)];
        lines.push_back(page.header);
        for (const Row& row : page.rows)
            lines.push_back(rowLine(bracket, row));
    } else if (type >= 0) {
        addRoundRows(lines, bracket);
    }

    for (const char* tail : {"</TABLE>", "</FONT>", "</CENTER>", "</BODY>", "</HTML>"})
        lines.push_back(tail);
    return lines;
}

void exportBracketPage(const std::string& path, const Bracket& bracket) {
    saveLines(path, bracketPageLines(bracket));
}

} // namespace kivp
