#pragma once
// A Prompts that answers from a script set up in advance and records every call, so no test ever waits on a
// real dialog. Unscripted questions are answered "Cancel" (a Yes/No question "No") and unscripted choosers
// are cancelled.

#include "platform/Prompts.h"

#include <deque>
#include <string>
#include <vector>

namespace kivp::test {

class RecordingPrompts : public Prompts {
public:
    struct Call {
        std::string
            kind; // "message", "question" (OK/Cancel), "yesno", "choice", "folder", "file", "save", "font"
        Message message;  // text/title/icon of a message or question; title of a chooser
        std::string filter;
        std::vector<std::string> choices; // a choice's buttons, in order
        std::size_t defaultChoice = 0;
    };

    void showMessage(const Message& message) override;
    bool askOkCancel(const Message& question) override;
    std::optional<bool> askYesNo(const Message& question) override;
    std::optional<std::size_t> askChoice(const Message& question, const std::vector<std::string>& choices,
                                         std::size_t defaultChoice) override;
    std::optional<std::string> chooseFolder(const std::string& title) override;
    std::optional<std::string> chooseFileToOpen(const std::string& title, const std::string& filter) override;
    // Answered from files, like a file to open.
    std::optional<std::string> chooseFileToSave(const std::string& title, const std::string& filter,
                                                const std::string& suggested) override;
    std::optional<FontChoice> chooseFont(const FontChoice& current) override;

    // Scripted answers, used in order; answers serves both kinds of question, nothing standing for Cancel.
    std::deque<std::optional<bool>> answers;
    std::deque<std::optional<std::size_t>> chosen; // the index of a choice, or nothing for Cancel
    std::deque<std::optional<std::string>> folders;
    std::deque<std::optional<std::string>> files; // files to open and to save to
    std::deque<std::optional<FontChoice>> fonts;

    std::vector<Call> calls;
    // The texts of the messages shown (not questions), in order.
    std::vector<std::string> messages() const;
    void clear() { calls.clear(); }
};

} // namespace kivp::test
