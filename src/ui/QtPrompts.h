#pragma once
// The Qt side of the Prompts port: modal message boxes titled "KIV Playoff Mode" unless a title is given, and the
// toolkit's folder, file and font dialogs.

#include "platform/Prompts.h"

class QString;
class QWidget;

namespace kivp::ui {

class QtPrompts : public Prompts {
public:
    void showMessage(const Message& message) override;
    bool askOkCancel(const Message& question) override;
    std::optional<bool> askYesNo(const Message& question) override;
    std::optional<std::size_t> askChoice(const Message& question, const std::vector<std::string>& choices,
                                         std::size_t defaultChoice) override;
    std::optional<std::string> chooseFolder(const std::string& title) override;
    std::optional<std::string> chooseFileToOpen(const std::string& title, const std::string& filter) override;
    std::optional<std::string> chooseFileToSave(const std::string& title, const std::string& filter,
                                                const std::string& suggested) override;
    std::optional<FontChoice> chooseFont(const FontChoice& current) override;

    // "Description|*.a;*.b|Other|*.c" as Qt writes it: "Description (*.a *.b);;Other (*.c)".
    static QString qtFilter(const std::string& filter);

private:
    static QWidget* owner();
};

} // namespace kivp::ui
