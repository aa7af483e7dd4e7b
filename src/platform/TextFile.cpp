#include "platform/TextFile.h"

#include "platform/Error.h"
#include "platform/FileWriting.h"
#include "platform/InputFile.h"
#include "platform/Paths.h"

namespace kivp {

Lines splitLines(std::string_view text) {
    Lines lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string joinLines(const Lines& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::optional<std::string> readFile(const std::string& path) {
    const std::string actual = resolveIgnoringCase(path);
    if (!isRegularFile(actual))
        return std::nullopt;
    InputFile in(actual);
    if (!in.isOpen())
        return std::nullopt;
    std::string bytes;
    char buffer[1 << 14];
    for (;;) {
        const long long n = in.read(buffer, sizeof buffer);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

std::optional<Lines> tryLoadLines(const std::string& path) {
    auto bytes = readFile(path);
    if (!bytes)
        return std::nullopt;
    std::string_view text(*bytes);
    if (text.starts_with(kUtf8ByteOrderMark))
        text.remove_prefix(kUtf8ByteOrderMark.size());
    return splitLines(text);
}

Lines loadLines(const std::string& path) {
    auto lines = tryLoadLines(path);
    if (!lines)
        throw Error::cannotOpen(path);
    return std::move(*lines);
}

bool trySaveLines(const std::string& path, const Lines& lines) {
    return replaceFile(resolveIgnoringCase(path), joinLines(lines));
}

void saveLines(const std::string& path, const Lines& lines) {
    if (!trySaveLines(path, lines))
        throw Error::cannotCreate(path);
}

} // namespace kivp
