#pragma once
// What the models ask of the person at the screen: messages, OK/Cancel questions, folder, file and font choices.
// The windows answer with real dialogs; tests answer with a fake that records every call.

#include "platform/Error.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kivp {

// The program's name, and the title of every message box that does not name its own.
inline constexpr const char* kProgramTitle = "KIV Playoff Mode";

struct Message {
    enum class Icon { None, Information, Warning, Error };
    std::string text;
    std::string title = kProgramTitle;
    Icon icon = Icon::None;
    // For a question that could lose work: Cancel (or No) is the button Enter presses.
    bool cancelByDefault = false;
};

struct FontChoice {
    std::string family = "Arial";
    int pointSize = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const FontChoice&) const = default;
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // A modal message with an OK button.
    virtual void showMessage(const Message& message) = 0;
    // A modal question with OK (the default unless the question says Cancel) and Cancel; true only for OK.
    virtual bool askOkCancel(const Message& question) = 0;
    // A modal question with Yes (the default unless the question says otherwise), No and Cancel: true for
    // Yes, false for No, nothing for Cancel, which Escape and closing the question also mean.
    virtual std::optional<bool> askYesNo(const Message& question) = 0;
    // A modal question answered by one of the choices, each a button (defaultChoice is the one Enter
    // presses), or by Cancel (also Escape and closing it): the index of the choice, or nothing.
    virtual std::optional<std::size_t> askChoice(const Message& question,
                                                 const std::vector<std::string>& choices,
                                                 std::size_t defaultChoice) = 0;
    // A folder, or nothing when the user cancels.
    virtual std::optional<std::string> chooseFolder(const std::string& title) = 0;
    // A file to open, or nothing when the user cancels. filter is "Description|*.ext".
    virtual std::optional<std::string> chooseFileToOpen(const std::string& title, const std::string& filter) = 0;
    // A file to write, starting at suggested (a path), or nothing when the user cancels.
    virtual std::optional<std::string> chooseFileToSave(const std::string& title, const std::string& filter,
                                                        const std::string& suggested) = 0;
    // A font, or nothing when the user cancels.
    virtual std::optional<FontChoice> chooseFont(const FontChoice& current) = 0;

    void say(const std::string& text) { showMessage(Message{text}); }
    // How an error that stops a command reaches the user: once, with its own text.
    void report(const Error& error) { showMessage(Message{error.text(), kProgramTitle, Message::Icon::Error}); }
};

} // namespace kivp
