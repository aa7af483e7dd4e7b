#include "journal/Journal.h"

#include "platform/IntegerText.h"
#include "playoff/PlayoffFile.h"

#include <algorithm>
#include <ctime>
#include <optional>
#include <sstream>

namespace kivp {

namespace {

constexpr const char* kJournalPart = "journal";
constexpr const char* kJournalForm = "1";

std::size_t at(int number) {
    return static_cast<std::size_t>(number - 1);
}

std::string joinNumbers(std::initializer_list<int> numbers) {
    std::string text;
    for (int n : numbers) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(n);
    }
    return text;
}

// The words of a value separated by single spaces; a number that is not one makes the journal unreadable.
std::vector<std::string> words(const std::string& value) {
    std::vector<std::string> list;
    std::istringstream in(value);
    for (std::string word; in >> word;)
        list.push_back(word);
    return list;
}

int number(const std::string& text, const char* what) {
    const auto value = parseInteger(text);
    if (!value)
        throw JournalUnreadable(std::string("its ") + what + " holds \"" + text + "\", not a number");
    return *value;
}

std::vector<int> numbers(const std::string& value, std::size_t count, const char* what) {
    const auto list = words(value);
    if (list.size() < count)
        throw JournalUnreadable(std::string("its ") + what + " line is too short");
    std::vector<int> result;
    for (std::size_t i = 0; i < count; ++i)
        result.push_back(number(list[i], what));
    return result;
}

std::string beforeLine(const Bracket& b) {
    std::string line = joinNumbers({b.playoffTypeIndex(), b.formatListType(), b.formatIndex(), b.layoutType()});
    for (int wins : b.winsNeeded())
        line += ' ' + std::to_string(wins);
    line += ' ';
    for (int button = kFirstHomeButton; button <= b.lastHomeButton(); ++button) {
        const HomeButton& h = b.speedButton(button);
        line += static_cast<char>('0' + (h.down ? 1 : 0) + (h.shown ? 2 : 0));
    }
    return line;
}

// The settings of a bracket that the user, not the games, changes between games, from a "before" line.
void applyBeforeLine(Bracket& b, const std::string& value) {
    // The type, the format list's type, the format, the layout's type, the wins of each round, the buttons.
    const auto list = words(value);
    const std::size_t rounds = static_cast<std::size_t>(b.roundCount());
    if (list.size() != 5 + rounds ||
        list.back().size() != static_cast<std::size_t>(b.lastHomeButton() - kFirstHomeButton + 1))
        throw JournalUnreadable("a game's bracket line does not have its " + std::to_string(5 + rounds) + " parts");
    std::vector<int> n;
    for (std::size_t i = 0; i + 1 < list.size(); ++i)
        n.push_back(number(list[i], "bracket line"));
    if ((n[0] != -1 && !b.typeFitsTree(n[0])) || !b.typeFitsTree(n[1]) || !b.typeFitsTree(n[3]))
        throw JournalUnreadable("a game's bracket line names no playoff type of its bracket");
    b.selectPlayoffType(n[0]);
    b.showFormatList(n[1], n[2]);
    b.showLayoutOf(n[3]);
    b.setWinsNeeded(WinsNeeded(n.begin() + 4, n.end()));
    for (int button = kFirstHomeButton; button <= b.lastHomeButton(); ++button) {
        const char c = list.back()[static_cast<std::size_t>(button - kFirstHomeButton)];
        if (c < '0' || c > '3')
            throw JournalUnreadable("a game's home buttons are not written as 0 to 3");
        b.speedButton(button) = HomeButton{((c - '0') & 1) != 0, ((c - '0') & 2) != 0};
    }
    b.setUpdateOptionsLabel(false); // no game is played while it is raised
}

struct ReadGame {
    GameRecord record;
    std::optional<std::string> before;
    bool visitor = false, home = false, runs = false;
};

std::string gameName(int index, const GameRecord& g) {
    return "game " + std::to_string(index + 1) + " (series " + std::to_string(g.series) + ")";
}

} // namespace

const GameRecord& Journal::credit(Bracket& bracket, int series, const LineScore& score, Lines lineScore,
                                  std::string playedAt) {
    Bracket before = bracket;
    bracket.creditGame(series, score.visitorRuns, score.homeRuns);
    GameRecord game;
    game.series = series;
    game.game = parseInteger(before.winCount(Bracket::upperSlot(series))).value_or(0) +
                parseInteger(before.winCount(Bracket::lowerSlot(series))).value_or(0) + 1;
    game.visitor = before.slot(before.visitorSlot(series));
    game.home = before.slot(before.homeSlot(series));
    game.visitorRuns = score.visitorRuns;
    game.homeRuns = score.homeRuns;
    game.lineScore = std::move(lineScore);
    game.playedAt = std::move(playedAt);
    m_entries.push_back({std::move(game), std::move(before)});
    m_texts.push_back(textOf(m_entries.back()));
    m_undone.clear();
    return m_entries.back().game;
}

void restoreBracket(Bracket& bracket, const Bracket& target) {
    // The later types mark the home team of a series as it opens: taking that mark away with the series, or
    // putting it back with it, is no choice of the user's, so there only the series open on both sides count.
    const bool marksOnOpening = !target.typeInfo().classic && bracket.tree() == target.tree();
    bool downChanged = false;
    for (int button = kFirstHomeButton; button <= std::min(bracket.lastHomeButton(), target.lastHomeButton());
         ++button) {
        const int series = button / 2;
        if (marksOnOpening &&
            (bracket.seriesState(series) != kSeriesOpen || target.seriesState(series) != kSeriesOpen))
            continue;
        downChanged = downChanged || bracket.speedButton(button).down != target.speedButton(button).down;
    }
    const bool warning = bracket.updateOptionsLabel() || downChanged;
    bracket = target;
    bracket.setUpdateOptionsLabel(warning);
}

void Journal::undo(Bracket& bracket) {
    if (m_entries.empty())
        return;
    m_undone.push_back({std::move(m_entries.back()), std::move(m_texts.back()), bracket});
    m_entries.pop_back();
    m_texts.pop_back();
    restoreBracket(bracket, m_undone.back().entry.before);
}

void Journal::redo(Bracket& bracket) {
    if (m_undone.empty())
        return;
    Undone undone = std::move(m_undone.back());
    m_undone.pop_back();
    restoreBracket(bracket, undone.after);
    m_entries.push_back(std::move(undone.entry));
    m_texts.push_back(std::move(undone.text));
}

namespace {

// The journal's lines, written once here for both forms: keyed entries and the text of a file.
template <typename Add> void writeStart(const Bracket& first, Add&& add) {
    add(kJournalPart, kJournalForm);
    for (int slot = 1; slot <= first.slotCount(); ++slot)
        add("journal.slot", first.slot(slot));
    for (int slot = 1; slot <= first.teamSlotCount(); ++slot)
        add("journal.winCount", first.winCount(slot));
    std::string states;
    for (int series = 1; series <= first.seriesCount(); ++series)
        states += (series > 1 ? " " : "") + std::to_string(first.seriesState(series));
    add("journal.states", states);
    // The later types mark the higher-ranked team at home as a series opens: the ranks go along.
    if (!first.typeInfo().classic) {
        std::string ranks;
        for (int slot = 1; slot <= first.teamSlotCount(); ++slot)
            ranks += (slot > 1 ? " " : "") + std::to_string(first.rankInSlot(slot));
        add("journal.ranks", ranks);
    }
}

template <typename Add> void writeGame(const Journal::Entry& entry, Add&& add) {
    const GameRecord& g = entry.game;
    add("journal.game", joinNumbers({g.series, g.game}) + " " + g.playedAt);
    add("journal.visitor", g.visitor);
    add("journal.home", g.home);
    add("journal.runs", joinNumbers({g.visitorRuns, g.homeRuns}));
    add("journal.before", beforeLine(entry.before));
    for (const auto& line : g.lineScore)
        add("journal.line", line);
}

// Lines as a file holds them, each ended by CR LF; notes a value that holds a line break of its own.
struct TextLines {
    std::string& text;
    bool& lineBreak;
    void operator()(std::string_view key, std::string_view value) const {
        lineBreak = lineBreak || value.find_first_of("\r\n") != std::string_view::npos;
        text.append(key).append("=").append(value).append("\r\n");
    }
};

} // namespace

Journal::GameText Journal::textOf(const Entry& entry) {
    GameText game;
    writeGame(entry, TextLines{game.text, game.lineBreak});
    return game;
}

void Journal::writeTo(PlayoffExtras& extras) const {
    if (m_entries.empty())
        return;
    const auto add = [&extras](std::string_view key, std::string_view value) {
        extras.add(std::string(key), std::string(value));
    };
    writeStart(m_entries.front().before, add);
    for (const Entry& entry : m_entries)
        writeGame(entry, add);
}

bool Journal::appendLines(std::string& text) const {
    if (m_entries.empty())
        return true;
    bool lineBreak = false;
    writeStart(m_entries.front().before, TextLines{text, lineBreak});
    for (const GameText& game : m_texts) {
        text += game.text;
        lineBreak = lineBreak || game.lineBreak;
    }
    return !lineBreak;
}

Journal Journal::readFrom(const PlayoffExtras& extras, const PlayoffFile& file) {
    std::vector<const PlayoffExtras::Entry*> lines;
    for (const auto& entry : extras.entries()) {
        if (PlayoffExtras::ownedBy(entry.key, kJournalPart))
            lines.push_back(&entry);
    }
    Journal journal;
    if (lines.empty())
        return journal;
    if (lines.front()->key != kJournalPart)
        throw JournalUnreadable("it does not begin with its \"journal=\" line");
    if (lines.front()->value != kJournalForm)
        throw JournalUnreadable("it is in a form this kivp does not know (\"journal=" + lines.front()->value +
                                "\")");

    std::vector<std::string> slots, winCounts;
    std::optional<std::string> states, ranks;
    std::vector<ReadGame> games;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto& [key, value] = *lines[i];
        if (key == "journal.game") {
            const auto list = words(value);
            ReadGame game;
            game.record.series = number(list.size() > 0 ? list[0] : "", "game line");
            game.record.game = number(list.size() > 1 ? list[1] : "", "game line");
            game.record.playedAt = list.size() > 2 ? list[2] : "";
            games.push_back(std::move(game));
        } else if (games.empty()) {
            if (key == "journal.slot")
                slots.push_back(value);
            else if (key == "journal.winCount")
                winCounts.push_back(value);
            else if (key == "journal.states")
                states = value;
            else if (key == "journal.ranks")
                ranks = value;
        } else {
            ReadGame& game = games.back();
            if (key == "journal.visitor") {
                game.record.visitor = value;
                game.visitor = true;
            } else if (key == "journal.home") {
                game.record.home = value;
                game.home = true;
            } else if (key == "journal.runs") {
                const auto runs = numbers(value, 2, "runs");
                game.record.visitorRuns = runs[0];
                game.record.homeRuns = runs[1];
                game.runs = true;
            } else if (key == "journal.before") {
                game.before = value;
            } else if (key == "journal.line") {
                game.record.lineScore.push_back(value);
            }
        }
    }
    if (games.empty())
        return journal;
    // The bracket before the first game, on the file's tree, then each game in turn.
    Bracket now;
    now.useTreeOf(file.playoffType, file.custom);
    if (slots.size() != static_cast<std::size_t>(now.slotCount()) ||
        winCounts.size() != static_cast<std::size_t>(now.teamSlotCount()) || !states ||
        (!now.typeInfo().classic && !ranks))
        throw JournalUnreadable("the bracket it starts from is not complete");
    for (int slot = 1; slot <= now.slotCount(); ++slot)
        now.setSlot(slot, slots[at(slot)]);
    for (int slot = 1; slot <= now.teamSlotCount(); ++slot)
        now.setWinCount(slot, winCounts[at(slot)]);
    const auto stateNumbers = numbers(*states, static_cast<std::size_t>(now.seriesCount()), "series states");
    for (int series = 1; series <= now.seriesCount(); ++series)
        now.setSeriesState(series, stateNumbers[at(series)]);
    if (ranks) {
        const auto rankNumbers = numbers(*ranks, static_cast<std::size_t>(now.teamSlotCount()), "ranks");
        for (int slot = 1; slot <= now.teamSlotCount(); ++slot)
            now.setRankInSlot(slot, rankNumbers[at(slot)]);
    }

    for (std::size_t i = 0; i < games.size(); ++i) {
        ReadGame& read = games[i];
        GameRecord& g = read.record;
        const std::string name = gameName(static_cast<int>(i), g);
        if (!read.before || !read.visitor || !read.home || !read.runs)
            throw JournalUnreadable(name + " is not complete");
        if (g.series < 1 || g.series > now.seriesCount())
            throw JournalUnreadable(name + " names no series of the bracket");
        applyBeforeLine(now, *read.before);
        if (now.seriesState(g.series) != kSeriesOpen || now.homeChoice(g.series) == HomeChoice::None)
            throw JournalUnreadable(name + " was played in a series that could not be played then");
        const Bracket before = now;
        LineScore score{g.visitorRuns, g.homeRuns};
        Journal replayed;
        try {
            replayed.credit(now, g.series, score, {}, {});
        } catch (const Error&) {
            throw JournalUnreadable(name + " meets a win count that is not a number");
        }
        const GameRecord& expected = replayed.latest();
        if (expected.visitor != g.visitor || expected.home != g.home || expected.game != g.game)
            throw JournalUnreadable(name + " does not follow from the games before it");
        journal.m_entries.push_back({std::move(g), before});
        journal.m_texts.push_back(textOf(journal.m_entries.back()));
    }

    for (int slot = 1; slot <= now.slotCount(); ++slot) {
        if (now.slot(slot) != file.slots[at(slot)])
            throw JournalUnreadable("its games do not lead to the teams the bracket shows");
    }
    for (int slot = 1; slot <= now.teamSlotCount(); ++slot) {
        if (now.winCount(slot) != file.winCounts[at(slot)])
            throw JournalUnreadable("its games do not lead to the win counts the bracket shows");
    }
    for (int series = 1; series <= now.seriesCount(); ++series) {
        if (now.seriesState(series) != file.seriesStates[at(series)])
            throw JournalUnreadable("its games do not lead to the series states the bracket shows");
    }
    return journal;
}

int gamesPlayed(const Bracket& bracket) {
    int games = 0;
    for (int slot = 1; slot <= bracket.teamSlotCount(); ++slot)
        games += std::max(0, parseInteger(bracket.winCount(slot)).value_or(0));
    return games;
}

std::string localTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[40];
    const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string stamp(text, n);
    // "+0100" as "+01:00"
    if (stamp.size() >= 5 && (stamp[stamp.size() - 5] == '+' || stamp[stamp.size() - 5] == '-'))
        stamp.insert(stamp.size() - 2, ":");
    return stamp;
}

} // namespace kivp
