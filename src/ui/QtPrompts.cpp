#include "ui/QtPrompts.h"

#include "ui/QtText.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace kivp::ui {

namespace {

QMessageBox::Icon qtIcon(Message::Icon icon) {
    switch (icon) {
    case Message::Icon::Information: return QMessageBox::Information;
    case Message::Icon::Warning: return QMessageBox::Warning;
    case Message::Icon::Error: return QMessageBox::Critical;
    case Message::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QWidget* QtPrompts::owner() { return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                                        : QApplication::activeWindow(); }

void QtPrompts::showMessage(const Message& message) {
    QMessageBox box(qtIcon(message.icon), toQt(message.title), toQt(message.text), QMessageBox::Ok, owner());
    box.setObjectName("MessageBox");
    box.exec();
}

bool QtPrompts::askOkCancel(const Message& question) {
    QMessageBox box(qtIcon(question.icon), toQt(question.title), toQt(question.text),
                    QMessageBox::Ok | QMessageBox::Cancel, owner());
    box.setObjectName("QuestionBox");
    box.setDefaultButton(question.cancelByDefault ? QMessageBox::Cancel : QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

bool QtPrompts::askYesNo(const Message& question) {
    QMessageBox box(qtIcon(question.icon), toQt(question.title), toQt(question.text),
                    QMessageBox::Yes | QMessageBox::No, owner());
    box.setObjectName("QuestionBox");
    box.setDefaultButton(question.cancelByDefault ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtPrompts::chooseFolder(const std::string& title) {
    const QString folder = QFileDialog::getExistingDirectory(owner(), toQt(title));
    if (folder.isEmpty())
        return std::nullopt;
    return pathFromQt(folder);
}

QString QtPrompts::qtFilter(const std::string& filter) {
    const QStringList parts = toQt(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << QString("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
    return filters.join(";;");
}

std::optional<std::string> QtPrompts::chooseFileToOpen(const std::string& title, const std::string& filter) {
    const QString file = QFileDialog::getOpenFileName(owner(), toQt(title), QString(), qtFilter(filter));
    if (file.isEmpty())
        return std::nullopt;
    return pathFromQt(file);
}

std::optional<std::string> QtPrompts::chooseFileToSave(const std::string& title, const std::string& filter,
                                                   const std::string& suggested) {
    const QString file = QFileDialog::getSaveFileName(owner(), toQt(title), toQt(suggested), qtFilter(filter));
    if (file.isEmpty())
        return std::nullopt;
    return pathFromQt(file);
}

std::optional<FontChoice> QtPrompts::chooseFont(const FontChoice& current) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, toQt(current), owner());
    if (!ok)
        return std::nullopt;
    return fromQt(font);
}

} // namespace kivp::ui
