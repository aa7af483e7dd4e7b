#include "ui/BracketPrinter.h"

#include "ui/BracketPainter.h"
#include "ui/QtText.h"

#include <QPainter>
#include <algorithm>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace kivp::ui {

namespace {

// A wide bracket reads best across the page; the user may turn it in the dialog.
void setUpPrinter(QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName("KIV Playoff Bracket");
}

// Where the page went; nothing when a file was asked for and none was given.
std::optional<PrintedTo> printedTo(const QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::PdfFormat)
        return PrintedTo{fromQt(printer.printerName()), {}};
    if (printer.outputFileName().isEmpty())
        return std::nullopt;
    return PrintedTo{{}, pathFromQt(printer.outputFileName())};
}

QString subtitle(const Bracket& bracket) {
    QString text = QString("Playoff type %1, format %2")
                       .arg(toQt(bracket.playoffTypeText()), toQt(bracket.formatText()));
    if (bracket.seriesState(bracket.seriesCount()) == kSeriesDecided)
        text += QString("  \u2014  Champion: %1").arg(toQt(bracket.champion()));
    return text;
}

} // namespace

void BracketPrinter::paintPage(QPainter& painter, const QRect& rect, const MainForm& model) {
    const Bracket& bracket = model.bracket();
    // Everything is laid out in the window's pixels, scaled to fill the page's width.
    const layout::BracketLayout places(bracket);
    const double scale = std::min(rect.width() / double(places.width()), rect.height() / double(places.height() + 48));
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(scale, scale);

    QFont title("Arial");
    title.setPixelSize(18);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(0, 0, places.width(), 24), Qt::AlignLeft | Qt::AlignVCenter,
                     "KIV Playoff Bracket");
    QFont small("Arial");
    small.setPixelSize(10);
    painter.setFont(small);
    painter.drawText(QRect(0, 24, places.width(), 16), Qt::AlignLeft | Qt::AlignVCenter, subtitle(bracket));

    painter.translate(0, 44);
    paintBracket(painter, bracket, toQt(model.labelFont()));
    painter.restore();
}

void BracketPrinter::print(QPrinter& printer, const MainForm& model) {
    QPainter painter(&printer);
    paintPage(painter, QRect(0, 0, printer.width(), printer.height()), model);
}

std::optional<PrintedTo> BracketPrinter::printWithDialog(const MainForm& model, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle("Print Bracket");
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    print(printer, model);
    return printedTo(printer);
}

std::optional<PrintedTo> BracketPrinter::preview(const MainForm& model, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName("PrintPreview");
    dialog.setWindowTitle("Print Preview");
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&model](QPrinter* target) { print(*target, model); });
    // The preview closes as accepted once its print button has printed the page.
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return printedTo(printer);
}

} // namespace kivp::ui
