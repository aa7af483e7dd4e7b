#include "WindowTests.h"

#include "app/MainForm.h"
#include "support/RecordingPrompts.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"
#include "ui/Sphome.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace kivp::test {
namespace {

struct RecordingView : MainFormView {
    QStringList requests;
    void showHelpContents() override { requests << "help"; }
    void showAbout() override { requests << "about"; }
    void showOptionsWindow() override { requests << "options"; }
    void closeMainWindow() override { requests << "close"; }
};

class MainWindowTest : public QObject {
    Q_OBJECT

    struct Fixture {
        TempDir dir;
        RecordingPrompts prompts;
        RecordingView view;
        ScriptedRunner runner;
        MainForm model{prompts, view, runner};
        std::unique_ptr<ui::TForm1> window;

        Fixture() {
            model.FormCreate(dir.path());
            window = std::make_unique<ui::TForm1>(model, prompts);
            window->show();
        }
        QString text(const char* name) { return child<QLabel>(window.get(), name)->text(); }
        bool shown(const char* name) { return child(window.get(), name)->isVisible(); }
    };

private slots:
    void everyNamedControlExistsAndTheBracketStartsWithItsPlaceholders() {
        Fixture f;
        QStringList names = {"PlayoffTypeBox", "PlayoffFormatBox", "UpdateOptionsLabel",
                             "Image1",         "SpeedButton1",     "Button2",
                             "Button8"};
        for (int n = 1; n <= 47; ++n)
            names << QString("Label%1").arg(n);
        for (int n = 2; n <= 15; ++n)
            names << QString("SpeedButton%1").arg(n);
        for (int n : {3, 4, 5, 6, 10, 11, 12, 13})
            names << QString("ComboBox%1").arg(n);
        for (const QString& name : names)
            QVERIFY2(f.window->findChild<QWidget*>(name), qPrintable(name));
        QCOMPARE(f.window->windowTitle(), QString("KIV Playoff Mode"));
        QCOMPARE(f.text("Label17"), QString(" Winner T1/T4"));
        QVERIFY(!f.shown("UpdateOptionsLabel") && f.shown("SpeedButton2") && !f.shown("SpeedButton10"));
        QCOMPARE(child<QComboBox>(f.window.get(), "PlayoffFormatBox")->currentText(), QString("5-7-7"));
    }

    void menuHasItsCaptionsAndShowsTheDecidedItems() {
        Fixture f;
        QStringList menus;
        for (QAction* action : f.window->menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, (QStringList{"&File", "&Edit", "&Setup", "&Play", "&Help"}));

        auto item = [&](const char* name) { return f.window->findChild<QAction*>(name); };
        for (const char* name : {"SavePlayoffAs1", "UndoGame1", "RedoGame1", "GameLog1", "ExporttoHTML1"})
            QVERIFY2(item(name) && item(name)->isVisible(), name);
        for (const char* play : {"PlayNextGame1", "PlayRestOfRound1", "PlayToChampion1", "HomePattern1"})
            QVERIFY2(item(play) || f.window->findChild<QMenu*>(play), play);
        for (const char* hidden : {"N4", "UseKIVv361", "UseKIVv401"})
            QVERIFY2(item(hidden) && !item(hidden)->isVisible(), hidden);
        QVERIFY(!item("LoadPicture1")->isEnabled());
        item("ShowPicture1")->trigger();
        QVERIFY(item("ShowPicture1")->isChecked());
        QVERIFY(item("LoadPicture1")->isEnabled());
    }

    void playoffTypeChangeRedrawsTheLayout() {
        Fixture f;
        auto* type = child<QComboBox>(f.window.get(), "PlayoffTypeBox");
        type->setCurrentIndex(2);
        emit type->activated(2);
        QVERIFY(!f.shown("Label9"));
        QVERIFY(f.shown("Label21"));
        QVERIFY(f.shown("SpeedButton14"));
        auto* format = child<QComboBox>(f.window.get(), "PlayoffFormatBox");
        QCOMPARE(format->count(), 4);
        QCOMPARE(format->currentText(), QString("7"));
    }

    void f1InTheTopDropDownsOpensHelp() {
        Fixture f;
        QTest::keyClick(child(f.window.get(), "PlayoffTypeBox"), Qt::Key_F1);
        QTest::keyClick(child(f.window.get(), "PlayoffFormatBox"), Qt::Key_A);
        QCOMPARE(f.view.requests, (QStringList{"help"}));
    }
};

RegisterWindowTest<MainWindowTest> registered;

} // namespace
} // namespace kivp::test

#include "MainWindowTest.moc"
