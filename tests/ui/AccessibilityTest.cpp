// What assistive technology learns from the windows: every drop-down keeps the name of its role and gives its
// choice as its value and its text and its items as its children, closed as it is most of the time; Undo Game
// and Redo Game read as unusable while a game runs, in a single game and in a run.

#include "WindowTests.h"

#include "app/MainForm.h"
#include "options/OptionsForm.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/ScopedEnvironment.h"
#include "ui/QtSimulatorRunner.h"
#include "ui/RunProgressDialog.h"
#include "ui/Sphome.h"
#include "ui/Spoptions.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kivp::test {
namespace {

class AccessibilityTest : public QObject {
    Q_OBJECT

    // ASHVALE against MARROWDL of the demo league on the main window, played with the real runner, and the
    // options window beside it.
    struct Program {
        DemoInstallation demo{"teams"};
        ui::QtSimulatorRunner runner;
        PlayoffPlayer user{demo.programFolder(), runner};
        MainForm& model = user.form();
        std::unique_ptr<ui::TForm1> window;
        std::unique_ptr<ui::RunProgressDialog> progress;
        std::unique_ptr<ui::TForm7> options;

        Program() {
            user.start(demo.teamFolder());
            window = std::make_unique<ui::TForm1>(model, user.prompts());
            runner.setOwner(window.get());
            progress = std::make_unique<ui::RunProgressDialog>(
                runner, [this] { window->refresh(); }, window.get());
            model.setRunProgress(progress.get());
            options = std::make_unique<ui::TForm7>(model.options(), user.prompts(), window.get());
            window->show();
            user.setUp(2, 3, {"ASHVALE", "", "", "", "MARROWDL", "", "", ""});
            window->refresh();
        }
        QAction* action(const char* name) { return window->findChild<QAction*>(name); }
    };

    // Whether the Edit menu tells assistive technology that the item of this caption can be used.
    static bool readsAsEnabled(ui::TForm1& window, const QString& caption) {
        QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(window.findChild<QMenu*>("Edit1"));
        for (int i = 0; i < edit->childCount(); ++i) {
            if (edit->child(i)->text(QAccessible::Name) == caption)
                return !edit->child(i)->state().disabled;
        }
        qWarning("no menu item %s", qPrintable(caption));
        return false;
    }

private slots:
    void everyDropDownKeepsItsRoleNameAndGivesItsChoiceAndItsItems() {
        Program p;
        p.user.setUp(
            0, 0,
            {"ASHVALE", "BRINDLE", "COPPERTN", "DUNMERE", "ELMSWRTH", "FAIRHOLW", "GLENROCK", "HOLLISFD"});
        p.window->refresh();
        p.model.options().openWithSeries({seriesEntryText("ASHVALE", "MARROWDL")});
        p.model.options().chooseSeries(0);
        p.options->refresh();
        const std::pair<QWidget*, const char*> boxes[] = {
            {p.window.get(), "PlayoffTypeBox"}, {p.window.get(), "PlayoffFormatBox"},
            {p.window.get(), "ComboBox3"},      {p.window.get(), "ComboBox4"},
            {p.window.get(), "ComboBox5"},      {p.window.get(), "ComboBox6"},
            {p.window.get(), "ComboBox10"},     {p.window.get(), "ComboBox11"},
            {p.window.get(), "ComboBox12"},     {p.window.get(), "ComboBox13"},
            {p.options.get(), "ComboBox1"}};
        for (const auto& [window, name] : boxes) {
            auto* box = child<QComboBox>(window, name);
            QVERIFY2(box->count() > 0 && !box->currentText().isEmpty(), name);
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(box);
            QCOMPARE(reader->role(), QAccessible::ComboBox);
            QVERIFY2(!box->accessibleName().isEmpty(), name);
            QCOMPARE(reader->text(QAccessible::Name), box->accessibleName());
            QCOMPARE(reader->text(QAccessible::Value), box->currentText());
            QAccessibleTextInterface* text = reader->textInterface();
            QVERIFY2(text, name);
            QCOMPARE(text->text(0, text->characterCount()), box->currentText());

            QCOMPARE(reader->childCount(), 1);
            QAccessibleInterface* items = reader->child(0);
            QCOMPARE(reader->indexOfChild(items), 0);
            QStringList told, shown;
            for (int i = 0; i < items->childCount(); ++i)
                told << items->child(i)->text(QAccessible::Name);
            for (int i = 0; i < box->count(); ++i)
                shown << box->itemText(i);
            QCOMPARE(told, shown);
        }
    }

    void undoAndRedoReadAsUnusableWhileAGameRuns() {
        Program p;
        // Two games played and the second undone: a game to undo and one to redo.
        for (int game = 0; game < 2; ++game)
            QTest::mouseClick(child<QLabel>(p.window.get(), "Label21"), Qt::LeftButton);
        p.user.prompts().answers = {true};
        p.action("UndoGame1")->trigger();
        QVERIFY(readsAsEnabled(*p.window, "Undo Game") && readsAsEnabled(*p.window, "Redo Game"));
        ScopedEnvironment hang("KIVSIM_FAIL", "hang");
        const std::pair<const char*, std::function<void()>> starts[] = {
            {"a game", [&] { QTest::mouseClick(child<QLabel>(p.window.get(), "Label21"), Qt::LeftButton); }},
            {"a run", [&] { p.action("PlayToChampion1")->trigger(); }}};
        for (const auto& [what, start] : starts) {
            // Once the window of the game says it is being played, the user looks at the Edit menu, then
            // stops the simulator.
            bool looked = false, undoUsable = true, redoUsable = true;
            QTimer watch;
            connect(&watch, &QTimer::timeout, [&] {
                QWidget* dialog = QApplication::activeModalWidget();
                const auto labels = dialog ? dialog->findChildren<QLabel*>() : QList<QLabel*>();
                if (std::none_of(labels.begin(), labels.end(), [](QLabel* label) {
                        return label->text().startsWith("The simulator is playing the game.");
                    }))
                    return;
                watch.stop();
                looked = true;
                undoUsable = readsAsEnabled(*p.window, "Undo Game");
                redoUsable = readsAsEnabled(*p.window, "Redo Game");
                QTest::mouseClick(child<QPushButton>(dialog, "StopSimulatorButton"), Qt::LeftButton);
            });
            watch.start(20);
            start();
            QVERIFY2(looked && !undoUsable && !redoUsable, what);
            QVERIFY2(readsAsEnabled(*p.window, "Undo Game") && readsAsEnabled(*p.window, "Redo Game"), what);
        }
    }
};

RegisterWindowTest<AccessibilityTest> registered;

} // namespace
} // namespace kivp::test

#include "AccessibilityTest.moc"
