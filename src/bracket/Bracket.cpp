#include "bracket/Bracket.h"

#include "platform/Error.h"
#include "platform/IntegerText.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace kivp {

namespace {

void checkRange(int number, int first, int last, const char* what) {
    if (number < first || number > last)
        throw std::out_of_range(std::string("no ") + what + " " + std::to_string(number));
}

// The eight-team tree's placeholders, as the main window has always shown them.
constexpr std::array<const char*, kSlotCount + 1> kClassicPlaceholders = {
    "",       "Team 1",        "Team 4",        "Team 2",       "Team 3",       "Team 1",
    "Team 4", "Team 2",        "Team 3",        " Winner T1/T4", " Winner T2/T3", "Winner T1/T4",
    "Winner T2/T3", "T1/T2/T3/T4", "T1/T2/T3/T4", "Winner"};

// The ranks of the field that can reach a slot, lowest first.
void ranksReaching(const BracketTree& tree, int slot, std::vector<int>& ranks) {
    const SlotFeed& feed = tree.feed(slot);
    if (feed.rank > 0) {
        ranks.push_back(feed.rank);
        return;
    }
    ranksReaching(tree, Bracket::upperSlot(feed.fromSeries), ranks);
    ranksReaching(tree, Bracket::lowerSlot(feed.fromSeries), ranks);
}

} // namespace

int pickerIndexOf(int halves, int half, int rank) {
    if (rank < 1)
        return -1;
    if (halves == 1)
        return rank <= kPickerCount ? rank - 1 : -1;
    if (rank <= 4)
        return half * 4 + rank - 1;
    return rank <= 8 ? 8 + half * 4 + rank - 5 : -1;
}

int captionLabelOf(int comboBox) {
    if (comboBox >= 3 && comboBox <= 6)
        return comboBox + 20;
    if (comboBox >= 10 && comboBox <= 13)
        return comboBox + 17;
    if (comboBox >= 14 && comboBox <= 21)
        return comboBox + 34;
    return 0;
}

Bracket::Bracket() { startUp(); }

bool Bracket::typeFitsTree(int playoffType) const {
    if (playoffType < 0 || playoffType >= kPlayoffTypeCount)
        return false;
    return isClassicType(playoffType) ? onClassicTree() : playoffType == m_treeType;
}

void Bracket::plantTree(int playoffType) {
    // The classic types share one tree, known by the first of them.
    m_treeType = isClassicType(playoffType) ? 0 : playoffType;
    m_tree = &BracketTree::of(playoffTypeInfo(playoffType, m_custom).tree);
    const auto slots = static_cast<std::size_t>(slotCount() + 1);
    const auto teamSlots = static_cast<std::size_t>(teamSlotCount() + 1);
    m_slots.assign(slots, "");
    m_winCounts.assign(teamSlots, "");
    m_ranks.assign(teamSlots, 0);
    m_states.assign(static_cast<std::size_t>(seriesCount() + 1), kSeriesNotSetUp);
    m_buttons.assign(static_cast<std::size_t>(lastHomeButton() + 1), HomeButton{});
    m_winsNeeded.assign(static_cast<std::size_t>(roundCount()), 0);
    m_playoffType = m_formatList = m_layoutType = playoffType;
    putPlaceholders();
}

void Bracket::useTreeOf(int playoffType, const CustomBracket& custom) {
    if (playoffType < 0 || playoffType >= kPlayoffTypeCount)
        return;
    const CustomBracket field = playoffType == kCustomType ? sensibleCustomBracket(custom) : m_custom;
    if (m_tree && typeFitsTree(playoffType) && field == m_custom)
        return;
    m_custom = field;
    plantTree(playoffType);
}

std::optional<int> Bracket::nextSeries(int series) const {
    const int next = tree().series(series).nextSeries;
    return next == 0 ? std::nullopt : std::optional<int>(next);
}

std::optional<int> Bracket::seriesOfSlot(int slot) const {
    if (slot < 1 || slot > teamSlotCount())
        return std::nullopt;
    return (slot + 1) / 2;
}

bool Bracket::onRightHalf(int slot) const {
    if (slot < 1 || slot > teamSlotCount() || tree().halves() == 1)
        return false;
    const SeriesPlace& place = tree().series((slot + 1) / 2);
    return place.half == 1 || (place.half < 0 && slot % 2 == 0);
}

std::string Bracket::slotControl(int slot) const {
    checkRange(slot, 1, slotCount(), "bracket slot");
    if (onClassicTree())
        return "Label" + std::to_string(slot == kChampionSlot ? 34 : slot + 8);
    return slot == championSlot() ? "ChampionSlot" : "TeamSlot" + std::to_string(slot);
}

std::string Bracket::winCountControl(int slot) const {
    checkRange(slot, 1, teamSlotCount(), "bracket slot");
    if (onClassicTree())
        return "Label" + std::to_string(slot == 1 ? 1 : slot + 33);
    return "WinCount" + std::to_string(slot);
}

std::string Bracket::placeholder(int slot) const {
    checkRange(slot, 1, slotCount(), "bracket slot");
    if (onClassicTree())
        return kClassicPlaceholders[static_cast<std::size_t>(slot)];
    if (slot == championSlot())
        return "Winner";
    const PlayoffTypeInfo info = playoffTypeInfo(m_treeType, m_custom);
    const SlotFeed& feed = tree().feed(slot);
    const std::string& half = info.halfShortNames[static_cast<std::size_t>(feed.half)];
    if (feed.rank > 0)
        return (half.empty() ? "Team" : half) + " " + std::to_string(feed.rank);
    if (tree().halves() == 2 && tree().series(feed.fromSeries).round == roundCount() - 2)
        return half + " winner";
    std::vector<int> ranks;
    ranksReaching(tree(), slot, ranks);
    if (ranks.size() > 4)
        return "Winner";
    std::sort(ranks.begin(), ranks.end());
    std::string text = "Winner ";
    for (std::size_t i = 0; i < ranks.size(); ++i)
        text += (i ? "/" : "") + std::to_string(ranks[i]);
    return text;
}

std::string Bracket::playoffTypeText() const {
    const auto& items = playoffTypeItems();
    if (m_playoffType < 0 || m_playoffType >= static_cast<int>(items.size()))
        return {};
    return items[static_cast<std::size_t>(m_playoffType)];
}

std::string Bracket::formatText() const {
    const auto& items = formatItems();
    if (m_formatIndex < 0 || m_formatIndex >= static_cast<int>(items.size()))
        return {};
    return items[static_cast<std::size_t>(m_formatIndex)];
}

void Bracket::selectFormat(int index) {
    m_formatIndex = (index >= 0 && index < static_cast<int>(formatItems().size())) ? index : -1;
}

void Bracket::selectPlayoffType(int index) {
    if (index >= 0 && index < kPlayoffTypeCount && !typeFitsTree(index))
        useTreeOf(index, m_custom);
    m_playoffType = (index >= 0 && index < kPlayoffTypeCount) ? index : -1;
}

void Bracket::showFormatList(int playoffType, int index) {
    m_formatList = playoffType;
    selectFormat(index);
}

void Bracket::showLayoutOf(int playoffType) {
    if (typeFitsTree(playoffType))
        m_layoutType = playoffType;
}

std::size_t Bracket::slotAt(int slot, int last) const {
    checkRange(slot, 1, last, "bracket slot");
    return static_cast<std::size_t>(slot);
}

const std::string& Bracket::slot(int slot) const { return m_slots[slotAt(slot, slotCount())]; }

void Bracket::setSlot(int slot, std::string text) { m_slots[slotAt(slot, slotCount())] = std::move(text); }

const std::string& Bracket::winCount(int slot) const { return m_winCounts[slotAt(slot, teamSlotCount())]; }

void Bracket::setWinCount(int slot, std::string text) {
    m_winCounts[slotAt(slot, teamSlotCount())] = std::move(text);
}

int Bracket::rankInSlot(int slot) const { return m_ranks[slotAt(slot, teamSlotCount())]; }

void Bracket::setRankInSlot(int slot, int rank) { m_ranks[slotAt(slot, teamSlotCount())] = rank; }

int Bracket::seriesState(int series) const {
    checkRange(series, 1, seriesCount(), "series");
    return m_states[static_cast<std::size_t>(series)];
}

void Bracket::setSeriesState(int series, int state) {
    checkRange(series, 1, seriesCount(), "series");
    m_states[static_cast<std::size_t>(series)] = state;
}


const HomeButton& Bracket::speedButton(int number) const {
    checkRange(number, kFirstHomeButton, lastHomeButton(), "home button");
    return m_buttons[static_cast<std::size_t>(number)];
}

HomeButton& Bracket::speedButton(int number) {
    checkRange(number, kFirstHomeButton, lastHomeButton(), "home button");
    return m_buttons[static_cast<std::size_t>(number)];
}

void Bracket::setSeriesButtonsShown(int series, bool shown) {
    speedButton(upperButton(series)).shown = shown;
    speedButton(lowerButton(series)).shown = shown;
}

HomeChoice Bracket::homeChoice(int series) const {
    if (speedButton(upperButton(series)).down)
        return HomeChoice::Upper;
    if (speedButton(lowerButton(series)).down)
        return HomeChoice::Lower;
    return HomeChoice::None;
}

int Bracket::homeSlot(int series) const {
    return homeChoice(series) == HomeChoice::Lower ? lowerSlot(series) : upperSlot(series);
}

int Bracket::visitorSlot(int series) const {
    return homeChoice(series) == HomeChoice::Lower ? upperSlot(series) : lowerSlot(series);
}

int Bracket::higherRankedSlot(int series) const {
    const int upper = rankInSlot(upperSlot(series)), lower = rankInSlot(lowerSlot(series));
    return lower > 0 && (upper == 0 || lower < upper) ? lowerSlot(series) : upperSlot(series);
}

int Bracket::entryRound() const { return playoffTypeInfo(m_layoutType, m_custom).tree.entryRound; }

bool Bracket::roundShown(int round) const { return round >= entryRound(); }

bool Bracket::slotShown(int slot) const {
    checkRange(slot, 1, slotCount(), "bracket slot");
    if (slot == championSlot())
        return true;
    return roundShown(roundOf(*seriesOfSlot(slot)));
}

bool Bracket::pickerShown(int comboBox) const {
    const auto number = std::find(kPickerNumbers.begin(), kPickerNumbers.end(), comboBox);
    if (number == kPickerNumbers.end())
        return false;
    const int index = static_cast<int>(number - kPickerNumbers.begin());
    for (const TeamEntry& entry : tree().teamEntries(entryRound())) {
        if (pickerIndexOf(tree().halves(), entry.half, entry.rank) == index)
            return true;
    }
    return false;
}

bool Bracket::pickerCaptionShown(int label) const {
    for (int comboBox : kPickerNumbers) {
        if (captionLabelOf(comboBox) == label)
            return pickerShown(comboBox);
    }
    return false;
}

std::string Bracket::pickerCaption(int comboBox) const {
    const auto number = std::find(kPickerNumbers.begin(), kPickerNumbers.end(), comboBox);
    if (number == kPickerNumbers.end())
        return {};
    const int index = static_cast<int>(number - kPickerNumbers.begin());
    const PlayoffTypeInfo info = typeInfo();
    for (const TeamEntry& entry : tree().teamEntries(entryRound())) {
        if (pickerIndexOf(tree().halves(), entry.half, entry.rank) != index)
            continue;
        if (info.classic)
            return "Team " + std::to_string(entry.rank);
        const std::string& half = info.halfShortNames[static_cast<std::size_t>(entry.half)];
        std::string caption = half.empty() ? "Seed " + std::to_string(entry.rank)
                                           : half + " seed " + std::to_string(entry.rank);
        if (roundOf(*seriesOfSlot(entry.slot)) > entryRound())
            caption += " (bye)";
        return caption;
    }
    return {};
}

bool Bracket::headingShown(int label) const {
    switch (label) {
    case 4:
    case 5:
        return roundShown(FirstRound);
    case 6:
    case 7:
        return roundShown(SemiFinals);
    case 8:
    case 33:
        return true;
    default:
        return false;
    }
}

std::string Bracket::roundName(int round) const {
    const int fromLast = roundCount() - 1 - round;
    if (fromLast == 0)
        return "Championship";
    const PlayoffTypeInfo info = playoffTypeInfo(m_treeType, m_custom);
    if (!info.classic && m_treeType != kCustomType) {
        static const char* const eras[] = {"League Series", "Division Series", "Wild Card"};
        return fromLast <= 3 ? eras[fromLast - 1] : "Round " + std::to_string(round + 1);
    }
    if (fromLast == 1 && tree().seriesOfRound(round).size() == 2)
        return "Semi Finals";
    return "Round " + std::to_string(round + 1);
}

bool Bracket::seriesPlayable(int series) const {
    if (series < 1 || series > seriesCount() || seriesState(series) != kSeriesOpen)
        return false;
    return roundShown(roundOf(series)) && !slot(upperSlot(series)).empty() && !slot(lowerSlot(series)).empty();
}

void Bracket::markHigherRankedHome(int series) {
    const bool upper = higherRankedSlot(series) == upperSlot(series);
    speedButton(upperButton(series)).down = upper;
    speedButton(lowerButton(series)).down = !upper;
}

void Bracket::applyHomeButtonDefaults(int playoffType) {
    // The series the field's teams meet in straight away show their buttons, the higher-ranked team at home.
    const PlayoffTypeInfo info = playoffTypeInfo(playoffType, m_custom);
    std::vector<int> rankOfSlot(static_cast<std::size_t>(teamSlotCount() + 1), 0);
    for (const TeamEntry& entry : tree().teamEntries(info.tree.entryRound))
        rankOfSlot[static_cast<std::size_t>(entry.slot)] = entry.rank;
    for (int series = 1; series <= seriesCount(); ++series) {
        const int upper = rankOfSlot[static_cast<std::size_t>(upperSlot(series))];
        const int lower = rankOfSlot[static_cast<std::size_t>(lowerSlot(series))];
        const bool inPlay = upper > 0 && lower > 0;
        setSeriesButtonsShown(series, inPlay);
        if (inPlay) {
            speedButton(upperButton(series)).down = upper <= lower;
            speedButton(lowerButton(series)).down = upper > lower;
        }
    }
}

void Bracket::setPlayoffType(int playoffType) {
    if (playoffType < 0 || playoffType >= kPlayoffTypeCount)
        return;
    // Between the classic types the playoff stays on the bracket; any other change starts a new tree.
    if (!(isClassicType(playoffType) && onClassicTree()))
        plantTree(playoffType);
    m_playoffType = playoffType;
    showLayoutOf(playoffType);
    applyHomeButtonDefaults(playoffType);
    showFormatList(playoffType, defaultFormatIndex(playoffType, m_custom));
}

void Bracket::setCustomBracket(const CustomBracket& custom) {
    m_custom = sensibleCustomBracket(custom);
    if (m_playoffType == kCustomType)
        setPlayoffType(kCustomType);
}

void Bracket::applyTeams(const TeamPicks& picks) {
    for (auto& text : m_slots)
        text.clear();
    for (auto& text : m_winCounts)
        text.clear();
    std::fill(m_ranks.begin(), m_ranks.end(), 0);

    const PlayoffTypeInfo info = playoffTypeInfo(m_playoffType, m_custom);
    std::vector<bool> entered(static_cast<std::size_t>(teamSlotCount() + 1), false);
    for (const TeamEntry& entry : tree().teamEntries(info.tree.entryRound)) {
        const int picker = pickerIndexOf(tree().halves(), entry.half, entry.rank);
        setSlot(entry.slot, picker >= 0 ? picks[static_cast<std::size_t>(picker)] : std::string());
        setWinCount(entry.slot, "0");
        entered[static_cast<std::size_t>(entry.slot)] = true;
        if (!info.classic)
            setRankInSlot(entry.slot, entry.rank);
    }
    for (int series = 1; series <= seriesCount(); ++series) {
        const bool bothEntered = entered[static_cast<std::size_t>(upperSlot(series))] &&
                                 entered[static_cast<std::size_t>(lowerSlot(series))];
        if (bothEntered) {
            setSeriesState(series, kSeriesOpen);
        } else if (!info.classic) {
            setSeriesState(series, kSeriesNotSetUp);
            setSeriesButtonsShown(series, false);
        }
    }
    if (info.classic)
        return;
    applyHomeButtonDefaults(m_playoffType);
    // A team with a bye waits beside its button, as a team that won its way there does.
    for (int slot = 1; slot <= teamSlotCount(); ++slot) {
        if (entered[static_cast<std::size_t>(slot)])
            speedButton(slot + 1).shown = true;
    }
}

void Bracket::chooseHomeTeam(int speedButton) {
    checkRange(speedButton, kFirstHomeButton, lastHomeButton(), "home button");
    const int partner = (speedButton % 2 == 0) ? speedButton + 1 : speedButton - 1;
    this->speedButton(speedButton).down = true;
    this->speedButton(partner).down = false;
    m_warning = true;
}

void Bracket::creditGame(int series, int visitorRuns, int homeRuns) {
    const int home = homeSlot(series);
    const int visitor = visitorSlot(series);
    int homeWins = toInteger(winCount(home));
    int visitorWins = toInteger(winCount(visitor));

    const Side winner = visitorRuns > homeRuns ? Side::Visitor : Side::Home;
    int& winnerWins = winner == Side::Visitor ? visitorWins : homeWins;
    if (winnerWins == std::numeric_limits<int>::max())
        throw Error::notAnInteger(winCount(winner == Side::Visitor ? visitor : home) + "+1");
    winnerWins += 1;
    setWinCount(home, std::to_string(homeWins));
    setWinCount(visitor, std::to_string(visitorWins));

    updateWinsNeeded(m_winsNeeded, playoffTypeText(), m_formatIndex, m_custom);
    advance(series, winner);
}

void Bracket::advance(int series, Side latestGameWinner) {
    const int target = winnerSlot(series);
    setSlot(target, "");

    // The series goes to the team that won its latest game once that team has the wins its round needs. Judging
    // the latest game's winner (not whichever total happens to equal the target) keeps a format change in the
    // middle of a series from leaving it open for ever or handing it to the team that just lost.
    const int needed = m_winsNeeded[static_cast<std::size_t>(roundOf(series))];
    const int winnerSlotNow = latestGameWinner == Side::Home ? homeSlot(series) : visitorSlot(series);
    const auto wins = parseInteger(winCount(winnerSlotNow));
    if (wins && *wins >= needed) {
        setSlot(target, slot(winnerSlotNow));
        setSeriesState(series, kSeriesDecided);
        setSeriesButtonsShown(series, false);
        if (target != championSlot()) {
            setWinCount(target, "0");
            setRankInSlot(target, rankInSlot(winnerSlotNow));
            speedButton(target + 1).shown = true;
        }
    }

    if (const auto next = nextSeries(series)) {
        if (!slot(upperSlot(*next)).empty() && !slot(lowerSlot(*next)).empty()) {
            const bool opening = seriesState(*next) != kSeriesOpen;
            setSeriesState(*next, kSeriesOpen);
            setSeriesButtonsShown(*next, true);
            if (opening && !onClassicTree())
                markHigherRankedHome(*next);
        }
    }
}

void Bracket::putPlaceholders() {
    for (int slot = 1; slot <= slotCount(); ++slot)
        setSlot(slot, placeholder(slot));
    for (int slot = 1; slot <= teamSlotCount(); ++slot)
        setWinCount(slot, "0");
}

void Bracket::reset() {
    if (!onClassicTree())
        plantTree(0);
    selectPlayoffType(0);
    for (int series = 1; series <= seriesCount(); ++series)
        setSeriesState(series, kSeriesNotSetUp);
    showLayoutOf(0);
    applyHomeButtonDefaults(0);
    showFormatList(0, defaultFormatIndex(0));
    putPlaceholders();
}

void Bracket::startUp() {
    plantTree(0);
    reset();
    m_warning = false;
}

void Bracket::setWinsNeeded(const WinsNeeded& wins) {
    m_winsNeeded = wins;
    m_winsNeeded.resize(static_cast<std::size_t>(roundCount()), 0);
}

bool Bracket::operator==(const Bracket& o) const {
    const bool sameField = m_treeType != kCustomType || m_custom == o.m_custom;
    return m_tree == o.m_tree && m_treeType == o.m_treeType && sameField && m_playoffType == o.m_playoffType &&
           m_formatList == o.m_formatList && m_formatIndex == o.m_formatIndex && m_layoutType == o.m_layoutType &&
           m_slots == o.m_slots && m_winCounts == o.m_winCounts && m_ranks == o.m_ranks &&
           m_states == o.m_states && m_buttons == o.m_buttons && m_warning == o.m_warning &&
           m_winsNeeded == o.m_winsNeeded;
}

std::vector<std::pair<int, SeriesTeams>> Bracket::seriesList() const {
    std::vector<std::pair<int, SeriesTeams>> list;
    for (int series = 1; series <= seriesCount(); ++series) {
        if (seriesState(series) >= kSeriesOpen)
            list.push_back({series, SeriesTeams{slot(upperSlot(series)), slot(lowerSlot(series))}});
    }
    return list;
}

} // namespace kivp
