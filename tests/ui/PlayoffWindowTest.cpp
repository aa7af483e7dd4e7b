#include "WindowTests.h"

#include "platform/TextFile.h"
#include "support/DemoInstallation.h"
#include "support/RecordingPrompts.h"
#include "support/ScopedEnvironment.h"
#include "ui/KivpApplication.h"
#include "ui/Sphome.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>


namespace kivp::test {
namespace {

// The whole program as a user meets it: the real windows, the real simulator runner and the stand-in
// simulator.
class PlayoffWindowTest : public QObject {
    Q_OBJECT

private slots:
    void eightTeamSeriesIsPlayedToADecisionByClickingTheBracket() {
        DemoInstallation demo("teams");
        saveLines(demo.programFolder() + "/kivp.ini", {"[Location]", "Directory=" + demo.teamFolder()});
        ScopedEnvironment fixedGames("KIVSIM_SEED", "11");
        ScopedEnvironment log("KIVSIM_LOG", demo.logFile());

        RecordingPrompts prompts; // answers every message and question
        ui::KivpApplication program(demo.programFolder(), &prompts);
        ui::TForm1& window = program.mainWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // The set-up area opens below the bracket with nothing picked, the bracket keeping its size, and
        // closes again on Done.
        const int closedHeight = window.height(), bracketHeight = child(&window, "Image1")->height();
        window.findChild<QAction*>("Teams1")->trigger();
        QVERIFY(window.centralWidget()->height() >= 413);
        QVERIFY(child(&window, "Image1")->height() >= bracketHeight);
        const int pickers[] = {3, 4, 5, 6, 10, 11, 12, 13};
        for (int i = 0; i < 8; ++i) {
            auto* picker = child<QComboBox>(&window, qPrintable(QString("ComboBox%1").arg(pickers[i])));
            QVERIFY(picker->count() >= 8 && picker->currentIndex() == -1);
            picker->setCurrentIndex(i);
            emit picker->activated(i);
        }
        QTest::mouseClick(child<QPushButton>(&window, "Button2"), Qt::LeftButton);
        QCOMPARE(window.height(), closedHeight);
        QVERIFY(!child(&window, "Button2")->isVisible());
        const QString upper = child<QLabel>(&window, "Label9")->text();
        const QString lower = child<QLabel>(&window, "Label10")->text();
        QCOMPARE(upper,
                 child<QComboBox>(&window, "ComboBox3")->itemText(0)); // the first pick meets the fourth
        QCOMPARE(lower, child<QComboBox>(&window, "ComboBox6")->itemText(3));

        // The lower team takes home field, which raises the yellow warning until the options are confirmed.
        auto* lowerHome = child<QToolButton>(&window, "SpeedButton3");
        QTest::mouseClick(lowerHome, Qt::LeftButton);
        QVERIFY(lowerHome->isChecked() && !child<QToolButton>(&window, "SpeedButton2")->isChecked());
        QVERIFY(child(&window, "UpdateOptionsLabel")->isVisible());
        // The options window opens modal; once it shows, the user picks the series and presses OK.
        int seriesListed = 0;
        WhenShown options("TForm7", [&](QWidget* options) {
            auto* series = child<QComboBox>(options, "ComboBox1");
            seriesListed = series->count();
            series->setCurrentIndex(0);
            emit series->activated(0);
            QTest::mouseClick(child<QPushButton>(options, "Button1"), Qt::LeftButton);
        });
        window.findChild<QAction*>("Options1")->trigger();
        QCOMPARE(seriesListed, 4);
        QVERIFY(!child(&window, "UpdateOptionsLabel")->isVisible());

        auto* winner = child<QLabel>(&window, "Label17");
        for (int game = 0; game < 5 && winner->text().isEmpty(); ++game)
            QTest::mouseClick(child<QLabel>(&window, game % 2 ? "Label9" : "Label10"), Qt::LeftButton);
        QVERIFY(winner->text() == upper || winner->text() == lower);
        const QString winnerCount = winner->text() == upper ? "Label1" : "Label35";
        QCOMPARE(child<QLabel>(&window, qPrintable(winnerCount))->text(), QString("3"));
        QVERIFY(child(&window, "SpeedButton10")->isVisible());
        QVERIFY(prompts.calls.empty());

        // Every game was started with the lower team at home and the switches OK composed.
        const auto runs = loadLines(demo.logFile());
        QVERIFY(runs.size() >= 3 && runs.size() <= 5);
        const std::string teams =
            " //v:" + upper.toStdString() + " //h:" + lower.toStdString() + " //ls:kivp /s:n";
        for (const auto& run : runs)
            QVERIFY2(run.find(teams) != std::string::npos, run.c_str());
    }
};

RegisterWindowTest<PlayoffWindowTest> registered;

} // namespace
} // namespace kivp::test

#include "PlayoffWindowTest.moc"
