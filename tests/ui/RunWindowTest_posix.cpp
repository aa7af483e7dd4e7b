// Many games through the real windows: the Play menu and a team slot's context menu, the home pattern in the
// Setup menu and the top bar, the status line, and the progress window with the real runner and the stand-in
// simulator: "Stop after this game" lets the game in progress count, "Stop simulator" (in the progress window,
// or in the "Playing game..." dialog of a single game) ends a game that counts for nothing.

#include "WindowTests.h"

#include "app/MainForm.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/ScopedEnvironment.h"
#include "ui/QtSimulatorRunner.h"
#include "ui/RunProgressDialog.h"
#include "ui/Sphome.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace kivp::test {
namespace {

class RunWindowTest : public QObject {
    Q_OBJECT

    // The demo league and a two-team best of seven, played through the windows with the real runner; the
    // simulator takes a while over each game.
    struct Program {
        DemoInstallation demo{"teams"};
        ScopedEnvironment fixedGames{"KIVSIM_SEED", "run-window"};
        ui::QtSimulatorRunner runner;
        PlayoffPlayer user{demo.programFolder(), runner};
        MainForm& model = user.form();
        std::unique_ptr<ui::TForm1> window;
        std::unique_ptr<ui::RunProgressDialog> progress;

        Program() {
            demo.unlinkSimulator("kivsim");
            const std::string script = demo.programFolder() + "/kivsim";
            std::ofstream(script) << "#!/bin/sh\nsleep 0.3\nexec " KIVSIM_PATH " \"$@\"\n";
            std::filesystem::permissions(script, std::filesystem::perms::owner_all);
            user.start(demo.teamFolder());
            window = std::make_unique<ui::TForm1>(model, user.prompts());
            runner.setOwner(window.get());
            progress = std::make_unique<ui::RunProgressDialog>(
                runner, [this] { window->refresh(); }, window.get());
            model.setRunProgress(progress.get());
            window->show(); // the bracket in its start-up state
            user.setUp(2, 3, {"ASHVALE", "", "", "", "MARROWDL", "", "", ""});
            window->refresh();
        }
        QString text(const char* name) { return child<QLabel>(window.get(), name)->text(); }
        QString wins() { return text("Label46") + "-" + text("Label47"); }
        QAction* action(const char* name) { return window->findChild<QAction*>(name); }
    };

private slots:
    void progressWindowShowsTheRunAndStopsAfterTheGameInProgress() {
        Program p;
        p.action("HomePattern232")->trigger();
        QVERIFY(p.action("HomePattern232")->isChecked() && !p.action("HomePatternEveryGame")->isChecked());
        QCOMPARE(p.text("HomePatternLabel"), QString("Home pattern: 2-3-2"));

        // While the second game is played the user asks to stop after it.
        QString heading, played;
        int results = 0;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            heading = child<QLabel>(p.progress.get(), "RunGameLabel")->text();
            if (!heading.contains("game 2"))
                return;
            watch.stop();
            played = child<QLabel>(p.progress.get(), "RunPlayedLabel")->text();
            results = child<QListWidget>(p.progress.get(), "RunResultsList")->count();
            QVERIFY(p.progress->isVisible() && p.progress->isModal());
            QTest::mouseClick(child<QPushButton>(p.progress.get(), "StopAfterGameButton"), Qt::LeftButton);
        });
        watch.start(20);
        p.action("PlayToChampion1")->trigger();
        QCOMPARE(heading, QString("Championship, game 2 of at most 7: MARROWDL at ASHVALE"));
        QCOMPARE(played, QString("1 game played so far."));
        QCOMPARE(results, 1);
        QVERIFY(!p.progress->isVisible());
        QVERIFY(p.wins() == "2-0" || p.wins() == "1-1" || p.wins() == "0-2");
        QVERIFY2(p.text("StatusLine").startsWith("Stopped after 2 games, as asked. MARROWDL at ASHVALE: "),
                 qPrintable(p.text("StatusLine")));
        QVERIFY(p.user.prompts().messages().empty());
    }

    void playingDialogIsCentredOverTheWindowAndStopEndsAHungGameThatCountsForNothing() {
        Program p;
        p.window->move(150, 120);
        auto* upperSlot = child<QLabel>(p.window.get(), "Label21");
        {
            // Once the "Playing game..." dialog has shown, the user presses its "Stop simulator".
            QWidget* parent = nullptr;
            QString title, caption;
            QRect geometry;
            WhenShown stop("PlayingGameDialog", [&](QWidget* dialog) {
                parent = dialog->parentWidget();
                title = dialog->windowTitle();
                caption = child<QLabel>(dialog, "GameLabel")->text();
                geometry = dialog->geometry();
                QTest::mouseClick(child<QPushButton>(dialog, "StopSimulatorButton"), Qt::LeftButton);
            });
            ScopedEnvironment hang("KIVSIM_FAIL", "hang");
            const auto started = std::chrono::steady_clock::now();
            QTest::mouseClick(upperSlot, Qt::LeftButton);
            QVERIFY(std::chrono::steady_clock::now() - started < SimulatorProcess::kStopGrace);
            QCOMPARE(parent, static_cast<QWidget*>(p.window.get()));
            QCOMPARE(title, QString("Playing game..."));
            QCOMPARE(caption, QString("Playing game: MARROWDL at ASHVALE"));
            const QPoint offCentre = geometry.center() - p.window->frameGeometry().center();
            QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(QString("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
        }
        QCOMPARE(p.wins(), QString("0-0"));
        QVERIFY(!QApplication::activeModalWidget());
        QTest::mouseClick(upperSlot, Qt::LeftButton);
        QVERIFY(p.wins() == "1-0" || p.wins() == "0-1");
        QVERIFY(p.user.prompts().messages().empty());
    }

    void stopSimulatorEndsTheRunAndTheGameDoesNotCount() {
        Program p;
        ScopedEnvironment hang("KIVSIM_FAIL", "hang");
        // The user presses "Stop simulator" until the run is over; the game may not have started at first.
        QTimer stopper;
        connect(&stopper, &QTimer::timeout, [&] {
            QTest::mouseClick(child<QPushButton>(p.progress.get(), "StopSimulatorButton"), Qt::LeftButton);
        });
        stopper.start(100);
        // From the slot's context menu, as a right click or the menu key opens it.
        auto* menu = p.window->findChild<QMenu*>("SlotMenu");
        QStringList items;
        for (QAction* item : menu->actions())
            items << item->text();
        QCOMPARE(items, (QStringList{"Play &Next Game\tEnter", "Play Rest of &Series", "Play Rest of &Round",
                                     "Play to &Champion"}));
        emit child<QLabel>(p.window.get(), "Label21")->customContextMenuRequested(QPoint(2, 2));
        menu->hide();
        p.window->findChild<QAction*>("SlotPlayRestOfSeries")->trigger();
        QCOMPARE(p.wins(), QString("0-0"));
        QCOMPARE(
            p.text("StatusLine"),
            QString(
                "The run stopped before its first game. MARROWDL at ASHVALE was stopped: the game did not "
                "count."));
        QVERIFY(p.user.prompts().messages().empty());
    }
};

RegisterWindowTest<RunWindowTest> registered;

} // namespace
} // namespace kivp::test

#include "RunWindowTest_posix.moc"
