#include "platform/Error.h"

namespace kivp {

namespace {

// The length of the well-formed UTF-8 sequence starting at text[i] (no overlong forms, no surrogates), or 0.
std::size_t utf8SequenceAt(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

std::string visibleText(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        // A tab reads as the blank it is; every other control character would vanish or cut the message.
        if ((c >= 0x20 && c < 0x7F) || c == '\t') {
            shown += text[i++];
            continue;
        }
        if (const std::size_t length = c >= 0x80 ? utf8SequenceAt(text, i) : 0) {
            shown.append(text.substr(i, length));
            i += length;
            continue;
        }
        shown += "\\x";
        shown += kHex[c >> 4];
        shown += kHex[c & 0xF];
        ++i;
    }
    return shown;
}

Error Error::cannotOpen(std::string_view path) {
    return Error(Kind::CannotOpen, "Cannot open file " + visibleText(path));
}

Error Error::cannotCreate(std::string_view path) {
    return Error(Kind::CannotCreate, "Cannot create file " + visibleText(path));
}

Error Error::unableToWrite(std::string_view path) {
    return Error(Kind::UnableToWrite, "Unable to write to " + visibleText(path));
}

Error Error::notAnInteger(std::string_view text) {
    return Error(Kind::NotAnInteger, "'" + visibleText(text) + "' is not a valid integer value");
}

Error Error::listIndex(long long index) {
    return Error(Kind::ListIndex, "List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace kivp
