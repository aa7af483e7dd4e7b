#include "support/PlayoffPlayer.h"

#include "platform/IntegerText.h"

#include <algorithm>
#include <stdexcept>

namespace kivp::test {

namespace {

std::string firstOf(const std::vector<std::string>& messages) {
    return messages.empty() ? "" : messages[0];
}

} // namespace

PlayoffPlayer::PlayoffPlayer(std::string programFolder, SimulatorRunner& runner)
    : m_programFolder(std::move(programFolder)), m_form(m_prompts, *this, runner) {}

void PlayoffPlayer::start(const std::string& teamFolder) {
    m_form.FormCreate(m_programFolder);
    m_form.FormShow();
    if (teamFolder != m_form.Label32()) {
        m_prompts.folders.push_back(teamFolder);
        m_form.SpeedButton1Click();
    }
}

void PlayoffPlayer::setUp(int playoffType, int formatIndex, const TeamPicks& teams) {
    m_form.Button1Click();
    m_form.PlayoffTypeBoxChange(playoffType);
    m_form.PlayoffFormatBoxChange(formatIndex);
    const auto& items = m_form.teamItems();
    for (std::size_t i = 0; i < teams.size(); ++i) {
        const auto item = std::find(items.begin(), items.end(), teams[i]);
        if (item == items.end() && !teams[i].empty())
            throw std::runtime_error("the team folder does not list " + teams[i]);
        m_form.choosePicker(kPickerNumbers[i],
                            item == items.end() ? -1 : static_cast<int>(item - items.begin()));
    }
    m_form.Button2Click();
}

std::optional<int> PlayoffPlayer::nextSeries() const {
    for (int series = 1; series <= m_form.bracket().seriesCount(); ++series) {
        if (m_form.bracket().seriesState(series) == kSeriesOpen)
            return series;
    }
    return std::nullopt;
}

int PlayoffPlayer::wins(int slot) const {
    return toInteger(m_form.bracket().winCount(slot));
}

void PlayoffPlayer::markHomeTeams() {
    // Every open series, not only the next one: the options window opens only once all of them have one. The
    // upper team is at home in odd-numbered series and the lower team in even-numbered ones, so both orders
    // are played.
    const Bracket& bracket = m_form.bracket();
    for (int series = 1; series <= bracket.seriesCount(); ++series) {
        const bool upper = series % 2 == 1;
        const HomeChoice now = bracket.homeChoice(series);
        if (bracket.seriesState(series) == kSeriesOpen &&
            now != (upper ? HomeChoice::Upper : HomeChoice::Lower) &&
            (confirm != ConfirmOptions::WhenWarned || now == HomeChoice::None))
            m_form.SpeedButton2Click(upper ? Bracket::upperButton(series) : Bracket::lowerButton(series));
    }
}

void PlayoffPlayer::openOptions(int series) {
    const auto list = m_form.bracket().seriesList();
    const auto entry =
        std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.first == series; });
    m_seriesIndex = entry == list.end() ? -1 : static_cast<int>(entry - list.begin());
    const auto messagesBefore = m_prompts.messages().size();
    m_form.Button5Click();
    const auto messages = m_prompts.messages();
    if (messages.size() != messagesBefore || !m_form.options().closeRequested() ||
        m_form.bracket().updateOptionsLabel())
        throw std::runtime_error("the options window was not confirmed: " + firstOf(messages));
    ++m_confirmations;
    m_lastConfirmedSeries = series;
}

void PlayoffPlayer::showOptionsWindow() {
    OptionsForm& options = m_form.options();
    options.FormShow();
    if (optionsUser)
        optionsUser(options, m_seriesIndex);
    else
        options.Button1Click();
}

GameClick PlayoffPlayer::playGame(int series) {
    markHomeTeams();
    const bool due = m_form.bracket().updateOptionsLabel() || confirm == ConfirmOptions::BeforeEveryGame ||
                     (confirm == ConfirmOptions::ForEachSeries && m_lastConfirmedSeries != series);
    if (due)
        openOptions(series);

    const Bracket& bracket = m_form.bracket();
    const OptionsForm& options = m_form.options();
    const int upper = Bracket::upperSlot(series), lower = Bracket::lowerSlot(series);
    const GameClick click(bracket.slot(upper), bracket.slot(lower),
                          bracket.homeChoice(series) == HomeChoice::Upper, wins(upper), wins(lower),
                          options.rawSwitches(), options.simSwitches(), options.useCommandFile());
    if (beforeClick)
        beforeClick(click);
    m_form.Label9Click(upper);
    return click;
}

int PlayoffPlayer::playToChampion(int maxGames) {
    int games = 0;
    while (const auto series = nextSeries()) {
        if (games == maxGames)
            throw std::runtime_error("no champion after " + std::to_string(maxGames) + " games");
        const GameClick click = playGame(*series);
        ++games;
        const int credited = wins(Bracket::upperSlot(*series)) + wins(Bracket::lowerSlot(*series)) -
                             click.upperWinsBefore - click.lowerWinsBefore;
        if (credited != 1 || !m_prompts.messages().empty())
            throw std::runtime_error("game " + std::to_string(games) + " of series " +
                                     std::to_string(*series) +
                                     " was not credited: " + firstOf(m_prompts.messages()));
    }
    if (m_form.bracket().champion().empty())
        throw std::runtime_error("every series ended without a champion");
    return games;
}

} // namespace kivp::test
