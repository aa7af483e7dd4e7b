#include "ui/Spabout.h"

#include "platform/Prompts.h"
#include "ui/HelpWindow.h"
#include "ui/PaletteContrast.h"
#include "ui/ProgramIcon.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>
#include <cmath>

namespace kivp::ui {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

TForm2::TForm2(Prompts& prompts, Opener opener, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_opener(std::move(opener)) {
    setObjectName("TForm2");
    setWindowTitle("About KIV Playoffs");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    auto* icon = new QLabel(this);
    icon->setObjectName("Image1");
    icon->setPixmap(programIconPixmap(32));
    icon->setAccessibleName("Program icon");

    auto* credits = label(this, "Label4", "A playoff manager for the\nKIV baseball simulator");
    credits->setAlignment(Qt::AlignCenter);
    auto* address = label(this, "Label5", "KIV Playoff Mode help page");
    address->setAlignment(Qt::AlignCenter);
    address->setCursor(Qt::PointingHandCursor);
    address->setAccessibleName("Open the KIV Playoff Mode help page");

    // The icon at the top left with the name, version and build beside it; the credits and the link centred
    // below. The box is as large as its texts at the user's font, and no larger.
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(label(this, "Label1", "KIV Playoffs"), 0, 1);
    grid->addWidget(label(this, "Label2", "Version 1.8.5"), 1, 1);
    grid->addWidget(label(this, "Label3", "Build: November 7, 2005"), 2, 1);
    grid->setRowMinimumHeight(3, 10);
    grid->addWidget(credits, 4, 0, 1, 2);
    grid->setRowMinimumHeight(5, 10);
    grid->addWidget(address, 6, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    // Never narrower than the classic box's 256 pixels.
    grid->setColumnMinimumWidth(1, 256 - 32 - grid->horizontalSpacing() - 2 * 12);

    fitToFont();
    colourLink();
    for (auto* child : findChildren<QLabel*>())
        child->installEventFilter(this);
}

void TForm2::fitToFont() {
    // Arial as the box was drawn, at the size of the user's font; the name larger, as 19 pixels were to 8
    // points.
    const auto arial = [this](double scale, bool italic, bool underline) {
        QFont face = font();
        face.setFamilies({"Arial", "Liberation Sans"});
        face.setBold(true);
        face.setItalic(italic);
        face.setUnderline(underline);
        if (font().pointSizeF() > 0)
            face.setPointSizeF(font().pointSizeF() * scale);
        else
            face.setPixelSize(int(std::lround(font().pixelSize() * scale)));
        return face;
    };
    findChild<QLabel*>("Label1")->setFont(arial(1.75, true, false));
    for (const char* name : {"Label2", "Label3", "Label4"})
        findChild<QLabel*>(name)->setFont(arial(1, false, false));
    findChild<QLabel*>("Label5")->setFont(arial(1, false, true));
}

void TForm2::colourLink() {
    // Navy where it reads against the window's colour, otherwise the palette's own link colour, lightened or
    // darkened as far as it takes to read.
    auto* address = findChild<QLabel*>("Label5");
    const QColor ground = palette().color(QPalette::Window);
    QColor link(0, 0, 128);
    if (contrastRatio(link, ground) < 4.5)
        link =
            standingOut(ground, palette().color(QPalette::Link), palette().color(QPalette::WindowText), 4.5);
    QPalette colours = address->palette();
    colours.setColor(QPalette::WindowText, link);
    address->setPalette(colours);
}

void TForm2::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToFont();
    else if (event->type() == QEvent::PaletteChange)
        colourLink();
}

void TForm2::Label5Click() {
    if (!m_opener(QUrl::fromLocalFile(HelpWindow::helpFilePath())))
        m_prompts.say("Unable to connect to the Run KIV website.");
}

void TForm2::mouseReleaseEvent(QMouseEvent* event) {
    QDialog::mouseReleaseEvent(event);
    FormClick();
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched->objectName() == "Label5")
            Label5Click();
        else
            FormClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kivp::ui
