// A second kivp on a program folder: it asks, leaves the first kivp a request to come forward when told to,
// and ends without taking the folder.

#include "startup/SingleInstance.h"

#include "support/RecordingPrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

TEST(ProgramFolder, ASecondKivpOffersToBringTheFirstForwardOrQuitsWithoutWritingThere) {
    struct Row {
        const char* what;
        bool anotherRuns;
        std::deque<std::optional<bool>> answers;
        bool runs;
        bool requestLeft;
    };
    const Row rows[] = {{"alone", false, {}, true, false},
                        {"bring it forward", true, {true}, false, true},
                        {"quit", true, {false}, false, false}};
    for (const auto& row : rows) {
        test::TempDir dir;
        test::RecordingPrompts firstPrompts;
        const auto first = row.anotherRuns ? claimProgramFolder(dir.path(), firstPrompts) : std::nullopt;

        test::RecordingPrompts prompts;
        prompts.answers = row.answers;
        const auto lock = claimProgramFolder(dir.path(), prompts);
        EXPECT_EQ(lock.has_value(), row.runs) << row.what;
        EXPECT_EQ(lock && lock->held(), row.runs) << row.what;
        ASSERT_EQ(prompts.calls.size(), row.anotherRuns ? 1u : 0u) << row.what;
        if (row.anotherRuns) {
            EXPECT_EQ(prompts.calls[0].kind, "yesno");
            EXPECT_EQ(prompts.calls[0].message.text,
                      "kivp is already running on the program folder " + dir.path() +
                          ".\n\nOnly one kivp at a time can use a program folder, so this one will close.\n\n"
                          "Bring the running kivp to the front?");
        }
        EXPECT_EQ(test::entries(dir.path()), row.requestLeft
                                                 ? (std::vector<std::string>{"kivp.front", "kivp.lock"})
                                                 : std::vector<std::string>{"kivp.lock"})
            << row.what;
        // The running kivp takes the request once.
        EXPECT_EQ(takeBringForwardRequest(dir.path()), row.requestLeft) << row.what;
        EXPECT_FALSE(takeBringForwardRequest(dir.path())) << row.what;
    }
}

} // namespace
} // namespace kivp
