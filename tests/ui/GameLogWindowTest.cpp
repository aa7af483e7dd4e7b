#include "TwoTeamWindow.h"
#include "WindowTests.h"

#include "support/RecordingPrompts.h"

#include <QAction>
#include <QDialog>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolTip>

namespace kivp::test {
namespace {

// The games of the playoff as the windows show them: beside each series, in the game log window, and through
// the Edit menu's undo.
class GameLogWindowTest : public QObject {
    Q_OBJECT

private slots:
    void gamesShowBesideTheirSeriesAndInTheGameLogAndUndoTakesThemOutOfBoth() {
        TwoTeamWindow f;
        ui::TForm1& window = *f.window;
        RecordingPrompts& prompts = f.prompts;
        ScriptedRunner& runner = f.runner;

        auto action = [&](const char* name) { return window.findChild<QAction*>(name); };
        QCOMPARE(action("UndoGame1")->shortcut(), QKeySequence("Ctrl+Z"));
        window.refresh();
        QVERIFY(!action("UndoGame1")->isEnabled());

        runner.thenScore(3, 5);
        QTest::mouseClick(child<QLabel>(&window, "Label22"), Qt::LeftButton);
        auto* slot = child<QLabel>(&window, "Label21");
        QCOMPARE(slot->toolTip(), QString("G1  Birch 3 at Ash 5"));
        QCOMPARE(child<QLabel>(&window, "Label22")->toolTip(), slot->toolTip());
        QCOMPARE(slot->accessibleDescription(), QString("Ash\nG1  Birch 3 at Ash 5"));
        // Keyboard users meet the same text when the slot takes the focus.
        slot->setFocus(Qt::TabFocusReason);
        QCOMPARE(QToolTip::text(), slot->toolTip());
        QVERIFY(action("UndoGame1")->isEnabled() && !action("RedoGame1")->isEnabled());

        action("GameLog1")->trigger();
        auto* log = window.findChild<QDialog*>("GameLogWindow");
        QVERIFY(log && log->isVisible());
        auto* text = child<QPlainTextEdit>(log, "GameLogText");
        QCOMPARE(text->accessibleName(), QString("Game log"));
        QVERIFY(QFontInfo(text->font()).fixedPitch());
        QVERIFY2(text->toPlainText().contains("Championship, game 1, played ") &&
                     text->toPlainText().contains("G1  Birch 3 at Ash 5\nFinal\n"),
                 qPrintable(text->toPlainText()));

        prompts.answers = {true};
        action("UndoGame1")->trigger();
        QCOMPARE(text->toPlainText(), QString("No game has been recorded for this playoff yet.\n"));
        QCOMPARE(slot->toolTip(),
                 QString("Once the teams are set up, click the team name to play a game in the series"));
        QVERIFY(!action("UndoGame1")->isEnabled() && action("RedoGame1")->isEnabled());
    }
};

RegisterWindowTest<GameLogWindowTest> registered;

} // namespace
} // namespace kivp::test

#include "GameLogWindowTest.moc"
