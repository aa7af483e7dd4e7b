#include "ui/QtSimulatorRunner.h"

#include "ui/QtText.h"

#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kivp::ui {

namespace {

constexpr int kPollMilliseconds = 20;

// The window shown while a game is played. Closing it is the same as stopping the simulator: the dialog itself
// only ends when the program has ended.
class PlayingGameDialog : public QDialog {
public:
    PlayingGameDialog(SimulatorProcess& process, const std::string& caption, QWidget* owner)
        : QDialog(owner ? owner->window() : nullptr), m_process(process) {
        setObjectName("PlayingGameDialog");
        setWindowTitle("Playing game...");
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        auto* teams = new QLabel(caption.empty() ? QString("Playing a game") : "Playing game: " + toQt(caption), this);
        teams->setObjectName("GameLabel");
        QFont bold = teams->font();
        bold.setBold(true);
        teams->setFont(bold);
        layout->addWidget(teams);
        m_status = new QLabel("The simulator is playing the game. kivp goes on when it is over.", this);
        m_status->setObjectName("StatusLabel");
        layout->addWidget(m_status);
        m_stop = new QPushButton("Stop simulator", this);
        m_stop->setObjectName("StopSimulatorButton");
        m_stop->setAccessibleName("Stop simulator");
        m_stop->setAutoDefault(false);
        layout->addWidget(m_stop, 0, Qt::AlignRight);
        connect(m_stop, &QPushButton::clicked, this, [this] { stop(); });
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_process.finished())
                accept();
        });
        m_timer.start(kPollMilliseconds);
    }

    void reject() override { stop(); }

protected:
    // Over the middle of the main window, wherever that is, and not where the window system puts new windows.
    void showEvent(QShowEvent* event) override {
        if (QWidget* owner = parentWidget()) {
            adjustSize();
            const QRect frame = frameGeometry();
            move(owner->frameGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
        }
        QDialog::showEvent(event);
    }

private:
    void stop() {
        m_process.stop();
        m_stop->setEnabled(false);
        m_status->setText("Stopping the simulator...");
    }

    SimulatorProcess& m_process;
    QTimer m_timer;
    QLabel* m_status = nullptr;
    QPushButton* m_stop = nullptr;
};

} // namespace

void QtSimulatorRunner::waitForGame(SimulatorProcess& process, const std::string& caption) {
    // A quick game is over before a window would even show.
    if (!process.waitFor(std::chrono::milliseconds(kPollMilliseconds))) {
        if (m_wait) {
            m_wait->waitFor(process);
        } else {
            PlayingGameDialog dialog(process, caption, m_owner);
            dialog.exec();
        }
    }
}

} // namespace kivp::ui
