#include "ui/Spabout.h"

#include "platform/Prompts.h"
#include "ui/HelpWindow.h"
#include "ui/ProgramIcon.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>

namespace kivp::ui {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& where, const QFont& font) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(where);
    l->setFont(font);
    return l;
}

} // namespace

TForm2::TForm2(Prompts& prompts, Opener opener, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_opener(std::move(opener)) {
    setObjectName("TForm2");
    setWindowTitle("About KIV Playoffs");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(256, 136);
    setFont(QFont("MS Sans Serif", 8));

    auto* icon = new QLabel(this);
    icon->setObjectName("Image1");
    icon->setPixmap(programIconPixmap(32));
    icon->setGeometry(8, 8, 32, 32);
    icon->setAccessibleName("Program icon");

    QFont title("Arial");
    title.setPixelSize(19);
    title.setBold(true);
    title.setItalic(true);
    label(this, "Label1", "KIV Playoffs", QRect(52, 8, 196, 24), title);

    QFont bold("Arial", 8);
    bold.setBold(true);
    label(this, "Label2", "Version 1.8.5", QRect(52, 34, 196, 14), bold);
    label(this, "Label3", "Build: November 7, 2005", QRect(52, 50, 196, 14), bold);
    auto* credits = label(this, "Label4", "A playoff manager for the\nKIV baseball simulator", QRect(8, 70, 240, 30),
                          bold);
    credits->setAlignment(Qt::AlignCenter);

    QFont link("Arial", 8);
    link.setBold(true);
    link.setUnderline(true);
    auto* address = label(this, "Label5", "KIV Playoff Mode help page", QRect(8, 110, 240, 16), link);
    address->setAlignment(Qt::AlignCenter);
    address->setCursor(Qt::PointingHandCursor);
    QPalette navy = address->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    address->setPalette(navy);
    address->setAccessibleName("Open the KIV Playoff Mode help page");

    for (auto* child : findChildren<QLabel*>())
        child->installEventFilter(this);
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
