// The main window's bracket for every kind of tree: a widget for every slot, win count and home button under
// the bracket's own names, nothing lying on anything else and no team name cut at the least size and at the
// preferred one, slots named for where they are, the keyboard going team by team, and texts and home buttons
// standing out in light, dark and high-contrast palettes.

#include "LayoutCheck.h"
#include "WindowTests.h"

#include "app/MainForm.h"
#include "support/RecordingPrompts.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"
#include "ui/CustomBracketDialog.h"
#include "ui/Sphome.h"

#include <QDialog>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace kivp::test {
namespace {

const TeamPicks kTeams = {"ASHVALE",  "BRINDLE",  "COPPERTN", "DUNMERE", "ELMSWRTH", "FAIRHOLW",
                          "GLENROCK", "HOLLISFD", "IVYWICK",  "JUNIPER", "KESTLER",  "LORNEBRY",
                          "MARROWDL", "NOXBURY",  "WOODWARD", "MAWBRIDG"};

struct View : MainFormView {
    ui::TForm1* window = nullptr;
    void showHelpContents() override {}
    void showAbout() override {}
    void showOptionsWindow() override {}
    void closeMainWindow() override {}
    std::optional<CustomBracket> chooseCustomBracket(const CustomBracket& current) override {
        return ui::CustomBracketDialog::ask(current, window);
    }
};

// The main window with a playoff of a type set up with the teams above.
struct Window {
    TempDir dir;
    RecordingPrompts prompts;
    View view;
    ScriptedRunner runner;
    MainForm model{prompts, view, runner};
    std::unique_ptr<ui::TForm1> window;
    ui::BracketView* bracket = nullptr;

    explicit Window(int type) {
        model.FormCreate(dir.path());
        window = std::make_unique<ui::TForm1>(model, prompts);
        view.window = window.get();
        window->show();
        (void)QTest::qWaitForWindowExposed(window.get());
        // A custom field is asked for in its dialog, from the keyboard: ten teams in one half.
        WhenShown dialog("CustomBracketDialog", [](QWidget* asked) {
            QTest::keyClick(asked->focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(asked->focusWidget(), "10");
            QTest::keyClick(asked->focusWidget(), Qt::Key_Tab);
            QTest::keyClick(asked->focusWidget(), Qt::Key_Space);
            QTest::keyClick(asked->focusWidget(), Qt::Key_Return);
            if (asked->isVisible()) // keeps a failure from waiting on the dialog for ever
                static_cast<QDialog*>(asked)->reject();
        });
        model.PlayoffTypeBoxChange(type);
        model.bracket().applyTeams(kTeams);
        window->refresh();
        bracket = child<ui::BracketView>(window.get(), "Image1");
    }

    // The window resized so the bracket gets this size.
    void giveBracket(const QSize& size) {
        window->resize(window->size() + (size - bracket->size()));
        QCoreApplication::processEvents();
    }
};

class BracketViewTest : public QObject {
    Q_OBJECT

private slots:
    void everyTreeHasItsWidgetsWholeAndApartInReadingOrder_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("name");
        QTest::addRow("1995-") << 0 << 1 << "Round 1, left half, series 1, upper team";
        QTest::addRow("2012-2021") << 3 << 2 << "American League, wild-card round, lower team";
        QTest::addRow("2020") << 4 << 30 << "Championship, National League team";
        QTest::addRow("2022-") << 5 << 3 << "American League, wild-card round, series 2, upper team";
        QTest::addRow("custom, one half of 10") << kCustomType << 1 << "Round 1, series 1, upper team";
    }

    void everyTreeHasItsWidgetsWholeAndApartInReadingOrder() {
        QFETCH(int, type);
        QFETCH(int, slot);
        QFETCH(QString, name);
        Window w(type);
        const Bracket& bracket = w.model.bracket();
        QCOMPARE(child<QLabel>(w.window.get(), bracket.slotControl(slot).c_str())->accessibleName(), name);

        for (const bool least : {true, false}) {
            const QSize size = least ? w.bracket->minimumSizeHint() : w.bracket->sizeHint();
            w.giveBracket(size);
            const double scale = least ? w.bracket->leastScale() : w.bracket->preferredScale();
            // A screen too small for the size asked for (Wine's) leaves the bracket the room it has, and its
            // home buttons smaller.
            const bool given = w.bracket->size() == size;
            if (given)
                QVERIFY(std::abs(w.bracket->scale() - scale) < 0.01);
            QStringList faults = overlaps(w.bracket) + cutCaptions(w.bracket);
            QStringList expectedStops;
            for (int s = 1; s <= bracket.slotCount(); ++s) {
                auto* label = w.window->findChild<QLabel*>(QString::fromStdString(bracket.slotControl(s)));
                if (!label || label->isVisible() != bracket.slotShown(s) ||
                    label->text().toStdString() != bracket.slot(s))
                    faults << "slot " + QString::number(s);
                if (s == bracket.championSlot())
                    continue;
                auto* wins = w.window->findChild<QLabel*>(QString::fromStdString(bracket.winCountControl(s)));
                if (!wins || wins->text().toStdString() != bracket.winCount(s))
                    faults << "win count " + QString::number(s);
                const QString buttonName = QString("SpeedButton%1").arg(s + 1);
                auto* button = w.window->findChild<QToolButton*>(buttonName);
                const HomeButton& home = bracket.speedButton(s + 1);
                if (!button || button->isVisible() != home.shown || button->isChecked() != home.down)
                    faults << buttonName;
                else if (given && !least && home.shown && button->height() < 20)
                    faults << buttonName + " is smaller than 20 pixels";
                if (label && label->isVisible() && !bracket.slot(s).empty())
                    expectedStops << label->objectName();
                if (button && button->isVisible())
                    expectedStops << buttonName;
            }
            QCOMPARE(tabOrder(w.bracket, [&](QWidget* stop) { return stop->parentWidget() == w.bracket; }),
                     expectedStops);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
        }
        // Only the bracket's own widgets carry names: a smaller tree leaves none of a larger one's behind.
        int named = 0;
        for (QLabel* label : w.bracket->findChildren<QLabel*>())
            named += label->objectName().startsWith("TeamSlot") || label->objectName() == "ChampionSlot";
        QCOMPARE(named, bracket.typeInfo().classic ? 0 : bracket.slotCount());
    }

    void textsAndHomeButtonsStandOutInEveryPalette_data() { addPaletteRows(); }

    void textsAndHomeButtonsStandOutInEveryPalette() {
        QFETCH(QPalette, palette);
        Window w(5); // byes, and home buttons up and down
        w.window->setPalette(palette);
        w.giveBracket(w.bracket->sizeHint());
        QStringList faults = lowContrast(w.bracket);
        const Shot shot(w.bracket);
        for (auto* button : w.bracket->findChildren<QToolButton*>()) {
            if (!button->isVisible())
                continue;
            const QRect box = button->geometry();
            const QColor behind = shot.at(box.topLeft() - QPoint(2, 0));
            const QColor face = shot.at(box.topLeft() + QPoint(3, box.height() / 2));
            const double edge =
                shot.strongestContrast(QRect(box.left(), box.top() + 4, 2, box.height() - 8), behind);
            const double letter = shot.strongestContrast(box.adjusted(5, 5, -5, -5), face);
            if (edge < 3 || letter < 4.5)
                faults << QString("%1: edge %2, letter %3").arg(button->objectName()).arg(edge).arg(letter);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }
};

RegisterWindowTest<BracketViewTest> registered;

} // namespace
} // namespace kivp::test

#include "BracketViewTest.moc"
