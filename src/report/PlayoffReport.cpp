#include "report/PlayoffReport.h"

#include "platform/IntegerText.h"
#include "platform/Paths.h"
#include "report/BracketLayout.h"

#include <algorithm>

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

// The part of the bracket area the playoff type uses, with a small margin.
struct Bounds {
    int left = 0, top = 0, right = 0, bottom = 0;
    explicit Bounds(const layout::BracketLayout& places) : left(places.width()), top(places.height()) {}
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

void addBracket(Page& page, const Bracket& bracket) {
    const layout::BracketLayout places(bracket);
    Bounds bounds(places);
    Lines body;
    for (const layout::Heading& heading : places.headings()) {
        if (!places.headingShown(heading))
            continue;
        bounds.add(heading.box);
        body.push_back(svgText("heading", heading.box.centreX(), heading.box.centreY(), "middle", heading.text));
    }

    std::string path;
    for (const layout::Segment& s : places.joiningLines()) {
        path += (path.empty() ? "M" : " M") + number(s.x1) + " " + number(s.y1) + " L" + number(s.x2) + " " +
                number(s.y2);
    }
    body.push_back("<path class=\"lines\" d=\"" + path + "\" />");

    for (int series : seriesShown(bracket)) {
        const SeriesView view = seriesView(bracket, series);
        const HomeChoice home = bracket.homeChoice(series);
        for (int slot : {Bracket::upperSlot(series), Bracket::lowerSlot(series)}) {
            const layout::Box name = places.nameBox(slot), wins = places.winCountBox(slot);
            bounds.add(name);
            bounds.add(wins);
            const bool right = places.onRightHalf(slot);
            const char* cssClass = view.winnerSlot == 0 ? "team" : view.winnerSlot == slot ? "team winner" : "team loser";
            body.push_back(svgText(cssClass, right ? name.x + name.width : name.x, name.centreY(), right ? "end" : "start",
                                   trimmed(bracket.slot(slot))));
            body.push_back(svgText("wins", wins.centreX(), wins.centreY(), "middle", bracket.winCount(slot)));
            const bool isHome = slot == Bracket::upperSlot(series) ? home == HomeChoice::Upper : home == HomeChoice::Lower;
            if (view.state != kSeriesNotSetUp && isHome) {
                const layout::Box mark = places.homeButtonBox(slot);
                bounds.add(mark);
                body.push_back("<g class=\"home\"><rect" + attribute("x", mark.x) + attribute("y", mark.y) +
                               attribute("width", mark.width) + attribute("height", mark.height) +
                               " rx=\"2\" />" + svgText("mark", mark.centreX() + 1, mark.centreY() + 1, "middle", "H") +
                               "</g>");
            }
        }
    }

    for (const layout::ByeMark& bye : places.byes()) {
        bounds.add(bye.box);
        body.push_back(svgText("bye", places.onRightHalf(bye.slot) ? bye.box.x + bye.box.width : bye.box.x,
                               bye.box.centreY(), places.onRightHalf(bye.slot) ? "end" : "start", "bye"));
    }

    const layout::Box box = places.nameBox(bracket.championSlot());
    bounds.add(box);
    const bool crowned = bracket.seriesState(bracket.seriesCount()) == kSeriesDecided;
    body.push_back("<rect class=\"champion-box\"" + attribute("x", box.x) + attribute("y", box.y) +
                   attribute("width", box.width) + attribute("height", box.height) + " />");
    body.push_back(svgText(crowned ? "champion" : "team", box.centreX(), box.centreY(), "middle",
                           trimmed(bracket.champion())));

    constexpr int kMargin = 4;
    const int x = std::max(0, bounds.left - kMargin), y = std::max(0, bounds.top - kMargin);
    const int width = std::min(places.width(), bounds.right + kMargin) - x;
    const int height = std::min(places.height(), bounds.bottom + kMargin) - y;
    page.add("<div class=\"bracket\">");
    page.add("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" + number(x) + " " + number(y) + " " +
             number(width) + " " + number(height) + "\" role=\"img\" aria-labelledby=\"bracket-title\">");
    page.add("<title id=\"bracket-title\">The playoff bracket</title>");
    for (auto& line : body) {
        if (!line.empty())
            page.add(std::move(line));
    }
    page.add("</svg>");
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

// The line score without the blank lines around it.
Lines shownLineScore(const Lines& lines) {
    auto blank = [](const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; };
    auto first = std::find_if_not(lines.begin(), lines.end(), blank);
    auto last = std::find_if_not(lines.rbegin(), lines.rend(), blank).base();
    return first < last ? Lines(first, last) : Lines{};
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
            const Lines lineScore = shownLineScore(game->lineScore);
            if (!lineScore.empty()) {
                // The first line follows the tag directly: a line break there would not show.
                std::string pre = "<pre>";
                for (std::size_t i = 0; i < lineScore.size(); ++i) {
                    if (i > 0) {
                        page.add(pre);
                        pre.clear();
                    }
                    pre += reportText(lineScore[i]);
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
    ".bracket { overflow-x: auto; border: 1px solid #ccc; border-radius: 4px; padding: 0.5em; background: #fafafa; }",
    ".bracket svg { display: block; width: 100%; min-width: 34em; height: auto; }",
    "svg text { font-family: Arial, Helvetica, sans-serif; font-size: 11px; fill: #111; dominant-baseline: central; }",
    "svg .heading { font-weight: bold; fill: #333; }",
    "svg .lines { stroke: #606060; stroke-width: 1; fill: none; }",
    "svg .winner, svg .champion { font-weight: bold; }",
    "svg .loser { fill: #888; }",
    "svg .champion-box { fill: #fff8d0; stroke: #111; stroke-width: 1.2; }",
    "svg .home rect { fill: #2e7d32; }",
    "svg .home text { fill: #fff; font-size: 8px; font-weight: bold; }",
    "table.series { border-collapse: collapse; width: 100%; }",
    "table.series th, table.series td { text-align: left; padding: 0.25em 0.5em; border-bottom: 1px solid #ddd;",
    "  vertical-align: top; }",
    "table.series tr.decided td:last-child { font-weight: bold; }",
    ".legend { font-size: 0.85em; color: #555; }",
    ".home-mark { display: inline-block; background: #2e7d32; color: #fff; font-weight: bold; font-size: 0.8em;",
    "  padding: 0 0.3em; border-radius: 2px; }",
    ".result { font-weight: normal; color: #444; }",
    ".game { margin: 0.6em 0; break-inside: avoid; page-break-inside: avoid; }",
    "pre { margin: 0; padding: 0.4em 0.6em; background: #f4f4f4; border: 1px solid #ddd; overflow-x: auto;",
    "  font-family: \"DejaVu Sans Mono\", \"Liberation Mono\", Consolas, monospace; font-size: 12px; }",
    "@media (max-width: 40em) {",
    "  body { padding: 0.5em; }",
    "  h1 { font-size: 1.3em; }",
    "  .bracket svg { min-width: 44em; }",
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
    "  .bracket svg { min-width: 0; }",
    "  .games { break-before: page; page-break-before: always; }",
    "  h3 { break-after: avoid; page-break-after: avoid; }",
    "  pre { overflow: visible; white-space: pre-wrap; background: none; }",
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
    page.add("<style>");
    for (const char* line : kStyle)
        page.add(line);
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
    addBracket(page, bracket);
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
