// The main window (its team set-up area closed and open), the options window and the About box as a user with
// their own font, screen scale and colours sees them: every caption whole, nothing lying on anything else,
// texts and the edges of check boxes and fields standing out in light, dark and high-contrast palettes. The
// scaled runs are the same program started with QT_SCALE_FACTOR, which Qt reads once at start. The bracket
// itself is looked into by its own test.

#include "LayoutCheck.h"
#include "WindowTests.h"

#include "app/MainForm.h"
#include "options/OptionsForm.h"
#include "support/OptionsFixtures.h"
#include "support/RecordingPrompts.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"
#include "ui/Spabout.h"
#include "ui/Sphome.h"
#include "ui/Spoptions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

namespace kivp::test {
namespace {

struct NoWindows : MainFormView {
    void showHelpContents() override {}
    void showAbout() override {}
    void showOptionsWindow() override {}
    void closeMainWindow() override {}
};

// The windows at the application's font: the options window showing a series' pitchers and lineups with its
// version hint up, the most it ever shows at once, and the main window with eight teams set up and the
// home/away warning raised.
struct Windows {
    TempDir dir;
    RecordingPrompts prompts;
    FakeOptionsHost host;
    OptionsForm model{host, prompts};
    ui::TForm7 options{model, prompts};
    ui::TForm2 about{prompts, [](const QUrl&) { return true; }};
    NoWindows mainView;
    ScriptedRunner runner;
    MainForm mainModel{prompts, mainView, runner};
    std::unique_ptr<ui::TForm1> main;

    Windows() {
        host.program = host.teams = dir.path();
        dir.write("Harbor.dat", teamFileWithPitchers({{"Maximilian Oakes", "33"}, {"Al Wu", " 9"}}));
        dir.write("Lakeside.dat", teamFileWithPitchers({{"Bartholomew Quill", "31"}}));
        for (const char* team : {"ASHVALE", "BRINDLE", "COPPERTN", "DUNMERE", "ELMSWRTH", "FAIRHOLW"})
            dir.write(std::string(team) + ".dat", "*Demo team title line here....\r\n");
        model.openWithSeries({seriesEntryText("Harbor", "Lakeside")});
        options.show();
        options.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&options));
        emit options.findChild<QComboBox*>("ComboBox1")->activated(0);
        model.selectPitcherRow(ListViewId::ListView1, 0);
        model.selectPitcherRow(ListViewId::ListView2, 0);
        options.refresh();
        settleLayouts();
        QVERIFY(prompts.calls.empty());
        options.findChild<QRadioButton*>("RadioButton5")->click();
        options.findChild<QLineEdit*>("KIVVersionBox")->setFocus();
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));

        mainModel.FormCreate(dir.path());
        main = std::make_unique<ui::TForm1>(mainModel, prompts);
        main->show();
        QVERIFY(QTest::qWaitForWindowExposed(main.get()));
        for (std::size_t i = 0; i < 8; ++i)
            mainModel.choosePicker(kPickerNumbers[i], static_cast<int>(i));
        mainModel.Button2Click();
        mainModel.SpeedButton2Click(3);
    }

    // Each page of the options window in turn, the About box, then the main window with its set-up area
    // closed and open; each window at its least size if asked.
    void forEachView(const std::function<void(QWidget*, const QString&)>& check, bool smallest = false) {
        const auto settle = [smallest](QWidget* window) {
            QCoreApplication::processEvents();
            settleLayouts();
            if (smallest)
                window->resize(window->minimumSize());
            QCoreApplication::processEvents();
            settleLayouts();
        };
        auto* pages = options.findChild<QTabWidget*>("PageControl1");
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            settle(&options);
            check(&options, pages->tabText(page));
        }
        check(&about, "About");
        for (bool open : {false, true}) {
            open ? mainModel.Button1Click() : mainModel.Button8Click();
            main->refresh();
            settle(main.get());
            check(main.get(), open ? "Main window, set-up area" : "Main window");
        }
        // The set-up area of a sixteen-team field: eight pickers a half.
        mainModel.PlayoffTypeBoxChange(4);
        main->refresh();
        settle(main.get());
        check(main.get(), "Main window, set-up area of sixteen teams");
        mainModel.PlayoffTypeBoxChange(0);
        mainModel.Button8Click();
        main->refresh();
    }
};

// The faults found outside the bracket, which its own test looks into (it shortens a name too long for its
// place on purpose).
QStringList outsideTheBracket(const QStringList& faults, const QWidget* window) {
    QStringList inside;
    if (const auto* bracket = window->findChild<QWidget*>("Image1")) {
        for (const QWidget* widget : bracket->findChildren<QWidget*>())
            inside << widget->objectName();
    }
    QStringList outside;
    for (const QString& fault : faults) {
        const QString name = fault.section(QRegularExpression("[: ]"), 0, 0);
        if (!inside.contains(name))
            outside << fault;
    }
    return outside;
}

// Qt Test cuts a long failure message short: the faults go to the log one by one.
QString listed(const QStringList& faults) {
    for (const QString& fault : faults)
        qWarning("%s", qPrintable(fault));
    return QString("%1 faults, listed above").arg(faults.size());
}

class ReadableWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QApplication::setFont(QFont()); }

    void captionsFitAndNothingOverlapsAtEveryFont_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("points");
        for (const char* family : {"DejaVu Sans", "Liberation Sans"}) {
            for (int points : {9, 10, 12})
                QTest::addRow("%s %d pt", family, points) << QString(family) << points;
        }
    }

    void captionsFitAndNothingOverlapsAtEveryFont() {
        QFETCH(QString, family);
        QFETCH(int, points);
        const QFont font(family, points);
        QVERIFY2(QFontInfo(font).family() == family, qPrintable(family + " is not installed"));
        QApplication::setFont(font);
        Windows w;
        // As the windows open, and made as small as their layouts let them be. On a full-HD screen at this
        // scale the whole of each window fits, up to the user's 10 points.
        for (bool smallest : {false, true}) {
            QStringList faults;
            w.forEachView(
                [&](QWidget* window, const QString& view) {
                    if (smallest && window->size() != window->minimumSize())
                        faults << view + ": not at its least size";
                    // A sixteen-team bracket's own least size is more than that screen has at 200%.
                    const QSize device = (window->minimumSize() + QSize(0, 40)) * window->devicePixelRatioF();
                    if (points <= 10 && !view.contains("sixteen") &&
                        (device.width() > 1920 || device.height() > 1080))
                        faults << view + QString(": needs %1x%2").arg(device.width()).arg(device.height());
                    for (const QString& fault :
                         outsideTheBracket(cutCaptions(window) + overlaps(window), window))
                        faults << view + ": " + fault;
                },
                smallest);
            QVERIFY2(faults.isEmpty(), qPrintable(listed(faults)));
        }
    }

    void textsAndControlEdgesStandOutInEveryPalette_data() { addPaletteRows(); }

    void textsAndControlEdgesStandOutInEveryPalette() {
        QFETCH(QPalette, palette);
        Windows w;
        w.options.setPalette(palette);
        w.about.setPalette(palette);
        w.main->setPalette(palette);
        QStringList faults;
        w.forEachView([&](QWidget* window, const QString& view) {
            for (const QString& fault : lowContrast(window))
                faults << view + ": " + fault;
        });
        QVERIFY2(faults.isEmpty(), qPrintable(listed(faults)));
    }
};

RegisterWindowTest<ReadableWindowsTest> registered;

} // namespace
} // namespace kivp::test

#include "ReadableWindowsTest.moc"
