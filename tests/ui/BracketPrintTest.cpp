// The bracket as the main window paints it and as it goes to paper.

#include "WindowTests.h"

#include "app/MainForm.h"
#include "support/RecordingPrompts.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"
#include "ui/BracketPrinter.h"
#include "ui/Sphome.h"

#include <QLabel>
#include <QPrinter>
#include <QTest>

namespace kivp::test {
namespace {

struct NoView : MainFormView {
    void showHelpContents() override {}
    void showAbout() override {}
    void showOptionsWindow() override {}
    void closeMainWindow() override {}
};

class BracketPrintTest : public QObject {
    Q_OBJECT

    struct Fixture {
        TempDir dir;
        RecordingPrompts prompts;
        NoView view;
        ScriptedRunner runner;
        MainForm model{prompts, view, runner};
        std::unique_ptr<ui::TForm1> window;

        Fixture() {
            model.FormCreate(dir.path());
            window = std::make_unique<ui::TForm1>(model, prompts);
            window->show();
            model.bracket().applyTeams({"ASHVALE", "BRINDLE", "COPPERTN", "DUNMERE", "ELMSWRTH", "FAIRHOLW",
                                        "GLENROCK", "HOLLISFD"});
            window->refresh();
        }
    };

private slots:
    void theLineFromTheChampionshipMeetsTheChampionsBox() {
        Fixture f;
        QWidget* bracket = child(f.window.get(), "Image1");
        const QRect box = child<QLabel>(f.window.get(), "Label34")->geometry();
        const QImage image = bracket->grab().toImage();
        const int x = box.center().x();
        for (int y = box.top() - 10; y <= box.top(); ++y)
            QVERIFY2(qGray(image.pixel(x, y)) < 160, qPrintable(QString("no line at %1,%2").arg(x).arg(y)));
    }

    void printingPutsTheBracketOnOnePage() {
        Fixture f;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(f.dir.file("bracket.pdf")));
        ui::BracketPrinter::print(printer, f.model);
        const std::string pdf = readBytes(f.dir.file("bracket.pdf"));
        QVERIFY(pdf.starts_with("%PDF"));
        QVERIFY(pdf.find("/Count 1") != std::string::npos);
    }
};

RegisterWindowTest<BracketPrintTest> registered;

} // namespace
} // namespace kivp::test

#include "BracketPrintTest.moc"
