#include "ui/RunProgressDialog.h"

#include "sim/ProcessSimulatorRunner.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace kivp::ui {

namespace {
constexpr int kPollMilliseconds = 20;
}

RunProgressDialog::RunProgressDialog(QtSimulatorRunner& runner, std::function<void()> redraw, QWidget* owner)
    : QDialog(owner), m_runner(runner), m_redraw(std::move(redraw)) {
    setObjectName("RunProgressDialog");
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    auto* layout = new QVBoxLayout(this);
    m_game = new QLabel(this);
    m_game->setObjectName("RunGameLabel");
    QFont bold = m_game->font();
    bold.setBold(true);
    m_game->setFont(bold);
    layout->addWidget(m_game);
    m_status = new QLabel(this);
    m_status->setObjectName("RunStatusLabel");
    layout->addWidget(m_status);
    m_played = new QLabel(this);
    m_played->setObjectName("RunPlayedLabel");
    layout->addWidget(m_played);
    m_results = new QListWidget(this);
    m_results->setObjectName("RunResultsList");
    m_results->setAccessibleName("Games played");
    m_results->setMinimumSize(580, 170);
    m_results->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_results);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_stopAfterGameButton = new QPushButton("Stop after this game", this);
    m_stopAfterGameButton->setObjectName("StopAfterGameButton");
    m_stopAfterGameButton->setAutoDefault(false);
    connect(m_stopAfterGameButton, &QPushButton::clicked, this, [this] { askToStopAfterGame(); });
    buttons->addWidget(m_stopAfterGameButton);
    m_stopSimulatorButton = new QPushButton("Stop simulator", this);
    m_stopSimulatorButton->setObjectName("StopSimulatorButton");
    m_stopSimulatorButton->setAutoDefault(false);
    connect(m_stopSimulatorButton, &QPushButton::clicked, this, [this] { stopSimulator(); });
    buttons->addWidget(m_stopSimulatorButton);
    layout->addLayout(buttons);
}

void RunProgressDialog::runStarting(const std::string& title) {
    setWindowTitle(toQt(title));
    m_results->clear();
    m_games = 0;
    m_stopAfterGame = false;
    m_stopAfterGameButton->setEnabled(true);
    m_played->setText("No game played yet.");
    m_runner.setGameWait(this);
    adjustSize();
    // Below the main window when there is room, so the bracket stays in sight as it fills; else over it.
    if (const QWidget* owner = parentWidget()) {
        const QRect frame = owner->frameGeometry();
        const QRect screen = owner->screen() ? owner->screen()->availableGeometry() : QRect();
        QPoint at(frame.center().x() - frameGeometry().width() / 2, frame.bottom() + 8);
        if (at.y() + frameGeometry().height() > screen.bottom())
            at.setY(frame.center().y() - frameGeometry().height() / 2);
        move(at);
    }
    show();
    QApplication::processEvents();
}

void RunProgressDialog::gameStarting(const std::string& heading) {
    m_game->setText(toQt(heading));
    setStatus(m_stopAfterGame ? "The run ends after this game." : "Starting the simulator...");
    QApplication::processEvents();
}

void RunProgressDialog::gameEnded(const std::string& result) {
    ++m_games;
    m_results->addItem(QString("%1. %2").arg(m_games).arg(toQt(result)));
    m_results->scrollToBottom();
    m_played->setText(m_games == 1 ? QString("1 game played so far.")
                                   : QString("%1 games played so far.").arg(m_games));
    if (m_redraw)
        m_redraw();
    // Between games the windows repaint and the buttons are heard, however quick the games are.
    QApplication::processEvents();
}

void RunProgressDialog::runEnded() {
    m_runner.setGameWait(nullptr);
    m_process = nullptr;
    hide();
}

void RunProgressDialog::waitFor(SimulatorProcess& process) {
    // The main window shows the game as running (Undo and Redo off) until it is over.
    if (m_redraw)
        m_redraw();
    m_process = &process;
    m_stopSimulatorButton->setEnabled(true);
    if (!m_stopAfterGame)
        setStatus("The simulator is playing the game.");
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (process.finished())
            loop.quit();
    });
    poll.start(kPollMilliseconds);
    if (!process.finished())
        loop.exec();
    m_process = nullptr;
    if (!m_stopAfterGame)
        setStatus("The game is over.");
}

void RunProgressDialog::askToStopAfterGame() {
    m_stopAfterGame = true;
    m_stopAfterGameButton->setEnabled(false);
    setStatus("The run ends after this game.");
}

void RunProgressDialog::stopSimulator() {
    // The run ends with the stopped game: its outcome stops the loop.
    m_stopAfterGame = true;
    m_stopAfterGameButton->setEnabled(false);
    if (m_process) {
        m_process->stop();
        m_stopSimulatorButton->setEnabled(false);
        setStatus("Stopping the simulator...");
    }
}

void RunProgressDialog::setStatus(const QString& text) {
    m_status->setText(text);
}

} // namespace kivp::ui
