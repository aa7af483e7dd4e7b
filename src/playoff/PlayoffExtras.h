#pragma once
// What kivp keeps in a playoff file beyond its 39 lines. Readers of the 39 lines stop before it, so it never
// changes what they read. It is one marker line, then "key=value" lines in the order they were written:
//
//     [kivp]
//     journal=1
//     journal.game=1 1 2025-03-14T09:26:53+01:00
//     ...
//
// Each part of the program owns the keys that start with its own name ("journal", ...) and skips every key it
// does not know, so a part can add lines of its own without disturbing the others, and a file written by a
// later kivp still loads. A key holds no "=" and no line break; a value is the rest of its line exactly,
// spaces included.

#include "platform/TextFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace kivp {

inline constexpr const char* kPlayoffExtrasMarker = "[kivp]";

class PlayoffExtras {
public:
    struct Entry {
        std::string key;
        std::string value;
        bool operator==(const Entry&) const = default;
    };

    // Throws std::invalid_argument for a key that is empty or holds "=" or a line break.
    void add(std::string key, std::string value);
    const std::vector<Entry>& entries() const { return m_entries; }
    bool empty() const { return m_entries.empty(); }
    // Whether a key is owned by a part: the part's name itself, or the name and "." before more.
    static bool ownedBy(std::string_view key, std::string_view part);

    // The lines that follow the 39th: none at all when there are no entries.
    Lines toLines() const;
    // The block of a whole file's lines. A file of 39 lines or fewer, or one whose 40th line is not the
    // marker (lines there were never read), has no entries; in a file of kivp's own form the block begins at
    // its first marker line. Lines of the block without "=" are skipped.
    static PlayoffExtras fromFileLines(const Lines& fileLines);

    bool operator==(const PlayoffExtras&) const = default;

private:
    std::vector<Entry> m_entries;
};

} // namespace kivp
