#include "support/RecordingPrompts.h"

namespace kivp::test {

namespace {

template <typename T> T next(std::deque<T>& script, T fallback) {
    if (script.empty())
        return fallback;
    T value = script.front();
    script.pop_front();
    return value;
}

} // namespace

void RecordingPrompts::showMessage(const Message& message) {
    calls.push_back({"message", message, {}, {}, 0});
}

bool RecordingPrompts::askOkCancel(const Message& question) {
    calls.push_back({"question", question, {}, {}, 0});
    return next(answers, std::optional<bool>(false)).value_or(false);
}

std::optional<bool> RecordingPrompts::askYesNo(const Message& question) {
    calls.push_back({"yesno", question, {}, {}, 0});
    return next(answers, std::optional<bool>(false));
}

std::optional<std::size_t> RecordingPrompts::askChoice(const Message& question,
                                                       const std::vector<std::string>& choices,
                                                       std::size_t defaultChoice) {
    calls.push_back({"choice", question, {}, choices, defaultChoice});
    return next(chosen, std::optional<std::size_t>{});
}

std::optional<std::string> RecordingPrompts::chooseFolder(const std::string& title) {
    calls.push_back({"folder", Message{{}, title}, {}, {}, 0});
    return next(folders, std::optional<std::string>{});
}

std::optional<std::string> RecordingPrompts::chooseFileToOpen(const std::string& title, const std::string& filter) {
    calls.push_back({"file", Message{{}, title}, filter, {}, 0});
    return next(files, std::optional<std::string>{});
}

std::optional<std::string> RecordingPrompts::chooseFileToSave(const std::string& title, const std::string& filter,
                                                          const std::string&) {
    calls.push_back({"save", Message{{}, title}, filter, {}, 0});
    return next(files, std::optional<std::string>{});
}

std::optional<FontChoice> RecordingPrompts::chooseFont(const FontChoice&) {
    calls.push_back({"font", Message{}, {}, {}, 0});
    return next(fonts, std::optional<FontChoice>{});
}

std::vector<std::string> RecordingPrompts::messages() const {
    std::vector<std::string> texts;
    for (const auto& call : calls) {
        if (call.kind == "message")
            texts.push_back(call.message.text);
    }
    return texts;
}

} // namespace kivp::test
