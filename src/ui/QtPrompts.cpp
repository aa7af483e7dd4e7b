#include "ui/QtPrompts.h"

#include "ui/QtText.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

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

std::optional<bool> QtPrompts::askYesNo(const Message& question) {
    QMessageBox box(qtIcon(question.icon), toQt(question.title), toQt(question.text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner());
    box.setObjectName("QuestionBox");
    box.setDefaultButton(question.cancelByDefault ? QMessageBox::No : QMessageBox::Yes);
    // Escape and the window's close button answer neither Yes nor No.
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    if (answer == QMessageBox::Cancel)
        return std::nullopt;
    return answer == QMessageBox::Yes;
}

std::optional<std::size_t> QtPrompts::askChoice(const Message& question,
                                                const std::vector<std::string>& choices,
                                                std::size_t defaultChoice) {
    QMessageBox box(qtIcon(question.icon), toQt(question.title), toQt(question.text), QMessageBox::NoButton,
                    owner());
    box.setObjectName("ChoiceBox");
    std::vector<QPushButton*> buttons;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        // A name's own "&" is shown, not taken for an access key.
        auto* button = box.addButton(toQt(choices[i]).replace("&", "&&"), QMessageBox::AcceptRole);
        button->setObjectName(QString("Choice%1").arg(i));
        if (i == defaultChoice)
            box.setDefaultButton(button);
        buttons.push_back(button);
    }
    box.setEscapeButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    if (chosen == buttons.end())
        return std::nullopt;
    return static_cast<std::size_t>(chosen - buttons.begin());
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
