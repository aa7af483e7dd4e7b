#include "teams/TeamFile.h"

#include "platform/IntegerText.h"

#include <cmath>
#include <cstdio>

namespace kivp {

namespace {

constexpr std::size_t kShortestBatterLine = 36;

const char* const kPitcherAdvice = "The line may be out of KIV .dat alignment.  Please check \nthe spacing "
                                   "of the statistics in the Pitcher section.";
const char* const kBatterAdvice = "The line may be out of KIV .dat alignment.  Please check \nthe spacing of "
                                  "the statistics in the Batter section.";

// Where reading a line stopped: the column that was missing (or the last one read, when a field did not
// convert or the next line failed its test) and the field text gathered so far. The messages quote both.
struct LayoutFailure {
    std::size_t column;
    std::string text;
};

// Reads fields of one line column by column, remembering the last column read and the text of the field being
// gathered, which is what the layout message reports when a line falls short.
class ColumnReader {
public:
    explicit ColumnReader(const std::string& line) : m_line(line) {}

    char at(std::size_t column) {
        if (column > m_line.size())
            throw LayoutFailure{column, m_text};
        m_column = column;
        return m_line[column - 1];
    }

    // The characters of the columns that are not spaces, in order; blank (when given) stands in for each
    // space.
    std::string field(std::size_t first, std::size_t last, char blank = '\0') {
        m_text.clear();
        for (std::size_t column = first; column <= last; ++column) {
            const char c = at(column);
            if (c != ' ')
                m_text += c;
            else if (blank != '\0')
                m_text += blank;
        }
        return m_text;
    }

    // Column 10, then each following column up to 26 while it and the one after it are not both spaces.
    std::string pitcherName() {
        m_text.assign(1, at(10));
        for (std::size_t column = 11; column <= 26; ++column) {
            if (at(column) == ' ' && at(column + 1) == ' ')
                break;
            m_text += m_line[column - 1];
        }
        return m_text;
    }

    std::string columns(std::size_t first, std::size_t last) {
        m_text.clear();
        for (std::size_t column = first; column <= last; ++column)
            m_text += at(column);
        return m_text;
    }

    // A failure found after the line's own fields: it is reported at the last column read.
    LayoutFailure failureHere() const { return {m_column, m_text}; }

private:
    const std::string& m_line;
    std::size_t m_column = 0;
    std::string m_text;
};

const std::string& lineAt(const Lines& lines, std::size_t index) {
    static const std::string empty;
    return index < lines.size() ? lines[index] : empty;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string layoutMessage(std::string_view fileName, std::size_t line, const LayoutFailure& failure,
                          const char* advice) {
    return "Error decoding team:\nFile name:  " + std::string(fileName) + "\nin line " +
           std::to_string(line) + ", position " + std::to_string(failure.column - 1) + " --" + failure.text +
           "--\n\n" + advice;
}

std::string conversionMessage(const char* what, std::size_t line, const std::string& name,
                              const std::string& data) {
    return std::string("Conversion Error\n\nCould not convert:  ") + what +
           "\nline #:  " + std::to_string(line) + "\nplayer:  " + name + "\n\nerror data:  " + data;
}

bool isBenchHeading(std::string_view line) {
    return startsWith(line, "*Bench") || startsWith(line, "* Benc");
}

void readPitchers(const Lines& lines, std::string_view fileName, TeamSheet& sheet) {
    constexpr std::size_t kFirstPitcherLine = 11;
    int ordinal = 1;
    // The section ends at the bench heading; a file without one ends it at its last line, quietly.
    for (std::size_t index = kFirstPitcherLine; index < lines.size(); ++index, ++ordinal) {
        const std::string& line = lines[index];
        // Only reached after a malformed line (or with no pitcher at all): the bench is never read as
        // pitchers.
        if (isBenchHeading(line))
            break;
        ColumnReader reader(line);
        try {
            const std::string startsText = reader.field(77, 78, '0');
            const auto starts = parseInteger(startsText);
            if (!starts)
                throw reader.failureHere();
            PitcherLine pitcher;
            pitcher.line = static_cast<int>(index);
            pitcher.ordinal = ordinal;
            pitcher.starter = *starts > 0;
            // A reliever's figures are not part of the message trail: only a listed pitcher's row is read.
            ColumnReader relieverReader(line);
            ColumnReader& rowReader = pitcher.starter ? reader : relieverReader;
            pitcher.name = rowReader.pitcherName();
            pitcher.wins = rowReader.field(63, 64);
            pitcher.losses = rowReader.field(66, 67);
            const std::string eraWhole = rowReader.field(56, 56);
            pitcher.era = eraWhole + "." + rowReader.field(57, 58);
            pitcher.strikeouts = rowReader.field(52, 54);
            pitcher.innings = rowReader.field(28, 30);
            pitcher.gamesStarted = rowReader.field(77, 78);
            sheet.pitchers.push_back(std::move(pitcher));

            if (index + 1 == lines.size())
                break;
            const std::string& next = lines[index + 1];
            if (next.size() < 6)
                throw reader.failureHere();
            if (isBenchHeading(next))
                break;
        } catch (const LayoutFailure& failure) {
            sheet.problems.push_back(layoutMessage(fileName, index, failure, kPitcherAdvice));
        }
    }
}

void readLineup(const Lines& lines, std::string_view fileName, TeamSheet& sheet) {
    for (std::size_t index = 1; index <= 9; ++index) {
        const std::string& line = lineAt(lines, index);
        if (line.size() < kShortestBatterLine)
            continue;
        ColumnReader reader(line);
        try {
            BatterLine batter;
            batter.line = static_cast<int>(index);
            batter.name = reader.columns(10, 26);
            batter.hits = padLeft(reader.field(32, 34), 3);
            batter.atBats = padLeft(reader.field(28, 30), 3);
            if (!parseDecimal(batter.hits))
                sheet.problems.push_back(conversionMessage("total hits", index, batter.name, batter.hits));
            if (!parseDecimal(batter.atBats))
                sheet.problems.push_back(
                    conversionMessage("total at bats", index, batter.name, batter.atBats));
            batter.average = battingAverage(batter.hits, batter.atBats);
            batter.runsBattedIn = padLeft(reader.field(56, 58), 3);
            batter.homeRuns = padLeft(reader.field(45, 46), 2);
            sheet.lineup.push_back(std::move(batter));

            const std::string& next = lineAt(lines, index + 1);
            if (next.size() < 4)
                throw reader.failureHere();
            if (startsWith(next, "*Pit"))
                break;
        } catch (const LayoutFailure& failure) {
            sheet.problems.push_back(layoutMessage(fileName, index, failure, kBatterAdvice));
        }
    }
}

} // namespace

PitcherRow PitcherLine::row() const {
    return {std::to_string(ordinal), name, wins + "-" + losses, era, strikeouts, innings, gamesStarted};
}

std::string BatterLine::row() const {
    return name + " " + hits + " " + atBats + " " + average + " " + runsBattedIn + " " + homeRuns;
}

TeamSheet readTeamSheet(const Lines& lines, std::string_view fileName) {
    TeamSheet sheet;
    readPitchers(lines, fileName, sheet);
    readLineup(lines, fileName, sheet);
    return sheet;
}

std::optional<double> parseDecimal(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double whole = 0;
    double fraction = 0;
    double scale = 1;
    bool digits = false;
    bool point = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (point) {
                scale *= 10;
                fraction = fraction * 10 + (c - '0');
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    const double value = whole + fraction / scale;
    return negative ? -value : value;
}

std::string battingAverage(std::string_view hits, std::string_view atBats) {
    const auto h = parseDecimal(hits);
    const auto a = parseDecimal(atBats);
    // Negative figures come only from damaged files; they show as no hits rather than as " .-16".
    if (!h || !a || *a <= 0 || *h <= 0)
        return " .000";
    if (*h == *a)
        return "1.000";
    // Thousandths rounded up; the small allowance keeps 3 in 10 at 300 despite binary fractions.
    const double thousandths = std::ceil(*h / *a * 1000 - 1e-9);
    char digits[32];
    std::snprintf(digits, sizeof digits, "%03.0f", thousandths);
    return std::string(" .") + digits;
}

std::string padLeft(std::string_view text, std::size_t width) {
    std::string padded;
    if (text.size() < width)
        padded.assign(width - text.size(), ' ');
    padded += text;
    return padded;
}

} // namespace kivp
