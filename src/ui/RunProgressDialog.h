#pragma once
// The modal window shown while kivp plays many games: the game being played, the games played so far with
// their results, and two ways out: "Stop after this game" lets the game in progress count and ends the run
// there; "Stop simulator" ends the running game, which counts for nothing, and with it the run. It waits for
// each game in place of the "Playing game..." window, and the main window goes on repainting between games.

#include "run/RunProgress.h"
#include "ui/QtSimulatorRunner.h"

#include <QDialog>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace kivp::ui {

class RunProgressDialog : public QDialog, public RunProgress, public GameWait {
public:
    // redraw brings the main window up to date with its model after each game.
    RunProgressDialog(QtSimulatorRunner& runner, std::function<void()> redraw, QWidget* owner);

    void runStarting(const std::string& title) override;
    void gameStarting(const std::string& heading) override;
    void gameEnded(const std::string& result) override;
    bool stopAfterThisGame() override { return m_stopAfterGame; }
    void runEnded() override;

    void waitFor(SimulatorProcess& process) override;

    // Closing the window asks for the run to end after the game in progress, which still counts.
    void reject() override { askToStopAfterGame(); }

private:
    void askToStopAfterGame();
    void stopSimulator();
    void setStatus(const QString& text);

    QtSimulatorRunner& m_runner;
    std::function<void()> m_redraw;
    QLabel* m_game = nullptr;
    QLabel* m_played = nullptr;
    QLabel* m_status = nullptr;
    QListWidget* m_results = nullptr;
    QPushButton* m_stopAfterGameButton = nullptr;
    QPushButton* m_stopSimulatorButton = nullptr;
    SimulatorProcess* m_process = nullptr;
    bool m_stopAfterGame = false;
    int m_games = 0;
};

} // namespace kivp::ui
