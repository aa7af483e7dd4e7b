#include "playoff/PlayoffExtras.h"

#include "playoff/PlayoffFile.h"

#include <stdexcept>

namespace kivp {

void PlayoffExtras::add(std::string key, std::string value) {
    if (key.empty() || key.find_first_of("=\r\n") != std::string::npos)
        throw std::invalid_argument("not a key for a playoff file: " + key);
    m_entries.push_back({std::move(key), std::move(value)});
}

bool PlayoffExtras::ownedBy(std::string_view key, std::string_view part) {
    return key.starts_with(part) && (key.size() == part.size() || key[part.size()] == '.');
}

Lines PlayoffExtras::toLines() const {
    Lines lines;
    if (m_entries.empty())
        return lines;
    lines.reserve(m_entries.size() + 1);
    lines.emplace_back(kPlayoffExtrasMarker);
    for (const auto& entry : m_entries)
        lines.push_back(entry.key + "=" + entry.value);
    return lines;
}

PlayoffExtras PlayoffExtras::fromFileLines(const Lines& fileLines) {
    PlayoffExtras extras;
    const std::size_t first = PlayoffFile::extrasStart(fileLines);
    if (fileLines.size() <= first || fileLines[first] != kPlayoffExtrasMarker)
        return extras;
    for (std::size_t i = first + 1; i < fileLines.size(); ++i) {
        const std::string& line = fileLines[i];
        const auto equals = line.find('=');
        if (equals == std::string::npos || equals == 0)
            continue;
        extras.m_entries.push_back({line.substr(0, equals), line.substr(equals + 1)});
    }
    return extras;
}

} // namespace kivp
