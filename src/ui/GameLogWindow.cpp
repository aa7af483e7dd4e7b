#include "ui/GameLogWindow.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivp::ui {

GameLogWindow::GameLogWindow(QWidget* parent) : QDialog(parent), m_text(new QPlainTextEdit(this)) {
    setObjectName("GameLogWindow");
    setWindowTitle("Game Log - KIV Playoff Mode");
    setModal(false);
    m_text->setObjectName("GameLogText");
    m_text->setAccessibleName("Game log");
    m_text->setAccessibleDescription("Every game of the playoff with its line score, oldest first");
    m_text->setReadOnly(true);
    // Read-only, yet keyboard users can move through it and select lines.
    m_text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The columns line up only in a fixed-pitch face; where the system's fixed font is not one (Wine), a known one.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(font).fixedPitch()) {
        font.setFamilies({"Courier New", "Liberation Mono", "DejaVu Sans Mono"});
        font.setStyleHint(QFont::TypeWriter);
    }
    m_text->setFont(font);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName("CloseButton");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    resize(600, 460);
}

void GameLogWindow::setLog(const QString& text) {
    if (m_text->toPlainText() == text)
        return;
    m_text->setPlainText(text);
    m_text->moveCursor(QTextCursor::End);
}

void GameLogWindow::showLog() {
    show();
    raise();
    activateWindow();
    m_text->setFocus();
}

} // namespace kivp::ui
