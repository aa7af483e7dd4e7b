#include "bracket/Bracket.h"

#include "platform/Error.h"
#include "platform/IntegerText.h"

#include <limits>
#include <stdexcept>

namespace kivp {

namespace {

void checkSlot(int slot, int last) {
    if (slot < 1 || slot > last)
        throw std::out_of_range("no bracket slot " + std::to_string(slot));
}

void checkSeries(int series) {
    if (series < 1 || series > kSeriesCount)
        throw std::out_of_range("no series " + std::to_string(series));
}

void checkButton(int number) {
    if (number < kFirstHomeButton || number > kLastHomeButton)
        throw std::out_of_range("no home button " + std::to_string(number));
}

} // namespace

Bracket::Bracket() { startUp(); }

Round Bracket::roundOf(int series) {
    checkSeries(series);
    if (series <= 4)
        return FirstRound;
    return series <= 6 ? SemiFinals : Championship;
}

std::optional<int> Bracket::nextSeries(int series) {
    checkSeries(series);
    if (series == kSeriesCount)
        return std::nullopt;
    return 5 + (series - 1) / 2;
}

std::optional<int> Bracket::seriesOfSlot(int slot) {
    if (slot < 1 || slot > kTeamSlotCount)
        return std::nullopt;
    return (slot + 1) / 2;
}

std::string Bracket::slotControl(int slot) {
    checkSlot(slot, kSlotCount);
    return "Label" + std::to_string(slot == kChampionSlot ? 34 : slot + 8);
}

std::string Bracket::winCountControl(int slot) {
    checkSlot(slot, kTeamSlotCount);
    return "Label" + std::to_string(slot == 1 ? 1 : slot + 33);
}

std::string Bracket::placeholder(int slot) {
    static const std::array<const char*, kSlotCount + 1> texts = {
        "",       "Team 1",        "Team 4",        "Team 2",       "Team 3",       "Team 1",
        "Team 4", "Team 2",        "Team 3",        " Winner T1/T4", " Winner T2/T3", "Winner T1/T4",
        "Winner T2/T3", "T1/T2/T3/T4", "T1/T2/T3/T4", "Winner"};
    checkSlot(slot, kSlotCount);
    return texts[static_cast<std::size_t>(slot)];
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
    m_playoffType = (index >= 0 && index < kPlayoffTypeCount) ? index : -1;
}

void Bracket::showFormatList(int playoffType, int index) {
    m_formatList = playoffType;
    selectFormat(index);
}

void Bracket::showLayoutOf(int playoffType) {
    if (playoffType >= 0 && playoffType < kPlayoffTypeCount)
        m_layoutType = playoffType;
}

const std::string& Bracket::slot(int slot) const {
    checkSlot(slot, kSlotCount);
    return m_slots[static_cast<std::size_t>(slot)];
}

void Bracket::setSlot(int slot, std::string text) {
    checkSlot(slot, kSlotCount);
    m_slots[static_cast<std::size_t>(slot)] = std::move(text);
}

const std::string& Bracket::winCount(int slot) const {
    checkSlot(slot, kTeamSlotCount);
    return m_winCounts[static_cast<std::size_t>(slot)];
}

void Bracket::setWinCount(int slot, std::string text) {
    checkSlot(slot, kTeamSlotCount);
    m_winCounts[static_cast<std::size_t>(slot)] = std::move(text);
}

int Bracket::seriesState(int series) const {
    checkSeries(series);
    return m_states[static_cast<std::size_t>(series)];
}

void Bracket::setSeriesState(int series, int state) {
    checkSeries(series);
    m_states[static_cast<std::size_t>(series)] = state;
}

bool Bracket::seriesPlayable(int series) const {
    return seriesState(series) == kSeriesOpen && roundShown(roundOf(series)) &&
           !slot(upperSlot(series)).empty() && !slot(lowerSlot(series)).empty();
}

const HomeButton& Bracket::speedButton(int number) const {
    checkButton(number);
    return m_buttons[static_cast<std::size_t>(number)];
}

HomeButton& Bracket::speedButton(int number) {
    checkButton(number);
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

bool Bracket::roundShown(Round round) const {
    // Type "1995-" plays all three rounds, "1969-1993" the last two, "1903-1968" only the championship.
    return static_cast<int>(round) >= m_layoutType;
}

bool Bracket::slotShown(int slot) const {
    checkSlot(slot, kSlotCount);
    if (slot >= 13)
        return true;
    return roundShown(slot <= 8 ? FirstRound : SemiFinals);
}

bool Bracket::pickerShown(int comboBox) const {
    switch (comboBox) {
    case 3:
    case 10:
        return true;
    case 4:
    case 11:
        return m_layoutType <= 1;
    case 5:
    case 6:
    case 12:
    case 13:
        return m_layoutType == 0;
    default:
        return false;
    }
}

bool Bracket::pickerCaptionShown(int label) const {
    // Label23..26 caption ComboBox3..6, Label27..30 caption ComboBox10..13.
    if (label >= 23 && label <= 26)
        return pickerShown(label - 20);
    if (label >= 27 && label <= 30)
        return pickerShown(label - 17);
    return false;
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

void Bracket::applyHomeButtonDefaults(int playoffType) {
    for (int series = 1; series <= kSeriesCount; ++series) {
        const bool inPlay = roundOf(series) == static_cast<Round>(playoffType);
        setSeriesButtonsShown(series, inPlay);
        if (inPlay) {
            speedButton(upperButton(series)).down = true;
            speedButton(lowerButton(series)).down = false;
        }
    }
}

void Bracket::setPlayoffType(int playoffType) {
    if (playoffType < 0 || playoffType >= kPlayoffTypeCount)
        return;
    m_playoffType = playoffType;
    showLayoutOf(playoffType);
    applyHomeButtonDefaults(playoffType);
    showFormatList(playoffType, defaultFormatIndex(playoffType));
}

void Bracket::applyTeams(const TeamPicks& picks) {
    for (int slot = 1; slot <= kSlotCount; ++slot)
        setSlot(slot, "");
    for (int slot = 1; slot <= kTeamSlotCount; ++slot)
        setWinCount(slot, "");

    // Which picker feeds which slot: the first pick meets the fourth and the second the third in each half.
    auto place = [&](int slot, std::size_t pick) {
        setSlot(slot, picks[pick]);
        setWinCount(slot, "0");
    };
    switch (m_playoffType) {
    case 0: {
        static constexpr std::array<std::size_t, 8> order = {0, 3, 1, 2, 4, 7, 5, 6};
        for (int slot = 1; slot <= 8; ++slot)
            place(slot, order[static_cast<std::size_t>(slot - 1)]);
        for (int series = 1; series <= 4; ++series)
            setSeriesState(series, kSeriesOpen);
        break;
    }
    case 1:
        place(9, 0);
        place(10, 1);
        place(11, 4);
        place(12, 5);
        setSeriesState(5, kSeriesOpen);
        setSeriesState(6, kSeriesOpen);
        break;
    case 2:
        place(13, 0);
        place(14, 4);
        setSeriesState(7, kSeriesOpen);
        break;
    default:
        break;
    }
}

void Bracket::chooseHomeTeam(int speedButton) {
    checkButton(speedButton);
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

    updateWinsNeeded(m_winsNeeded, playoffTypeText(), m_formatIndex);
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
        if (target != kChampionSlot) {
            setWinCount(target, "0");
            speedButton(target + 1).shown = true;
        }
    }

    if (const auto next = nextSeries(series)) {
        if (!slot(upperSlot(*next)).empty() && !slot(lowerSlot(*next)).empty()) {
            setSeriesState(*next, kSeriesOpen);
            setSeriesButtonsShown(*next, true);
        }
    }
}

void Bracket::putPlaceholders() {
    for (int slot = 1; slot <= kSlotCount; ++slot)
        setSlot(slot, placeholder(slot));
    for (int slot = 1; slot <= kTeamSlotCount; ++slot)
        setWinCount(slot, "0");
}

void Bracket::reset() {
    selectPlayoffType(0);
    for (int series = 1; series <= kSeriesCount; ++series)
        setSeriesState(series, kSeriesNotSetUp);
    showLayoutOf(0);
    applyHomeButtonDefaults(0);
    showFormatList(0, defaultFormatIndex(0));
    putPlaceholders();
}

void Bracket::startUp() {
    for (int number = kFirstHomeButton; number <= kLastHomeButton; ++number)
        speedButton(number) = HomeButton{};
    reset();
    m_warning = false;
    m_winsNeeded = {};
}

std::vector<std::pair<int, SeriesTeams>> Bracket::seriesList() const {
    std::vector<std::pair<int, SeriesTeams>> list;
    for (int series = 1; series <= kSeriesCount; ++series) {
        if (seriesState(series) >= kSeriesOpen)
            list.push_back({series, SeriesTeams{slot(upperSlot(series)), slot(lowerSlot(series))}});
    }
    return list;
}

} // namespace kivp
