#pragma once
// Builds team-file lines column by column, so each test states only the columns it is about.

#include <string>
#include <string_view>

namespace kivp::test {

// A line of width spaces with text written from column first (1-based) on; the line grows when text runs
// past.
class ColumnLine {
public:
    explicit ColumnLine(std::size_t width) : m_text(width, ' ') {}
    ColumnLine& at(std::size_t first, std::string_view text) {
        if (m_text.size() < first - 1 + text.size())
            m_text.resize(first - 1 + text.size(), ' ');
        m_text.replace(first - 1, text.size(), text);
        return *this;
    }
    ColumnLine& cut(std::size_t length) {
        m_text.resize(length, ' ');
        return *this;
    }
    operator std::string() const { return m_text; }
    const std::string& str() const { return m_text; }

private:
    std::string m_text;
};

// Name 10-26, AB 28-30, H 32-34, HR 45-46, RBI 56-58; 60 columns in all.
inline std::string batterLine(std::string_view name, std::string_view atBats, std::string_view hits,
                              std::string_view homeRuns = " 9", std::string_view runsBattedIn = " 40") {
    return ColumnLine(60)
        .at(1, "SS")
        .at(10, name)
        .at(28, atBats)
        .at(32, hits)
        .at(45, homeRuns)
        .at(56, runsBattedIn);
}

// Name 10-26, IP 28-30, SO 52-54, ERA 56-58, W 63-64, L 66-67, GS 77-78; 78 columns in all.
inline std::string pitcherLine(std::string_view name, std::string_view gamesStarted,
                               std::string_view era = "345", std::string_view wins = "12",
                               std::string_view losses = " 7", std::string_view innings = "201",
                               std::string_view strikeouts = "150") {
    return ColumnLine(78)
        .at(1, "P")
        .at(10, name)
        .at(28, innings)
        .at(52, strikeouts)
        .at(56, era)
        .at(63, wins)
        .at(66, losses)
        .at(77, gamesStarted);
}

} // namespace kivp::test
