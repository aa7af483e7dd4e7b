#pragma once
// The one error that stops a command and reaches the user as a single message box. Each carries the exact
// text the user sees; window handlers catch it at their boundary, show it once and go on with the state they had.

#include <stdexcept>
#include <string>
#include <string_view>

namespace kivp {

class Error : public std::runtime_error {
public:
    enum class Kind { CannotOpen, CannotCreate, UnableToWrite, NotAnInteger, ListIndex, Other };

    // The text is kept whole: a NUL byte read from a damaged file must not cut the message short.
    Error(Kind kind, const std::string& text) : std::runtime_error(text), m_kind(kind), m_text(text) {}

    Kind kind() const { return m_kind; }
    // The text shown to the user, e.g. "Cannot open file /home/me/kivp/kivp.ini".
    const std::string& text() const { return m_text; }

    static Error cannotOpen(std::string_view path);    // "Cannot open file %s"
    static Error cannotCreate(std::string_view path);  // "Cannot create file %s"
    static Error unableToWrite(std::string_view path); // "Unable to write to %s"
    static Error notAnInteger(std::string_view text);  // "'%s' is not a valid integer value"
    static Error listIndex(long long index);           // "List index out of bounds (%d)"

private:
    Kind m_kind;
    std::string m_text;
};

// text as a message can show it: control characters (but tabs) and bytes that are not UTF-8 become "\xNN", so a name or a
// line read from a damaged file is quoted whole and readable.
std::string visibleText(std::string_view text);

} // namespace kivp
