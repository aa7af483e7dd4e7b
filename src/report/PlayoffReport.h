#pragma once
// The playoff report (File > Export Report): one page a league can post or print. It holds the bracket drawn as
// a bracket (both halves, the lines joining the rounds, the champion), each series with its result and every game
// the report is given with its line score as the simulator wrote it. The page stands alone: styles inside it, no
// scripts, nothing fetched from elsewhere. Its markup is XHTML that browsers also read as HTML, so a strict XML
// parser accepts it; every text from the bracket or a line score is escaped and made valid UTF-8.
//
// Printed, the bracket and the series results fill the first page (A4 or Letter) and the games follow on
// their own pages. On a phone's width the rest reads in one column and the bracket fits the width: one too
// wide to read scaled down is shown in parts, one above the other (the halves apart from the championship).
// A team name too long for its place in the bracket is cut short there, and a line score wider than the
// screen keeps its columns and scrolls inside its box while its title wraps.

#include "bracket/Bracket.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivp {

inline constexpr const char* kExportReportTitle = "Export Report";
inline constexpr const char* kReportFileFilter = "Web page|*.html";
inline constexpr const char* kReportFileName = "playoff-report.html";

// One credited game, as the record of the playoff's games keeps it.
struct ReportGame {
    int series = 0;     // 1 to 7
    int gameNumber = 0; // 1 for the series' first game
    std::string visitor;
    std::string home;
    int visitorRuns = 0;
    int homeRuns = 0;
    Lines lineScore; // the line-score file's lines, as the simulator wrote them

    bool operator==(const ReportGame&) const = default;
};

// text as XML character data: "&", "<", ">" and '"' escaped; bytes that are not valid UTF-8, and control
// characters XML does not allow, each become U+FFFD.
std::string reportText(std::string_view text);

// The page's lines, for the bracket as it stands and the games given (in the order played).
Lines playoffReportLines(const Bracket& bracket, const std::vector<ReportGame>& games);

// Writes the page to path, replacing any earlier file. Throws Error::cannotCreate(path) when it cannot be written;
// an earlier file then stays exactly as it was.
void writePlayoffReport(const std::string& path, const Bracket& bracket, const std::vector<ReportGame>& games);

// The command: asks where to save (starting at folder/playoff-report.html), then writes. Returns the path written,
// or nothing when the user cancels.
std::optional<std::string> exportPlayoffReport(const Bracket& bracket, const std::vector<ReportGame>& games,
                                               const std::string& folder, Prompts& prompts);

} // namespace kivp
