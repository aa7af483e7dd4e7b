#include "report/PlayoffReport.h"

#include "platform/IntegerText.h"
#include "platform/Paths.h"
#include "report/BracketLayout.h"

#include <algorithm>
#include <cstdlib>

namespace kivp {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The length of the valid UTF-8 sequence XML allows at the front of text, or 0.
std::size_t validSequence(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return (lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r') ? 1 : 0;
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < smallest || code > 0x10FFFF || surrogate || code == 0xFFFE || code == 0xFFFF)
        return 0;
    return length;
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string number(int value) { return std::to_string(value); }

std::string roundName(const Bracket& bracket, int series) { return bracket.roundName(bracket.roundOf(series)); }

// A series as the report tells it.
struct SeriesView {
    int series = 0;
    std::string upper, lower;       // the team names, or the placeholders while not set up
    std::string upperWins, lowerWins;
    int state = kSeriesNotSetUp;
    int winnerSlot = 0; // the slot of the team that won a decided series, else 0
    std::string result;
};

SeriesView seriesView(const Bracket& bracket, int series) {
    SeriesView view;
    view.series = series;
    const int upperSlot = Bracket::upperSlot(series), lowerSlot = Bracket::lowerSlot(series);
    view.upper = trimmed(bracket.slot(upperSlot));
    view.lower = trimmed(bracket.slot(lowerSlot));
    view.upperWins = bracket.winCount(upperSlot);
    view.lowerWins = bracket.winCount(lowerSlot);
    view.state = bracket.seriesState(series);
    const int upperWins = parseInteger(view.upperWins).value_or(0);
    const int lowerWins = parseInteger(view.lowerWins).value_or(0);
    const bool upperAhead = upperWins > lowerWins;
    const std::string& leader = upperAhead ? view.upper : view.lower;
    const std::string score =
        std::to_string(std::max(upperWins, lowerWins)) + "-" + std::to_string(std::min(upperWins, lowerWins));
    if (view.state == kSeriesNotSetUp) {
        view.result = "To be played";
    } else if (view.state == kSeriesDecided) {
        view.winnerSlot = upperAhead ? upperSlot : lowerSlot;
        view.result = leader + " wins the series " + score;
    } else if (upperWins == 0 && lowerWins == 0) {
        view.result = "Not started";
    } else if (upperWins == lowerWins) {
        view.result = "Tied " + score;
    } else {
        view.result = leader + " leads " + score;
    }
    return view;
}

std::vector<int> seriesShown(const Bracket& bracket) {
    std::vector<int> shown;
    for (int series = 1; series <= bracket.seriesCount(); ++series) {
        if (bracket.roundShown(bracket.roundOf(series)))
            shown.push_back(series);
    }
    return shown;
}

// A part of the bracket area: the part the playoff type uses, or what a part of it shown on its own holds.
struct Bounds {
    int left = 0, top = 0, right = 0, bottom = 0;
    static Bounds empty() { return {1 << 20, 1 << 20, -(1 << 20), -(1 << 20)}; }
    int width() const { return right - left; }
    void add(const layout::Box& box) {
        left = std::min(left, box.x);
        top = std::min(top, box.y);
        right = std::max(right, box.x + box.width);
        bottom = std::max(bottom, box.y + box.height);
    }
};

class Page {
public:
    void add(std::string line) { m_lines.push_back(std::move(line)); }
    Lines take() { return std::move(m_lines); }

private:
    Lines m_lines;
};

std::string attribute(const char* name, int value) { return std::string(" ") + name + "=\"" + number(value) + "\""; }

// A team's name in the series table; a slot no team has reached yet is empty.
std::string teamName(const std::string& name) { return name.empty() ? "to be decided" : reportText(name); }

// An empty text draws nothing, so it is left out.
std::string svgText(const char* cssClass, int x, int y, const char* anchor, const std::string& text) {
    if (text.empty())
        return {};
    return std::string("<text class=\"") + cssClass + "\"" + attribute("x", x) + attribute("y", y) +
           " text-anchor=\"" + anchor + "\">" + reportText(text) + "</text>";
}

// How wide a character of the bracket's sans-serif face is, in thousandths of the font size (the measures of
// Arial and the faces made to match it); characters outside ASCII count as wide ones.
int characterAdvance(unsigned char c) {
    static constexpr short kAscii[95] = {
        278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // space to /
        556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, // 0 to ?
        1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, // @ to O
        667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556, // P to _
        333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556, // ` to o
        556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};     // p to ~
    return c >= 32 && c < 127 ? kAscii[c - 32] : 800;
}

// The bracket's texts are 11 pixels high. A bold face, or a wider face standing in for Arial, takes a little
// more room, which the estimate allows for.
constexpr int kBracketFontSize = 11;
constexpr int kRoomToSpare = 108; // percent
// A name up to a fifth wider than its place is drawn narrowed to fit; a longer one is cut short first.
constexpr int kMostNarrowing = 125; // percent

// The widths of the characters of a text (as reportText shows it: each byte that is not UTF-8 one character),
// with the bytes each takes.
std::vector<std::pair<std::size_t, int>> characterWidths(std::string_view text) {
    std::vector<std::pair<std::size_t, int>> widths;
    while (!text.empty()) {
        const std::size_t length = std::max<std::size_t>(1, validSequence(text));
        widths.emplace_back(length, characterAdvance(static_cast<unsigned char>(text[0])));
        text.remove_prefix(length);
    }
    return widths;
}

// Thousandths of a pixel, as drawn.
long pixels(long advance) {
    return advance * kBracketFontSize * kRoomToSpare / 100;
}

// A team's name in the bracket, kept within the room its place has so it never runs into the win count or the
// next column, whatever the face: a name a little too long is drawn narrowed to the room, a longer one is cut
// short with an ellipsis first, its whole name kept as its title (shown on hovering) and in the series table.
std::string svgName(const char* cssClass, int x, int y, const char* anchor, const std::string& name,
                    int room) {
    long width = 0;
    for (const auto& [length, advance] : characterWidths(name))
        width += advance;
    if (name.empty() || pixels(width) <= room * 1000L)
        return svgText(cssClass, x, y, anchor, name);
    const std::string start = std::string("<text class=\"") + cssClass + "\"" + attribute("x", x) +
                              attribute("y", y) + " text-anchor=\"" + anchor + "\"" +
                              attribute("textLength", room) + " lengthAdjust=\"spacingAndGlyphs\">";
    if (pixels(width) * 100 <= room * 1000L * kMostNarrowing)
        return start + reportText(name) + "</text>";
    std::size_t kept = 0;
    long used = 1000; // the ellipsis, about as wide as a capital
    for (const auto& [length, advance] : characterWidths(name)) {
        if (pixels(used + advance) * 100 > room * 1000L * kMostNarrowing)
            break;
        used += advance;
        kept += length;
    }
    return start + "<title>" + reportText(name) + "</title>" + reportText(trimmed(name.substr(0, kept))) +
           "\xE2\x80\xA6</text>";
}

// The home team of a series is the one at home in its earliest game played, whatever the buttons show now (a
// home pattern or a load moves them); a series without games shows the team marked to host its first.
HomeChoice seriesHome(const Bracket& bracket, const std::vector<ReportGame>& games, int series) {
    const ReportGame* first = nullptr;
    for (const ReportGame& game : games) {
        if (game.series == series && (!first || game.gameNumber < first->gameNumber))
            first = &game;
    }
    if (!first)
        return bracket.seriesState(series) == kSeriesOpen ? bracket.homeChoice(series) : HomeChoice::None;
    if (first->home == bracket.slot(Bracket::upperSlot(series)))
        return HomeChoice::Upper;
    return first->home == bracket.slot(Bracket::lowerSlot(series)) ? HomeChoice::Lower : HomeChoice::None;
}

// Up to this many design pixels a bracket reads whole on a phone held upright (about 360 pixels for the
// page).
constexpr int kReadableWidth = 400;

// The parts a bracket too wide to read whole on a phone is cut into, shown one above the other: the left
// half, the championship and the right half; a single half's earlier rounds and its later ones. One part when
// it is not cut.
class Parts {
public:
    Parts(const Bracket& bracket, int wholeWidth) : m_bracket(bracket) {
        if (wholeWidth <= kReadableWidth)
            return;
        if (bracket.tree().halves() == 2) {
            m_count = 3;
        } else if (bracket.roundCount() - bracket.entryRound() >= 2) {
            m_count = 2;
            m_splitRound = std::max(bracket.entryRound() + 1, (bracket.roundCount() + 1) / 2);
        }
    }
    int count() const { return m_count; }
    int ofSeries(int series) const {
        if (m_count == 1)
            return 0;
        if (m_count == 2)
            return m_bracket.roundOf(series) < m_splitRound ? 0 : 1;
        const int half = m_bracket.tree().series(series).half;
        return half < 0 ? 1 : half == 0 ? 0 : 2;
    }
    int ofHeading(const layout::Heading& heading, int layoutWidth) const {
        if (heading.round < 0 || heading.round == m_bracket.roundCount() - 1)
            return ofSeries(m_bracket.seriesCount());
        if (m_count == 2)
            return heading.round < m_splitRound ? 0 : 1;
        return m_count == 1 ? 0 : heading.box.centreX() < layoutWidth / 2 ? 0 : 2;
    }

private:
    const Bracket& m_bracket;
    int m_count = 1;
    int m_splitRound = 0;
};

// The series a joining line belongs to: each series' lines run from its win counts to the slot its winner
// moves to; the others (the finalists joined, the line down to the champion's box) are the championship's.
int seriesOfLine(const Bracket& bracket, const layout::BracketLayout& places, const layout::Segment& line) {
    constexpr int kSlack = 3;
    for (int series = 1; series < bracket.seriesCount(); ++series) {
        const int target = bracket.winnerSlot(series);
        Bounds region = Bounds::empty();
        for (const layout::Box& box :
             {places.winCountBox(Bracket::upperSlot(series)), places.winCountBox(Bracket::lowerSlot(series)),
              places.homeButtonBox(target)})
            region.add(box);
        if (std::min(line.x1, line.x2) >= region.left - kSlack &&
            std::max(line.x1, line.x2) <= region.right + kSlack && std::min(line.y1, line.y2) >= region.top &&
            std::max(line.y1, line.y2) <= region.bottom)
            return series;
    }
    return bracket.seriesCount();
}

// One thing drawn in the bracket, the place it takes and the part it is shown in.
struct Drawn {
    layout::Box area;
    std::string markup;
    int part = 0;
    bool columnHeading = false; // a round's name above its column
};

// The bracket as drawn: its texts, marks and joining lines, the part of the area they take, and its parts.
struct BracketDrawing {
    std::vector<Drawn> items;
    std::vector<std::pair<layout::Segment, int>> lines; // and the part each is shown in
    Bounds whole = Bounds::empty();
    int parts = 1;
};

BracketDrawing drawBracket(const Bracket& bracket, const std::vector<ReportGame>& games) {
    const layout::BracketLayout places(bracket);
    // Each thing drawn with the series it belongs to, or its heading; the parts are known once all are
    // placed.
    struct Placed {
        layout::Box area;
        std::string markup;
        int series = 0;
        const layout::Heading* heading = nullptr;
    };
    std::vector<Placed> placed;
    BracketDrawing drawing;
    auto add = [&](Placed item) {
        drawing.whole.add(item.area);
        if (!item.markup.empty())
            placed.push_back(std::move(item));
    };

    for (const layout::Heading& heading : places.headings()) {
        if (places.headingShown(heading))
            add({heading.box,
                 svgText("heading", heading.box.centreX(), heading.box.centreY(), "middle", heading.text), 0,
                 &heading});
    }
    for (int series : seriesShown(bracket)) {
        const SeriesView view = seriesView(bracket, series);
        const HomeChoice home = seriesHome(bracket, games, series);
        for (int slot : {Bracket::upperSlot(series), Bracket::lowerSlot(series)}) {
            const layout::Box name = places.nameBox(slot), wins = places.winCountBox(slot);
            const bool right = places.onRightHalf(slot);
            const char* cssClass = view.winnerSlot == 0      ? "team"
                                   : view.winnerSlot == slot ? "team winner"
                                                             : "team loser";
            add({name,
                 svgName(cssClass, right ? name.x + name.width : name.x, name.centreY(),
                         right ? "end" : "start", trimmed(bracket.slot(slot)), name.width),
                 series});
            add({wins, svgText("wins", wins.centreX(), wins.centreY(), "middle", bracket.winCount(slot)),
                 series});
            const bool isHome =
                slot == Bracket::upperSlot(series) ? home == HomeChoice::Upper : home == HomeChoice::Lower;
            if (view.state != kSeriesNotSetUp && isHome) {
                const layout::Box mark = places.homeButtonBox(slot);
                add({mark,
                     "<g class=\"home\"><rect" + attribute("x", mark.x) + attribute("y", mark.y) +
                         attribute("width", mark.width) + attribute("height", mark.height) + " rx=\"2\" />" +
                         svgText("mark", mark.centreX() + 1, mark.centreY() + 1, "middle", "H") + "</g>",
                     series});
            }
        }
    }
    for (const layout::ByeMark& bye : places.byes()) {
        const bool right = places.onRightHalf(bye.slot);
        add({bye.box,
             svgText("bye", right ? bye.box.x + bye.box.width : bye.box.x, bye.box.centreY(),
                     right ? "end" : "start", "bye"),
             *bracket.seriesOfSlot(bye.slot)});
    }
    const layout::Box box = places.nameBox(bracket.championSlot());
    const bool crowned = bracket.seriesState(bracket.seriesCount()) == kSeriesDecided;
    add({box,
         "<rect class=\"champion-box\"" + attribute("x", box.x) + attribute("y", box.y) +
             attribute("width", box.width) + attribute("height", box.height) + " />",
         bracket.seriesCount()});
    add({box,
         svgName(crowned ? "champion" : "team", box.centreX(), box.centreY(), "middle",
                 trimmed(bracket.champion()), box.width - 6),
         bracket.seriesCount()});

    constexpr int kMargin = 4;
    Bounds& whole = drawing.whole;
    whole = {std::max(0, whole.left - kMargin), std::max(0, whole.top - kMargin),
             std::min(places.width(), whole.right + kMargin),
             std::min(places.height(), whole.bottom + kMargin)};

    const Parts parts(bracket, whole.width());
    drawing.parts = parts.count();
    for (Placed& item : placed) {
        const int part =
            item.heading ? parts.ofHeading(*item.heading, places.width()) : parts.ofSeries(item.series);
        drawing.items.push_back(
            {item.area, std::move(item.markup), part, item.heading && item.heading->round >= 0});
    }
    for (const layout::Segment& line : places.joiningLines())
        drawing.lines.emplace_back(line, parts.ofSeries(seriesOfLine(bracket, places, line)));
    return drawing;
}

// An svg element showing a part of the drawing (or all of it), cropped to what it holds. In a part shown on
// its own the column headings stand just above the teams, wherever these are in the whole.
void addDrawing(Page& page, const BracketDrawing& drawing, std::optional<int> part,
                const std::string& attributes, const std::string& title = {}) {
    const auto inPart = [&](int itsPart) { return !part || itsPart == *part; };
    Bounds held = Bounds::empty();
    int headingsTop = drawing.whole.bottom;
    std::string path;
    for (const auto& [s, itsPart] : drawing.lines) {
        if (!inPart(itsPart))
            continue;
        path += (path.empty() ? "M" : " M") + number(s.x1) + " " + number(s.y1) + " L" + number(s.x2) + " " +
                number(s.y2);
        held.add({std::min(s.x1, s.x2), std::min(s.y1, s.y2), std::abs(s.x2 - s.x1) + 1,
                  std::abs(s.y2 - s.y1) + 1});
    }
    for (const Drawn& item : drawing.items) {
        if (!inPart(item.part))
            continue;
        if (item.columnHeading)
            headingsTop = std::min(headingsTop, item.area.y);
        else
            held.add(item.area);
    }
    constexpr int kHeadingGap = 18; // from a heading's top to the first team's, as in the whole bracket
    const int shift = part ? std::max(0, held.top - kHeadingGap - headingsTop) : 0;

    Lines body;
    if (!title.empty())
        body.push_back(title);
    body.push_back("<path class=\"lines\" d=\"" + path + "\" />");
    Bounds shown = held;
    for (const Drawn& item : drawing.items) {
        if (!inPart(item.part))
            continue;
        if (item.columnHeading && shift > 0) {
            body.push_back("<g transform=\"translate(0 " + number(shift) + ")\">" + item.markup + "</g>");
            shown.add({item.area.x, item.area.y + shift, item.area.width, item.area.height});
        } else {
            body.push_back(item.markup);
            shown.add(item.area);
        }
    }
    constexpr int kMargin = 4;
    Bounds box = drawing.whole;
    if (part)
        box = {std::max(box.left, shown.left - kMargin), std::max(box.top, shown.top - kMargin),
               std::min(box.right, shown.right + kMargin), std::min(box.bottom, shown.bottom + kMargin)};
    page.add("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" + number(box.left) + " " +
             number(box.top) + " " + number(box.width()) + " " + number(box.bottom - box.top) + "\"" +
             (part ? " style=\"max-width: " + number(box.width() * 5 / 4) + "px\"" : std::string()) +
             attributes + ">");
    for (auto& line : body)
        page.add(std::move(line));
    page.add("</svg>");
}

void addBracket(Page& page, const BracketDrawing& drawing) {
    page.add("<div class=\"bracket\">");
    addDrawing(page, drawing, std::nullopt, " class=\"whole\" role=\"img\" aria-labelledby=\"bracket-title\"",
               "<title id=\"bracket-title\">The playoff bracket</title>");
    if (drawing.parts > 1) {
        // On a narrow screen the same bracket in parts, one above the other, each at a readable size.
        page.add("<div class=\"stacked\" aria-hidden=\"true\">");
        for (int part = 0; part < drawing.parts; ++part)
            addDrawing(page, drawing, part, "");
        page.add("</div>");
    }
    page.add("</div>");
}

void addSeriesTable(Page& page, const Bracket& bracket) {
    page.add("<h2>Series</h2>");
    page.add("<table class=\"series\">");
    page.add("<thead><tr><th>Round</th><th>Teams</th><th>Wins</th><th>Result</th></tr></thead>");
    page.add("<tbody>");
    for (int series : seriesShown(bracket)) {
        const SeriesView view = seriesView(bracket, series);
        const std::string wins = view.state == kSeriesNotSetUp ? "" : reportText(view.upperWins + "-" + view.lowerWins);
        page.add(std::string("<tr") + (view.state == kSeriesDecided ? " class=\"decided\"" : "") + "><td>" +
                 roundName(bracket, series) + "</td><td>" + teamName(view.upper) + " vs. " + teamName(view.lower) +
                 "</td><td>" + wins + "</td><td>" + reportText(view.result) + "</td></tr>");
    }
    page.add("</tbody>");
    page.add("</table>");
    page.add("<p class=\"legend\"><span class=\"home-mark\">H</span> marks the home team of a series.</p>");
}

// The line score without the blank lines around it, each line with its number in the file (from 0).
std::vector<std::pair<std::size_t, std::string>> shownLineScore(const Lines& lines) {
    auto blank = [](const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; };
    const auto first = std::find_if_not(lines.begin(), lines.end(), blank);
    const auto last = std::find_if_not(lines.rbegin(), lines.rend(), blank).base();
    std::vector<std::pair<std::size_t, std::string>> shown;
    for (auto line = first; line < last; ++line)
        shown.emplace_back(static_cast<std::size_t>(line - lines.begin()), *line);
    return shown;
}

// Lines 1 to 3 of a line score are its header and the two teams' innings, in columns that must stay as they
// are; the others (the game's title first) are text that may wrap on a narrow screen.
bool inScoreColumns(std::size_t lineNumber) {
    return lineNumber >= 1 && lineNumber <= 3;
}

std::string team(const std::string& name, int runs, bool won) {
    const std::string text = reportText(trimmed(name)) + " " + number(runs);
    return won ? "<strong>" + text + "</strong>" : text;
}

void addGames(Page& page, const Bracket& bracket, const std::vector<ReportGame>& games) {
    if (games.empty())
        return;
    page.add("<section class=\"games\">");
    page.add("<h2>Games</h2>");
    for (int series = 1; series <= bracket.seriesCount(); ++series) {
        std::vector<const ReportGame*> played;
        for (const ReportGame& game : games) {
            if (game.series == series)
                played.push_back(&game);
        }
        if (played.empty())
            continue;
        const SeriesView view = seriesView(bracket, series);
        page.add("<section class=\"series-games\">");
        page.add(std::string("<h3>") + roundName(bracket, series) + ": " + teamName(view.upper) + " vs. " +
                 teamName(view.lower) + " <span class=\"result\">" + reportText(view.result) + "</span></h3>");
        for (const ReportGame* game : played) {
            // Equal runs are a home win, as the bracket credits them.
            const bool homeWon = game->homeRuns >= game->visitorRuns;
            page.add("<div class=\"game\">");
            page.add("<h4>Game " + number(game->gameNumber) + ": " + team(game->visitor, game->visitorRuns, !homeWon) +
                     " at " + team(game->home, game->homeRuns, homeWon) + "</h4>");
            const auto lineScore = shownLineScore(game->lineScore);
            if (!lineScore.empty()) {
                // The first line follows the tag directly: a line break there would not show.
                std::string pre = "<pre>";
                for (std::size_t i = 0; i < lineScore.size(); ++i) {
                    if (i > 0) {
                        page.add(pre);
                        pre.clear();
                    }
                    const auto& [lineNumber, line] = lineScore[i];
                    pre += inScoreColumns(lineNumber)
                               ? reportText(line)
                               : "<span class=\"text\">" + reportText(line) + "</span>";
                }
                page.add(pre + "</pre>");
            }
            page.add("</div>");
        }
        page.add("</section>");
    }
    page.add("</section>");
}

// Styles for the screen, a phone's width and paper. No "<" or "&" may appear in them: they stand in XML.
const char* const kStyle[] = {
    "body { margin: 0 auto; max-width: 60em; padding: 1em; font-family: Arial, Helvetica, sans-serif;",
    "  color: #111; background: #fff; line-height: 1.35; }",
    "h1 { font-size: 1.6em; margin: 0; }",
    "h2 { font-size: 1.25em; margin: 1.2em 0 0.4em; }",
    "h3 { font-size: 1.05em; margin: 1.2em 0 0.3em; }",
    "h4 { font-size: 1em; font-weight: normal; margin: 0 0 0.2em; }",
    ".summary { margin: 0.2em 0; color: #444; }",
    ".crowned { font-size: 1.2em; margin: 0.4em 0 0.8em; }",
    ".bracket { overflow-x: auto; border: 1px solid #ccc; border-radius: 4px; padding: 0.5em; background: "
    "#fafafa; }",
    ".bracket svg { display: block; width: 100%; height: auto; margin: 0 auto; }",
    ".bracket .stacked { display: none; }",
    ".bracket .stacked svg + svg { margin-top: 0.8em; padding-top: 0.8em; border-top: 1px dashed #ccc; }",
    "svg text { font-family: Arial, Helvetica, sans-serif; font-size: 11px; fill: #111; dominant-baseline: "
    "central; }",
    "svg .heading { font-weight: bold; fill: #333; }",
    "svg .lines { stroke: #606060; stroke-width: 1; fill: none; }",
    "svg .winner, svg .champion { font-weight: bold; }",
    "svg .loser { fill: #888; }",
    "svg .champion-box { fill: #fff8d0; stroke: #111; stroke-width: 1.2; }",
    "svg .home rect { fill: #2e7d32; }",
    "svg .home text { fill: #fff; font-size: 8px; font-weight: bold; }",
    "table.series { border-collapse: collapse; width: 100%; }",
    "table.series th, table.series td { text-align: left; padding: 0.25em 0.5em; border-bottom: 1px solid "
    "#ddd;",
    "  vertical-align: top; }",
    "table.series tr.decided td:last-child { font-weight: bold; }",
    "h3, h4, .crowned, table.series td { overflow-wrap: anywhere; }",
    ".legend { font-size: 0.85em; color: #555; }",
    ".home-mark { display: inline-block; background: #2e7d32; color: #fff; font-weight: bold; font-size: "
    "0.8em;",
    "  padding: 0 0.3em; border-radius: 2px; }",
    ".result { font-weight: normal; color: #444; }",
    ".game { margin: 0.6em 0; break-inside: avoid; page-break-inside: avoid; }",
    "pre { margin: 0; padding: 0.4em 0.6em; background: #f4f4f4; border: 1px solid #ddd; overflow-x: auto;",
    "  font-family: \"DejaVu Sans Mono\", \"Liberation Mono\", Consolas, monospace; font-size: 12px; }",
    "pre .text { white-space: pre-wrap; overflow-wrap: anywhere; }",
    "/* A line score wider than its box scrolls inside it, a shade at the edge saying there is more. */",
    ".game pre { background:",
    "  linear-gradient(to right, #f4f4f4 40%, rgba(244, 244, 244, 0)) left center / 1.5em 100% no-repeat "
    "local,",
    "  linear-gradient(to left, #f4f4f4 40%, rgba(244, 244, 244, 0)) right center / 1.5em 100% no-repeat "
    "local,",
    "  linear-gradient(to right, rgba(0, 0, 0, 0.15), rgba(0, 0, 0, 0)) left center / 0.6em 100% no-repeat "
    "scroll,",
    "  linear-gradient(to left, rgba(0, 0, 0, 0.15), rgba(0, 0, 0, 0)) right center / 0.6em 100% no-repeat "
    "scroll,",
    "  #f4f4f4; }",
    "@media (max-width: 40em) {",
    "  body { padding: 0.5em; }",
    "  h1 { font-size: 1.3em; }",
    "  pre { font-size: 10px; }",
    "  table.series thead { display: none; }",
    "  table.series tr { display: block; padding: 0.4em 0; border-bottom: 1px solid #ddd; }",
    "  table.series td { display: inline; padding: 0 0.4em 0 0; border: none; }",
    "  table.series td:first-child { display: block; font-size: 0.85em; color: #555; }",
    "  table.series td:last-child { display: block; }",
    "}",
    "@page { margin: 12mm; }",
    "@media print {",
    "  body { max-width: none; padding: 0; font-size: 10pt; }",
    "  .bracket { overflow: visible; border: none; padding: 0; background: none; }",
    "  .games { break-before: page; page-break-before: always; }",
    "  h3 { break-after: avoid; page-break-after: avoid; }",
    "  pre, .game pre { overflow: visible; white-space: pre-wrap; background: none; }",
    "  .home-mark, svg .home rect { -webkit-print-color-adjust: exact; print-color-adjust: exact; }",
    "}",
};

} // namespace

std::string reportText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = validSequence(text);
        if (length == 0) {
            out += kReplacement;
            text.remove_prefix(1);
            continue;
        }
        switch (text[0]) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

Lines playoffReportLines(const Bracket& bracket, const std::vector<ReportGame>& games) {
    Page page;
    page.add("<!DOCTYPE html>");
    page.add("<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\" xml:lang=\"en\">");
    page.add("<head>");
    page.add("<meta charset=\"utf-8\" />");
    page.add("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\" />");
    page.add("<title>KIV Playoff Report</title>");
    const BracketDrawing drawing = drawBracket(bracket, games);
    page.add("<style>");
    for (const char* line : kStyle)
        page.add(line);
    if (drawing.parts > 1) {
        // Narrower than the whole bracket reads at about three quarters of its size, it is shown in parts.
        page.add("@media screen and (max-width: " + number(drawing.whole.width() * 3 / 4 + 48) + "px) {");
        page.add("  .bracket svg.whole { display: none; }");
        page.add("  .bracket .stacked { display: block; }");
        page.add("}");
    }
    page.add("</style>");
    page.add("</head>");
    page.add("<body>");
    page.add("<h1>KIV Playoff Report</h1>");
    page.add("<p class=\"summary\">Playoff type " + reportText(bracket.playoffTypeText()) + ", format " +
             reportText(bracket.formatText()) + "</p>");
    if (bracket.seriesState(bracket.seriesCount()) == kSeriesDecided)
        page.add("<p class=\"crowned\">Champion: <strong>" + reportText(trimmed(bracket.champion())) + "</strong></p>");
    else
        page.add("<p class=\"crowned\">No champion yet.</p>");
    addBracket(page, drawing);
    addSeriesTable(page, bracket);
    addGames(page, bracket, games);
    page.add("</body>");
    page.add("</html>");
    return page.take();
}

void writePlayoffReport(const std::string& path, const Bracket& bracket, const std::vector<ReportGame>& games) {
    saveLines(path, playoffReportLines(bracket, games));
}

std::optional<std::string> exportPlayoffReport(const Bracket& bracket, const std::vector<ReportGame>& games,
                                               const std::string& folder, Prompts& prompts) {
    const auto path = prompts.chooseFileToSave(kExportReportTitle, kReportFileFilter, joinPath(folder, kReportFileName));
    if (!path)
        return std::nullopt;
    writePlayoffReport(*path, bracket, games);
    return path;
}

} // namespace kivp
