// The main window with a scripted simulator: its controls and menus, the bracket as it is painted and printed,
// the games beside each series and in the game log, and what a screen reader and a keyboard user learn from it.

#include "WindowTests.h"

#include "app/MainForm.h"
#include "support/RecordingPrompts.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"
#include "ui/BracketPrinter.h"
#include "ui/QtPrompts.h"
#include "ui/Sphome.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QToolTip>

namespace kivp::test {
namespace {

class MainWindowTest : public QObject {
    Q_OBJECT

    struct View : MainFormView {
        ui::TForm1* window = nullptr;
        QStringList requests;
        void showHelpContents() override { requests << "help"; }
        void showAbout() override { requests << "about"; }
        void showOptionsWindow() override { requests << "options"; }
        void closeMainWindow() override { requests << "close"; }
        void showGameLog() override { window->showGameLog(); }
    };

    // The window shown on a folder of two teams, "Ash" and "Birch".
    struct Fixture {
        TempDir dir;
        RecordingPrompts prompts;
        View view;
        ScriptedRunner runner;
        MainForm model{prompts, view, runner};
        std::unique_ptr<ui::TForm1> window;

        Fixture() {
            for (const char* team : {"Ash", "Birch"})
                dir.write(std::string(team) + ".dat", "*Demo team title line here....\r\n");
            model.FormCreate(dir.path());
            window = std::make_unique<ui::TForm1>(model, prompts);
            view.window = window.get();
            window->show();
            (void)QTest::qWaitForWindowExposed(window.get());
        }
        // Ash (upper) against Birch for the championship.
        void setUpTwoTeams() {
            model.PlayoffTypeBoxChange(2);
            model.choosePicker(3, 0);
            model.choosePicker(10, 1);
            model.Button2Click();
            window->refresh();
        }
        template <typename T = QWidget> T* get(const char* name) { return child<T>(window.get(), name); }
        QString text(const char* name) { return get<QLabel>(name)->text(); }
        bool shown(const char* name) { return get(name)->isVisible(); }
        QAction* action(const char* name) { return window->findChild<QAction*>(name); }
    };

private slots:
    void startsWithItsTitlePlaceholdersAndMenus() {
        Fixture f;
        QCOMPARE(f.window->windowTitle(), QString("KIV Playoff Mode[*]"));
        QVERIFY(!f.shown("UpdateOptionsLabel"));
        QStringList menus;
        for (QAction* action : f.window->menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, (QStringList{"&File", "&Edit", "&Setup", "&Play", "&Help"}));
        for (const char* name : {"SavePlayoffAs1", "UndoGame1", "RedoGame1", "GameLog1", "ExporttoHTML1"})
            QVERIFY2(f.action(name) && f.action(name)->isVisible(), name);
        QVERIFY(!f.action("LoadPicture1")->isEnabled());
        f.action("ShowPicture1")->trigger();
        QVERIFY(f.action("ShowPicture1")->isChecked() && f.action("LoadPicture1")->isEnabled());
    }

    // The standard keys, an access key on every menu item (one of each in a menu), and Tab through the top
    // bar and the set-up area as they read.
    void keyboardReachesEveryCommand() {
        Fixture f;
        const struct {
            const char* name;
            const char* caption;
            const char* keys;
        } rows[] = {{"SavePlayoff1", "&Save Playoff", "Ctrl+S"},
                    {"SavePlayoffAs1", "Save Playoff &As...", "Ctrl+Shift+S"},
                    {"LoadPlayoff1", "&Load Playoff", "Ctrl+O"},
                    {"Exit1", "E&xit", "Ctrl+Q"},
                    {"UndoGame1", "&Undo Game", "Ctrl+Z"},
                    {"RedoGame1", "&Redo Game", "Ctrl+Shift+Z"},
                    {"GameLog1", "Game &Log", "Ctrl+L"},
                    {"PlayNextGame1", "Play &Next Game", "Ctrl+G"},
                    {"PlayRestOfRound1", "Play Rest of &Round", "Ctrl+R"},
                    {"PlayToChampion1", "Play to &Champion", "Ctrl+Shift+R"},
                    {"Contents1", "&Contents\tF1", ""}}; // F1 works on its release, in the window
        for (const auto& row : rows) {
            QCOMPARE(f.action(row.name)->text(), QString(row.caption));
            QCOMPARE(f.action(row.name)->shortcut(), QKeySequence(row.keys));
        }
        QList<QMenu*> menus = f.window->findChildren<QMenu*>();
        for (const QMenu* menu : menus) {
            QSet<QChar> keys;
            for (const QAction* item : menu->actions()) {
                if (item->isSeparator() || !item->isVisible())
                    continue;
                const qsizetype at = item->text().indexOf('&');
                QVERIFY2(at >= 0 && item->text().count('&') == 1, qPrintable(item->text()));
                const QChar key = item->text().at(at + 1).toLower();
                QVERIFY2(!keys.contains(key), qPrintable(menu->objectName() + ": " + item->text()));
                keys << key;
            }
        }

        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(f.window.get(), Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(f.window.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(f.prompts.calls.size(), std::size_t(1));
        QCOMPARE(f.prompts.calls[0].kind, std::string("file"));
        QCOMPARE(f.view.requests, (QStringList{"close"}));

        f.action("Teams1")->trigger();
        const QStringList reading = {"PlayoffTypeBox", "PlayoffFormatBox", "SpeedButton1", "ComboBox3",
                                     "ComboBox4",      "ComboBox5",        "ComboBox6",    "ComboBox10",
                                     "ComboBox11",     "ComboBox12",       "ComboBox13",   "Button2",
                                     "Button8"};
        QCOMPARE(tabOrder(f.get("PlayoffTypeBox"),
                          [&](QWidget* stop) { return reading.contains(stop->objectName()); }),
                 reading);
    }

    // Resized, moved and closed, the window opens there again next time; maximised, it opens maximised.
    void theWindowOpensWhereItWasClosed() {
        Fixture f;
        for (bool maximised : {false, true}) {
            f.window->setGeometry(QRect(QPoint(14, 30), f.window->minimumSize() + QSize(12, 20)));
            if (maximised)
                f.window->showMaximized();
            const QRect normal = f.window->normalGeometry();
            f.window->close();
            MainForm next{f.prompts, f.view, f.runner};
            next.FormCreate(f.dir.path());
            ui::TForm1 again(next, f.prompts);
            again.show();
            QVERIFY(QTest::qWaitForWindowExposed(&again));
            QCOMPARE(again.isMaximized(), maximised);
            QCOMPARE(again.normalGeometry(), normal);
        }
    }

    void playoffTypeChangeRedrawsTheLayoutAndF1OpensHelp() {
        Fixture f;
        auto* type = f.get<QComboBox>("PlayoffTypeBox");
        type->setCurrentIndex(2);
        emit type->activated(2);
        QVERIFY(!f.shown("Label9") && f.shown("Label21"));
        auto* format = f.get<QComboBox>("PlayoffFormatBox");
        QCOMPARE(format->currentText(), QString("7"));
        QTest::keyClick(type, Qt::Key_F1);
        QTest::keyClick(format, Qt::Key_A);
        QCOMPARE(f.view.requests, (QStringList{"help"}));
    }

    void theLineFromTheChampionshipMeetsTheChampionsBoxAndPrintingTakesOnePage() {
        Fixture f;
        f.model.bracket().applyTeams(
            {"ASHVALE", "BRINDLE", "COPPERTN", "DUNMERE", "ELMSWRTH", "FAIRHOLW", "GLENROCK", "HOLLISFD"});
        f.window->refresh();
        const QRect box = f.get<QLabel>("Label34")->geometry();
        const QImage image = f.get("Image1")->grab().toImage();
        for (int y = box.top() - 10; y <= box.top(); ++y)
            QVERIFY2(qGray(image.pixel(box.center().x(), y)) < 160, qPrintable(QString("no line at y %1").arg(y)));

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(f.dir.file("bracket.pdf")));
        ui::BracketPrinter::print(printer, f.model);
        const std::string pdf = readBytes(f.dir.file("bracket.pdf"));
        QVERIFY(pdf.starts_with("%PDF") && pdf.find("/Count 1") != std::string::npos);
    }

    void gamesShowBesideTheirSeriesAndInTheGameLogAndUndoTakesThemOutOfBoth() {
        Fixture f;
        f.setUpTwoTeams();
        QVERIFY(!f.action("UndoGame1")->isEnabled());

        f.runner.thenScore(3, 5);
        QTest::mouseClick(f.get("Label22"), Qt::LeftButton);
        auto* slot = f.get<QLabel>("Label21");
        QCOMPARE(slot->toolTip(), QString("G1  Birch 3 at Ash 5"));
        QCOMPARE(f.get("Label22")->toolTip(), slot->toolTip());
        QCOMPARE(slot->accessibleDescription(), QString("Ash\nG1  Birch 3 at Ash 5"));
        slot->setFocus(Qt::TabFocusReason); // keyboard users meet the same text
        QCOMPARE(QToolTip::text(), slot->toolTip());

        f.action("GameLog1")->trigger();
        auto* log = f.window->findChild<QDialog*>("GameLogWindow");
        QVERIFY(log && log->isVisible());
        auto* text = child<QPlainTextEdit>(log, "GameLogText");
        QCOMPARE(text->accessibleName(), QString("Game log"));
        QVERIFY(QFontInfo(text->font()).fixedPitch());
        QVERIFY2(text->toPlainText().contains("Championship, game 1, played ") &&
                     text->toPlainText().contains("G1  Birch 3 at Ash 5\nFinal\n"),
                 qPrintable(text->toPlainText()));

        f.prompts.answers = {true};
        f.action("UndoGame1")->trigger();
        QCOMPARE(text->toPlainText(), QString("No game has been recorded for this playoff yet.\n"));
        QCOMPARE(slot->toolTip(),
                 QString("Once the teams are set up, click the team name to play a game in the series"));
    }

    void aLongStatusLineIsShownWholeAndTheTitleNamesThePlayoffsFileMarkedWhileGamesAreUnsaved() {
        Fixture f;
        for (const char* team : {"FAIRHOLW", "MARROWDL"}) // names as long as they come
            f.dir.write(std::string(team) + ".dat", "*Demo team title line here....\r\n");
        f.model.listTeamsIntoPickers();
        f.model.PlayoffTypeBoxChange(2);
        f.model.choosePicker(3, 3);
        f.model.choosePicker(10, 2);
        f.model.Button2Click();
        for (int game = 0; game < 4; ++game)
            f.runner.thenScore(3, 5);
        f.window->resize(f.window->minimumSizeHint().width(), f.window->height()); // as narrow as it goes
        f.action("PlayToChampion1")->trigger();
        auto* status = f.get<QLabel>("StatusLine");
        const QFontMetrics metrics(status->font());
        QVERIFY2(metrics.horizontalAdvance(status->text()) > status->width(), qPrintable(status->text()));
        const QRect needed =
            metrics.boundingRect(QRect(0, 0, status->width(), 1000), Qt::TextWordWrap, status->text());
        QVERIFY2(needed.height() <= status->contentsRect().height(),
                 qPrintable(QString::number(needed.height())));
        QVERIFY(f.window->isWindowModified());

        f.prompts.files = {f.dir.file("t1.kvp")};
        f.action("SavePlayoffAs1")->trigger();
        QCOMPARE(f.window->windowTitle(), QString("KIV Playoff Mode - t1.kvp[*]"));
        QVERIFY(!f.window->isWindowModified());
    }

    // Who hosts a series is asked with the two teams as buttons, the first pressed by Enter, either reached
    // from the keyboard; Escape answers neither, on that question and on the Yes/No question of a resume.
    void questionsAreAnsweredFromTheKeyboardAndEscapeAnswersNeither() {
        ui::QtPrompts prompts;
        const auto choose = [&](std::function<void(QWidget*)> keys) {
            WhenShown press("ChoiceBox", std::move(keys));
            return prompts.askChoice(Message{"Who hosts it?"}, {"ASHVALE", "R&D"}, 0);
        };
        const auto press = [](Qt::Key key) { return [key](QWidget* box) { QTest::keyClick(box, key); }; };
        QCOMPARE(choose(press(Qt::Key_Return)), std::optional<std::size_t>(0));
        QCOMPARE(choose([](QWidget* box) {
                     auto* second = child<QPushButton>(box, "Choice1");
                     QCOMPARE(second->text(), QString("R&&D")); // the name's own "&", not an access key
                     QTest::keyClick(second, Qt::Key_Space);
                 }),
                 std::optional<std::size_t>(1));
        QCOMPARE(choose(press(Qt::Key_Escape)), std::optional<std::size_t>());
        WhenShown escape("QuestionBox", press(Qt::Key_Escape));
        QCOMPARE(prompts.askYesNo(Message{"Resume it?"}), std::optional<bool>());
    }

    void slotsTellTheirTeamAndKeyboardFocusIsMarkedUnlikeTheChampion() {
        Fixture f;
        f.setUpTwoTeams();
        auto* slot = f.get<ui::SlotLabel>("Label21");
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(slot);
        QCOMPARE(reader->text(QAccessible::Name), slot->accessibleName() + ": Ash");
        QCOMPARE(reader->text(QAccessible::Value), QString("Ash"));
        QAccessibleTextInterface* text = reader->textInterface();
        QVERIFY(text);
        QCOMPARE(text->text(0, text->characterCount()), QString("Ash"));
        // Pressed through its action, the slot plays the game as a click does.
        f.runner.thenScore(3, 5);
        reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(f.model.bracket().winCount(13), "1");

        QTest::mouseClick(slot, Qt::LeftButton);
        QVERIFY(slot->hasFocus() && !slot->showsKeyboardFocus()); // a click shows no focus mark
        f.get("PlayoffTypeBox")->setFocus(Qt::TabFocusReason);
        const QImage unmarked = slot->grab().toImage();
        slot->setFocus(Qt::TabFocusReason);
        QVERIFY(slot->showsKeyboardFocus());
        QVERIFY(slot->grab().toImage() != unmarked);
        QVERIFY(slot->frameStyle() != f.get<QLabel>("Label34")->frameStyle());
    }
};

RegisterWindowTest<MainWindowTest> registered;

} // namespace
} // namespace kivp::test

#include "MainWindowTest.moc"
