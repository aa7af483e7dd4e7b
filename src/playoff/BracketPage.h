#pragma once
// The bracket as a small HTML page ("Export to HTML"): a head, one table row per pair of facing slots of the
// playoff type shown (team names and win counts, the champion left out), and a tail. The page keeps the exact
// markup users' existing pages and style sheets know: upper-case tags, unquoted attribute values. Every text
// taken from the bracket is escaped, so a team named "A&M" or "<B>" shows as typed instead of breaking the
// page.

#include "bracket/Bracket.h"
#include "platform/TextFile.h"

#include <string>
#include <string_view>

namespace kivp {

// The page's name in the program folder.
inline constexpr const char* kBracketPageFileName = "html.html";

// "&", "<", ">" and '"' as character references; every other byte unchanged.
std::string escapeHtml(std::string_view text);

// The page's lines for the bracket's playoff type; head and tail only when no type is selected.
Lines bracketPageLines(const Bracket& bracket);

// Writes the page to path, replacing any earlier file. Throws Error::cannotCreate(path) when it cannot be
// written; an earlier file then stays exactly as it was.
void exportBracketPage(const std::string& path, const Bracket& bracket);

} // namespace kivp
