#include "WindowTests.h"

#include "options/OptionsForm.h"
#include "support/OptionsFixtures.h"
#include "support/RecordingPrompts.h"
#include "support/TempDir.h"
#include "ui/Spoptions.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace kivp::test {
namespace {

struct Fixture {
    TempDir dir;
    RecordingPrompts prompts;
    FakeOptionsHost host;
    OptionsForm model{host, prompts};
    std::unique_ptr<ui::TForm7> window;

    // The main window's Options command: the series list filled, then the window shown.
    explicit Fixture(const std::string& settings = {}, const std::vector<std::string>& series = {},
                     QWidget* owner = nullptr) {
        host.program = dir.path();
        host.teams = dir.path();
        if (!settings.empty())
            dir.write("kivp.ini", settings);
        window = std::make_unique<ui::TForm7>(model, prompts, owner);
        model.openWithSeries(series);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    template <typename T = QWidget> T* get(const char* name) { return child<T>(window.get(), name); }
    // On a check box or radio button the click lands on its indicator.
    void click(const char* name) {
        auto* button = get<QAbstractButton>(name);
        const QPoint at =
            qobject_cast<QPushButton*>(button) ? button->rect().center() : QPoint(8, button->height() / 2);
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
    }
    bool checked(const char* name) { return get<QAbstractButton>(name)->isChecked(); }
    bool enabled(const char* name) { return get(name)->isEnabled(); }
    void showPage(int index) { get<QTabWidget>("PageControl1")->setCurrentIndex(index); }
    void type(const char* name, const char* keys) { QTest::keyClicks(get(name), keys); }
    bool settingsWritten() { return exists(dir.file("kivp.ini")); }
};

class OptionsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlHasAnAccessibleNameAndTheDelayReportsItsValue() {
        Fixture f;
        for (QWidget* widget : f.window->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                                 qobject_cast<QComboBox*>(widget) ||
                                 qobject_cast<QAbstractItemView*>(widget) ||
                                 qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QTabWidget*>(widget);
            if (control && !widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_"))
                QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        }
        f.model.setChecked(CheckBoxId::CheckBox13, true);
        f.model.setCSpinEdit5Value(7);
        f.window->refresh();
        QAccessibleValueInterface* value =
            QAccessible::queryAccessibleInterface(f.get("CSpinEdit5"))->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue().toInt(), 7);
        QCOMPARE(value->maximumValue().toInt(), 9);
    }

    void windowShowsItsCaptionsAndHidesWhatIsNeverShown() {
        Fixture f;
        QCOMPARE(f.window->windowTitle(), QString("Options to Run KIV"));
        QVERIFY(f.window->maximumSize().width() > f.window->minimumSize().width()); // the user can resize it
        auto* tabs = f.get<QTabWidget>("PageControl1");
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i)
            captions << tabs->tabText(i);
        QCOMPARE(captions,
                 (QStringList{"Team Options", "Select Pitchers", "Misc Options", "Stat File Options"}));

        QCOMPARE(f.get<QLabel>("Label32")->text(),
                 QString("(Name                        H     AB        BA    RBI  HR)"));
        QVERIFY(QFontInfo(f.get("ListBox1")->font()).fixedPitch());
        for (const char* hidden : {"CheckBox3", "CheckBox26", "CheckBox8", "CheckBox9", "Button4", "Button5",
                                   "Button7", "Button8", "ListBox3", "Memo1", "Label5"})
            QVERIFY2(f.get(hidden)->isHidden(), hidden);

        QCOMPARE(f.get<QTreeWidget>("ListView1")->headerItem()->text(4), QString("SO"));
    }

    void eachShowingLoadsTheOptionsOnTheFirstTabCentredOverTheMainWindow() {
        QWidget owner;
        // In the middle of the smallest test screen (800 by 600), so the window centred on it stays on it.
        owner.setGeometry(90, 75, 620, 450);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        Fixture f(crlf({"[Options]", "Clear All After Run=0", "Save All Options=1", "KIV Version=45",
                        "[Team Options]", "Use Delay Factor=1", "Delay Factor=12"}),
                  {}, &owner);
        f.showPage(2);
        f.window->hide();
        f.window->show();
        QCOMPARE(f.get<QTabWidget>("PageControl1")->currentIndex(), 0);
        QVERIFY(f.checked("CheckBox21") && f.checked("RadioButton3"));
        QCOMPARE(f.get<QAbstractSpinBox>("CSpinEdit5")->text(), QString("9"));
        QVERIFY(f.window->isModal());
        // Centred over its owner (where no window manager tells the frame, Qt allows for a guessed one).
        QVERIFY(qAbs(f.window->geometry().center().x() - owner.geometry().center().x()) <= 12);
        QVERIFY(f.window->geometry().contains(owner.geometry().center()));
    }

    void delayAndNormalizationFollowTheirBoxesCaptionsAndTyping() {
        Fixture f;
        f.showPage(2);
        QVERIFY(!f.enabled("CSpinEdit5") && !f.enabled("WatchGameCheck") && f.enabled("Edit2"));
        QTest::mouseClick(f.get("DelayLabel"), Qt::LeftButton); // the caption "Delay" works its box
        QVERIFY(f.checked("CheckBox13"));
        QVERIFY(f.enabled("CSpinEdit5") && f.enabled("WatchGameCheck"));
        f.click("WatchGameCheck");
        f.click("CheckBox13");
        QVERIFY(!f.enabled("WatchGameCheck") && f.checked("WatchGameCheck"));
        f.click("CheckBox39");
        f.type("Edit2", "1.0525");
        QCOMPARE(f.get<QLineEdit>("Edit2")->text(), QString("1.052"));

        // The delay keeps what is typed until the field is left.
        f.click("CheckBox13");
        auto* delay = f.get<QAbstractSpinBox>("CSpinEdit5");
        delay->setFocus();
        delay->selectAll();
        QTest::keyClicks(delay, "12");
        QCOMPARE(f.model.cSpinEdit5().text, "12");
        f.get("Edit2")->setFocus();
        QCOMPARE(delay->text(), QString("9"));
        QTest::keyClick(delay, Qt::Key_Up);
        QCOMPARE(delay->text(), QString("9"));
        QTest::keyClick(delay, Qt::Key_Down);
        QCOMPARE(delay->text(), QString("8"));

        // An emptied delay stops OK with the error, shown once, and the window stays open.
        delay->selectAll();
        QTest::keyClick(delay, Qt::Key_Backspace);
        f.click("Button1");
        QCOMPARE(f.prompts.messages(), (std::vector<std::string>{"'' is not a valid integer value"}));
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.host.warningsLowered, 0);
    }

    void versionBoxFollowsTheChoiceAndShowsItsHintWhileFocused() {
        Fixture f;
        auto* box = f.get<QLineEdit>("KIVVersionBox");
        QVERIFY(!box->isEnabled());
        f.click("RadioButton5");
        QVERIFY(box->isEnabled());
        QVERIFY(!f.get("Label5")->isVisible());
        box->setFocus();
        QVERIFY(f.get("Label5")->isVisible());
        QTest::keyClicks(box, "mykivprogram");
        QCOMPARE(f.model.executableName(), "mykivpro");
        f.get("CheckBox40")->setFocus();
        QVERIFY(!f.get("Label5")->isVisible());
        f.click("RadioButton4");
        QVERIFY(!box->isEnabled());
        QCOMPARE(box->text(), QString("mykivpro"));
    }

    void typedTextIsLimitedButALongerStoredNameIsKept() {
        Fixture f(crlf({"[More Options]", "Use Stats File=1", "Stats File=LONGLEAGUE1"}));
        f.showPage(3);
        auto* name = f.get<QLineEdit>("Edit3");
        QCOMPARE(name->text(), QString("LONGLEAGUE1"));
        name->setFocus();
        name->end(false);
        QTest::keyClick(name, Qt::Key_X);
        QCOMPARE(name->text(), QString("LONGLEAGUE1"));
        QTest::keyClick(name, Qt::Key_Backspace);
        QTest::keyClick(name, Qt::Key_Y);
        QCOMPARE(name->text(), QString("LONGLEAGUE"));
        QCOMPARE(f.model.runOptions().statsFile, "LONGLEAGUE");
    }

    void okWritesAndClosesWhileCancelEscapeAndTheCloseBoxCloseWithoutWriting() {
        Fixture f;
        f.click("CheckBox21");
        f.click("Button2");
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.window->result(), int(QDialog::Rejected));
        QVERIFY(f.checked("CheckBox21")); // kept until the next showing loads the options again

        f.window->show();
        QVERIFY(f.checked("CheckBox20"));
        QTest::keyClick(f.window.get(), Qt::Key_Escape);
        QVERIFY(!f.window->isVisible());
        f.window->show();
        f.window->close();
        QVERIFY(!f.window->isVisible());
        QVERIFY(f.model.closeRequested());
        QVERIFY(!f.settingsWritten());
        QCOMPARE(f.host.warningsLowered, 0);

        f.window->show();
        f.click("Button1");
        QCOMPARE(f.host.warningsLowered, 1);
        QVERIFY(!f.window->isVisible() && f.settingsWritten());
        QCOMPARE(f.window->result(), int(QDialog::Accepted));
    }

    void clearOnceConfirmedShowsTheResetOptions() {
        Fixture f;
        f.showPage(2);
        f.click("CheckBox4");
        f.prompts.answers.push_back(true);
        f.click("Button9");
        QVERIFY(!f.checked("CheckBox4") && f.checked("CheckBox13"));
        QCOMPARE(f.get<QAbstractSpinBox>("CSpinEdit5")->text(), QString("3"));
    }

    void choosingASeriesFillsThePitcherTablesAndQuickViews() {
        Fixture f({}, {seriesEntryText("Cubs", "Tigers")});
        f.dir.write("Cubs.dat", teamFileWithPitchers({{"Reliever", "  "}, {"Home Ace", "30"}}));
        f.dir.write("Tigers.dat", teamFileWithPitchers({{"Visiting Ace", "33"}, {"Second Man", " 9"}}));
        auto* series = f.get<QComboBox>("ComboBox1");
        series->setCurrentIndex(0);
        emit series->activated(0);

        auto* home = f.get<QTreeWidget>("ListView2");
        QCOMPARE(home->topLevelItemCount(), 1);
        QCOMPARE(home->topLevelItem(0)->text(0), QString("2"));
        QCOMPARE(home->topLevelItem(0)->text(1), QString("Home Ace"));
        QCOMPARE(home->topLevelItem(0)->text(3), QString("3.45"));
        QCOMPARE(f.get<QListWidget>("ListBox1")->count(), 9);
        QCOMPARE(f.get<QListWidget>("ListBox2")->item(0)->text().toStdString(),
                 f.model.listBox(ListBoxId::ListBox2).items[0]);

        f.showPage(1);
        auto* visitors = f.get<QTreeWidget>("ListView1");
        QCOMPARE(visitors->topLevelItemCount(), 2);
        QTest::mouseClick(visitors->viewport(), Qt::LeftButton, {},
                          visitors->visualItemRect(visitors->topLevelItem(1)).center());
        QCOMPARE(f.get<QLabel>("Label35")->text(), QString("Second Man"));
        QCOMPARE(f.model.visitingPitcher(), "2");
        QVERIFY(f.prompts.calls.empty());
    }
};

RegisterWindowTest<OptionsWindowTest> registered;

} // namespace
} // namespace kivp::test

#include "OptionsWindowTest.moc"
