#include "options/ProfileFile.h"

#include "platform/Error.h"
#include "platform/FileWriting.h"
#include "platform/IntegerText.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

namespace kivp {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The name of a section header line, or nothing when the line is not one. A "[" without its "]" is not a
// header: such a line is kept like any other line and does not end the section it stands in.
std::optional<std::string_view> sectionName(std::string_view line) {
    const auto text = trim(line);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    const auto close = text.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(text.substr(1, close - 1));
}

// The key of an entry line, or nothing for comments, headers and blank lines. A line without "=" (a key typed
// by hand with no value) names its key too, but only for writes: the Windows profile functions read it as
// missing, so reads pass over it (and may find the key further on), while a write fills it in place, so the
// file never holds that key twice with the line written second.
std::optional<std::string_view> entryKey(std::string_view line) {
    const auto text = trim(line);
    if (text.empty() || text.front() == ';' || text.front() == '[')
        return std::nullopt;
    return trim(text.substr(0, text.find('=')));
}

std::string_view entryValue(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return {};
    auto value = trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

} // namespace

ProfileFile::ProfileFile(std::string path) : m_path(std::move(path)), m_actualPath(resolveIgnoringCase(m_path)) {
    auto bytes = readFile(m_actualPath);
    if (!bytes) {
        m_unreadable = pathExists(m_actualPath);
        return;
    }
    // An editor's byte-order mark is not part of the first line; it is written back as it was found.
    m_byteOrderMark = std::string_view(*bytes).starts_with(kUtf8ByteOrderMark);
    m_lines = splitLines(std::string_view(*bytes).substr(m_byteOrderMark ? kUtf8ByteOrderMark.size() : 0));
}

ProfileFile::Found ProfileFile::find(std::string_view section, std::string_view key, Purpose purpose) const {
    Found found;
    const auto wantedSection = trim(section);
    const auto wantedKey = trim(key);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (const auto name = sectionName(m_lines[i])) {
            if (found.section)
                break; // the first matching section wins; the next header ends it
            if (equalsIgnoringCase(*name, wantedSection))
                found.section = i;
            continue;
        }
        if (!found.section)
            continue;
        if (const auto name = entryKey(m_lines[i]); name && equalsIgnoringCase(*name, wantedKey)) {
            if (purpose == Purpose::Read && m_lines[i].find('=') == std::string::npos)
                continue;
            found.entry = i;
            break;
        }
    }
    return found;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
    const auto found = find(section, key, Purpose::Read);
    if (!found.entry)
        return std::string(fallback);
    return std::string(entryValue(m_lines[*found.entry]));
}

int ProfileFile::readInteger(std::string_view section, std::string_view key, int fallback) const {
    const auto found = find(section, key, Purpose::Read);
    if (!found.entry)
        return fallback;
    return parseInteger(entryValue(m_lines[*found.entry])).value_or(fallback);
}

bool ProfileFile::hasKey(std::string_view section, std::string_view key) const {
    return find(section, key, Purpose::Read).entry.has_value();
}

void ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    // Every write counts, even of the value already stored: like the Windows profile functions, an operation
    // that writes to a read-only file fails whatever the value.
    // A line break would end the entry early and turn the rest into sections and keys of its own.
    for (const auto text : {section, key, value}) {
        if (text.find_first_of("\r\n") != std::string_view::npos)
            throw Error(Error::Kind::Other, "The setting \"" + visibleText(key) + "\" cannot be saved in " + m_path +
                                                ": its value contains a line break (" + visibleText(value) + ").");
    }
    m_modified = true;
    const auto found = find(section, key, Purpose::Write);
    if (found.entry) {
        m_lines[*found.entry] = std::string(*entryKey(m_lines[*found.entry])) + "=" + std::string(value);
        return;
    }
    std::string line = std::string(trim(key)) + "=" + std::string(value);
    if (!found.section) {
        m_lines.push_back("[" + std::string(trim(section)) + "]");
        m_lines.push_back(std::move(line));
        return;
    }
    // After the section's last non-blank line, so blank lines that separate it from the next section stay there.
    std::size_t last = *found.section;
    for (std::size_t i = last + 1; i < m_lines.size() && !sectionName(m_lines[i]); ++i) {
        if (!trim(m_lines[i]).empty())
            last = i;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(last + 1), std::move(line));
}

void ProfileFile::writeInteger(std::string_view section, std::string_view key, int value) {
    writeString(section, key, std::to_string(value));
}

void ProfileFile::save() {
    if (!m_modified)
        return;
    // Saving what little was read from a file that could not be read would throw its other settings away.
    const std::string text = (m_byteOrderMark ? std::string(kUtf8ByteOrderMark) : std::string()) + joinLines(m_lines);
    if (m_unreadable || !replaceFile(m_actualPath, text))
        throw Error::unableToWrite(m_path);
    m_modified = false;
}

} // namespace kivp
