#include "teams/TeamList.h"

#include "support/RecordingPrompts.h"
#include "support/Platform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::RecordingPrompts;
using test::TempDir;
using Names = std::vector<std::string>;

const std::string kRenameAdvice =
    "Errors of this type are resolved by renaming the file extension\n or removing it from the directory";
const std::string kTitleAdvice = "This error could be caused by an improper title\n line in the .dat file.";
const std::string kNoData = "--No data in line--\n\n" + kRenameAdvice;

// "*" and then the letters from B on: character n of the line is easy to tell.
std::string titleOf(std::size_t length, char marker = '*') {
    std::string line;
    for (std::size_t i = 0; i < length; ++i)
        line += i == 0 ? marker : static_cast<char>('A' + i % 26);
    return line;
}

std::string shortTitle(int position, const std::string& decoded, const std::string& advice = kTitleAdvice) {
    return "in line 1, position " + std::to_string(position) + " --" + decoded + "--\n\n" + advice;
}

struct TitleCase {
    const char* name;
    std::string fileBytes;
    bool listed;
    std::string message; // after "Error decoding team:\nFile name:  TEAM.dat\n"; empty for none
    bool unreadable = false;
};

TEST(TitleLine, DecodesAsTheTeamPickersAlwaysHave) {
    const std::vector<TitleCase> table = {
        {"EmptyFile", "", false, kNoData},
        {"OneCharacter", "*\r\n", false, kNoData},
        {"EmptyFirstLineBeforeAGoodOne", "\n" + titleOf(40), false, kNoData},
        {"Two", "*B\n", false, shortTitle(9, "B ")},
        {"Nine", titleOf(9), false, shortTitle(9, "B ")},
        {"Ten", titleOf(10), false, shortTitle(10, "B J ")},
        {"TwentySix", titleOf(26) + "\r\n", false, shortTitle(26, "B J KLMNOPQRSTUVWXYZ")},
        {"TwentySeven", titleOf(27) + "\r\nmore\r\n", true, ""},
        {"CrEndsTheLine", titleOf(20) + "\r" + titleOf(20), false, shortTitle(20, "B J KLMNOPQRST")},
        {"NoStarLongEnough", titleOf(40, '#'), false, ""},
        {"NoStarTooShort", titleOf(12, ' '), false, shortTitle(12, "B J KL", kRenameAdvice)},
        {"Unreadable", titleOf(30), false, kNoData, true}};
    for (const auto& c : table) {
        if (c.unreadable && !test::readPermissionCounts())
            continue;
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto path = dir.write("TEAM.dat", c.fileBytes);
        if (c.unreadable)
            test::chmodPath(path, 0);
        RecordingPrompts prompts;
        EXPECT_EQ(listTeams(dir.path(), prompts), c.listed ? Names{"TEAM"} : Names{});
        const std::string message = "Error decoding team:\nFile name:  TEAM.dat\n" + c.message;
        EXPECT_EQ(prompts.messages(), c.message.empty() ? Names{} : Names{message});
    }
}

} // namespace
} // namespace kivp
