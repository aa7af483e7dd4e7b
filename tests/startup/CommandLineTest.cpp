// How kivp reads its command line, and the user's own program folder the menu entry starts it in.

#include "startup/CommandLine.h"

#include "options/ProfileFile.h"
#include "platform/Paths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

TEST(CommandLine, GivesTheRequest) {
    using A = StartRequest::Action;
    const std::string needsFolder = "option '--program-folder' needs a folder";
    const std::vector<std::pair<std::vector<std::string>, StartRequest>> table = {
        {{}, {A::Run, {}, false, ""}},                         // the current folder
        {{"-platform", "offscreen"}, {A::Run, {}, false, ""}}, // the toolkit's options are left to it
        {{"--program-folder", "/x", "--help"}, {A::ShowHelp, {}, false, ""}},
        {{"-v"}, {A::ShowVersion, {}, false, ""}},
        {{"--program-folder", "/kiv/sim"}, {A::Run, "/kiv/sim", false, ""}},
        {{"--program-folder=rel"}, {A::Run, "rel", false, ""}},
        {{"--program-folder", "/a", "--user-folder"}, {A::Run, {}, true, ""}}, // the last folder option wins
        {{"--program-folder"}, {A::Refuse, {}, false, needsFolder}},
        {{"--program-folder="}, {A::Refuse, {}, false, needsFolder}},
        {{"--colour"}, {A::Refuse, {}, false, "unknown option '--colour'"}},
        {{"--\x1b]0;x\a\x1b[2J"}, {A::Refuse, {}, false, "unknown option '--\\x1B]0;x\\x07\\x1B[2J'"}}};
    for (const auto& [arguments, request] : table)
        EXPECT_EQ(parseCommandLine(arguments), request) << ::testing::PrintToString(arguments);
}

TEST(UserFolder, StartsSetUpForTheDemoLeague) {
    test::TempDir dir;
    const std::string demo = dir.mkdir("demo");
    const std::string folder = joinPath(dir.path(), "home/.local/share/kivp");
    prepareUserFolder(folder, demo);
    EXPECT_EQ(ProfileFile(joinPath(folder, "kivp.ini")).readString("Location", "Directory", ""), demo);

    // A folder already made is the user's: left exactly as it is.
    dir.write("home/.local/share/kivp/kivp.ini", "mine");
    prepareUserFolder(folder, demo);
    EXPECT_EQ(test::readBytes(joinPath(folder, "kivp.ini")), "mine");

    // Without a demo league the folder starts empty, as any new program folder does.
    const std::string bare = joinPath(dir.path(), "bare");
    prepareUserFolder(bare, joinPath(dir.path(), "no-demo"));
    EXPECT_TRUE(isDirectory(bare));
    EXPECT_TRUE(test::entries(bare).empty());
}

} // namespace
} // namespace kivp
