// The options window and the About box as a user with their own font, screen scale and colours sees them:
// every caption whole, nothing lying on anything else, texts and the edges of check boxes and fields standing
// out in light, dark and high-contrast palettes. The scaled runs are the same program started with
// QT_SCALE_FACTOR, which Qt reads once at start.

#include "LayoutCheck.h"
#include "WindowTests.h"

#include "options/OptionsForm.h"
#include "support/OptionsFixtures.h"
#include "support/RecordingPrompts.h"
#include "support/TempDir.h"
#include "ui/Spabout.h"
#include "ui/Spoptions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

namespace kivp::test {
namespace {

// Both windows at the application's font, the options window showing a series' pitchers and lineups with its
// version hint up: the most it ever shows at once.
struct Windows {
    TempDir dir;
    RecordingPrompts prompts;
    FakeOptionsHost host;
    OptionsForm model{host, prompts};
    ui::TForm7 options{model, prompts};
    ui::TForm2 about{prompts, [](const QUrl&) { return true; }};

    Windows() {
        host.program = host.teams = dir.path();
        dir.write("Harbor.dat", teamFileWithPitchers({{"Maximilian Oakes", "33"}, {"Al Wu", " 9"}}));
        dir.write("Lakeside.dat", teamFileWithPitchers({{"Bartholomew Quill", "31"}}));
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
    }

    // Each page of the options window in turn, then the About box.
    void forEachView(const std::function<void(QWidget*, const QString&)>& check) {
        auto* pages = options.findChild<QTabWidget*>("PageControl1");
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            settleLayouts();
            check(&options, pages->tabText(page));
        }
        check(&about, "About");
    }
};

// A palette of one window colour, one colour for fields and cells, and one for every text.
QPalette paletteOf(const QColor& window, const QColor& base, const QColor& text, const QColor& highlight) {
    QPalette palette(text, window, window.lighter(130), window.darker(150), window.darker(120), text, text,
                     base, window);
    palette.setColor(QPalette::AlternateBase, base.lighter(120));
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::Link, highlight);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(127, 127, 127));
    return palette;
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
        // As the window opens, and made as small as its layout lets it be.
        for (bool smallest : {false, true}) {
            if (smallest) {
                w.options.resize(w.options.minimumSize());
                QCoreApplication::processEvents();
                settleLayouts();
                QCOMPARE(w.options.size(), w.options.minimumSize());
            }
            QStringList faults;
            w.forEachView([&](QWidget* window, const QString& view) {
                for (const QString& fault : cutCaptions(window) + overlaps(window))
                    faults << view + ": " + fault;
            });
            QVERIFY2(faults.isEmpty(), qPrintable(listed(faults)));
        }
        // On a full-HD screen at this scale the whole window fits, up to the user's 10 points.
        const QSize device = (w.options.minimumSize() + QSize(0, 40)) * w.options.devicePixelRatioF();
        if (points <= 10)
            QVERIFY2(device.width() <= 1920 && device.height() <= 1080,
                     qPrintable(QString("%1x%2").arg(device.width()).arg(device.height())));
    }

    void textsAndControlEdgesStandOutInEveryPalette_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::addRow("light") << QApplication::style()->standardPalette();
        QTest::addRow("dark") << paletteOf(QColor(53, 53, 53), QColor(35, 35, 35), QColor(230, 230, 230),
                                           QColor(42, 130, 218));
        QTest::addRow("high contrast") << paletteOf(Qt::black, Qt::black, Qt::white, Qt::yellow);
    }

    void textsAndControlEdgesStandOutInEveryPalette() {
        QFETCH(QPalette, palette);
        Windows w;
        w.options.setPalette(palette);
        w.about.setPalette(palette);
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
