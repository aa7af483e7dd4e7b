#include "WindowTests.h"

#include "bracket/Bracket.h"
#include "platform/TextFile.h"
#include "support/DemoInstallation.h"
#include "support/RecordingPrompts.h"
#include "support/ScopedEnvironment.h"
#include "ui/KivpApplication.h"
#include "ui/Sphome.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <chrono>

namespace kivp::test {
namespace {

// Sees the "Playing game..." dialog as it is shown, and presses its "Stop simulator" once armed. Messages go to
// the test's own prompts.
class ShownWindows : public QObject {
public:
    bool stopNextGame = false;
    QWidget* dialogParent = nullptr;
    QString dialogTitle;
    QString dialogCaption;
    QRect dialogGeometry;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        if (window->objectName() == "PlayingGameDialog" && stopNextGame) {
            stopNextGame = false;
            dialogParent = window->parentWidget();
            dialogTitle = window->windowTitle();
            dialogCaption = child<QLabel>(window, "GameLabel")->text();
            // Once the dialog has been shown, where it shows.
            QMetaObject::invokeMethod(
                window,
                [this, window] {
                    dialogGeometry = window->geometry();
                    QTest::mouseClick(child<QPushButton>(window, "StopSimulatorButton"), Qt::LeftButton);
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

// The program as a user runs it, with the real simulator runner and the stand-in simulator.
class PlayingGameDialogTest : public QObject {
    Q_OBJECT

private slots:
    void stopSimulatorEndsAHungGameAndTheNextGameCounts() {
        DemoInstallation demo("teams");
        saveLines(demo.programFolder() + "/kivp.ini", {"[Location]", "Directory=" + demo.teamFolder()});
        ShownWindows shown;
        qApp->installEventFilter(&shown);

        RecordingPrompts prompts;
        ui::KivpApplication program(demo.programFolder(), &prompts);
        ui::TForm1& window = program.mainWindow();
        window.move(150, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // One best-of-seven series, GLENROCK (upper) at home against IVYWICK, options in force.
        MainForm& model = program.model();
        model.Button1Click();
        model.PlayoffTypeBoxChange(2);
        model.PlayoffFormatBoxChange(3);
        const auto& items = model.teamItems();
        const auto indexOf = [&items](const char* team) {
            return static_cast<int>(std::find(items.begin(), items.end(), team) - items.begin());
        };
        model.choosePicker(3, indexOf("GLENROCK"));
        model.choosePicker(10, indexOf("IVYWICK"));
        model.Button2Click();
        model.SpeedButton2Click(Bracket::upperButton(7));
        model.bracket().setUpdateOptionsLabel(false);
        window.refresh();
        auto* upperSlot = child<QLabel>(&window, "Label21");
        QCOMPARE(upperSlot->text(), QString("GLENROCK"));
        const auto wins = [&model] { return model.bracket().winCount(13) + "-" + model.bracket().winCount(14); };

        {
            ScopedEnvironment hang("KIVSIM_FAIL", "hang");
            shown.stopNextGame = true;
            const auto started = std::chrono::steady_clock::now();
            QTest::mouseClick(upperSlot, Qt::LeftButton);
            QVERIFY(std::chrono::steady_clock::now() - started < SimulatorProcess::kStopGrace);
        }
        QVERIFY(!shown.stopNextGame); // the dialog was shown, and its button pressed
        QCOMPARE(shown.dialogParent, static_cast<QWidget*>(&window));
        QCOMPARE(shown.dialogTitle, QString("Playing game..."));
        QCOMPARE(shown.dialogCaption, QString("Playing game: IVYWICK at GLENROCK"));
        const QPoint offCentre = shown.dialogGeometry.center() - window.frameGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(QString("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
        QCOMPARE(wins(), std::string("0-0"));
        QVERIFY(!QApplication::activeModalWidget());

        QTest::mouseClick(upperSlot, Qt::LeftButton);
        QVERIFY(wins() == "1-0" || wins() == "0-1");
        QVERIFY(prompts.calls.empty());
        qApp->removeEventFilter(&shown);
    }
};

RegisterWindowTest<PlayingGameDialogTest> registered;

} // namespace
} // namespace kivp::test

#include "PlayingGameDialogTest.moc"
