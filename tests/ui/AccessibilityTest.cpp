#include "TwoTeamWindow.h"
#include "WindowTests.h"

#include "options/OptionsForm.h"
#include "support/OptionsFixtures.h"
#include "support/RecordingPrompts.h"
#include "support/TempDir.h"
#include "ui/Spoptions.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QTest>

namespace kivp::test {
namespace {

// What a screen reader and a keyboard user learn from the bracket and the options window.
class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void slotsTellTheirTeamAndKeyboardFocusIsMarkedUnlikeTheChampion() {
        TwoTeamWindow f;
        ui::TForm1& window = *f.window;
        MainForm& model = f.model;
        ScriptedRunner& runner = f.runner;
        window.refresh();

        // The picker keeps the name of its role and reports the team chosen as its value.
        QAccessibleInterface* picker = QAccessible::queryAccessibleInterface(child<QComboBox>(&window, "ComboBox3"));
        QCOMPARE(picker->text(QAccessible::Name), QString("Team 1, left half"));
        QCOMPARE(picker->text(QAccessible::Value), QString("Ash"));

        auto* slot = child<ui::SlotLabel>(&window, "Label21");
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(slot);
        QCOMPARE(reader->text(QAccessible::Name), slot->accessibleName() + ": Ash");
        QCOMPARE(reader->text(QAccessible::Value), QString("Ash"));
        QAccessibleTextInterface* text = reader->textInterface();
        QVERIFY(text);
        QCOMPARE(text->text(0, text->characterCount()), QString("Ash"));
        // Pressed through its action, the slot plays the game as a click does.
        runner.thenScore(3, 5);
        reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(model.bracket().winCount(13), "1");

        auto* champion = child<QLabel>(&window, Bracket::slotControl(kChampionSlot).c_str());
        QTest::mouseClick(slot, Qt::LeftButton);
        QVERIFY(slot->hasFocus());
        QVERIFY(!slot->showsKeyboardFocus()); // a click shows no focus mark
        auto* elsewhere = child<QComboBox>(&window, "PlayoffTypeBox");
        elsewhere->setFocus(Qt::TabFocusReason);
        const QImage unmarked = slot->grab().toImage();
        slot->setFocus(Qt::TabFocusReason);
        QVERIFY(slot->showsKeyboardFocus());
        QVERIFY(slot->grab().toImage() != unmarked);
        QVERIFY(slot->frameStyle() != champion->frameStyle());
    }

    void delayFieldReportsItsValue() {
        TempDir dir;
        RecordingPrompts prompts;
        FakeOptionsHost host;
        host.program = dir.path();
        host.teams = dir.path();
        OptionsForm model{host, prompts};
        ui::TForm7 window(model, prompts);
        model.openWithSeries({});
        window.show();
        model.setChecked(CheckBoxId::CheckBox13, true);
        model.setCSpinEdit5Value(7);
        window.refresh();
        QAccessibleValueInterface* value =
            QAccessible::queryAccessibleInterface(child<QAbstractSpinBox>(&window, "CSpinEdit5"))->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue().toInt(), 7);
        QCOMPARE(value->maximumValue().toInt(), 9);
    }
};

RegisterWindowTest<AccessibilityTest> registered;

} // namespace
} // namespace kivp::test

#include "AccessibilityTest.moc"
