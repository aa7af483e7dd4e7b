// How kivp reads its command line, and the user's own program folder the menu entry starts it in.

#include "startup/CommandLine.h"

#include "options/ProfileFile.h"
#include "platform/Paths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

using Action = StartRequest::Action;

struct ArgumentsCase {
    const char* name;
    std::vector<std::string> arguments;
    Action action;
    std::optional<std::string> programFolder;
    bool userFolder;
    const char* problem;
};

void PrintTo(const ArgumentsCase& c, std::ostream* os) { *os << c.name; }

class CommandLineCase : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(CommandLineCase, GivesTheRequest) {
    const ArgumentsCase& c = GetParam();
    const StartRequest request = parseCommandLine(c.arguments);
    EXPECT_EQ(request.action, c.action);
    EXPECT_EQ(request.programFolder, c.programFolder);
    EXPECT_EQ(request.userFolder, c.userFolder);
    EXPECT_EQ(request.problem, c.problem);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineCase,
    ::testing::Values(
        ArgumentsCase{"NoneRunsInTheCurrentFolder", {}, Action::Run, std::nullopt, false, ""},
        ArgumentsCase{"ToolkitOptionsAreLeftToIt", {"-platform", "offscreen"}, Action::Run, std::nullopt, false, ""},
        ArgumentsCase{"Help", {"--program-folder", "/x", "--help"}, Action::ShowHelp, std::nullopt, false, ""},
        ArgumentsCase{"ShortVersion", {"-v"}, Action::ShowVersion, std::nullopt, false, ""},
        ArgumentsCase{"FolderAsTwoWords", {"--program-folder", "/kiv/sim"}, Action::Run, "/kiv/sim", false, ""},
        ArgumentsCase{"FolderAfterEquals", {"--program-folder=rel"}, Action::Run, "rel", false, ""},
        ArgumentsCase{"LastFolderOptionWins", {"--program-folder", "/a", "--user-folder"}, Action::Run,
                      std::nullopt, true, ""},
        ArgumentsCase{"FolderMissing", {"--program-folder"}, Action::Refuse, std::nullopt, false,
                      "option '--program-folder' needs a folder"},
        ArgumentsCase{"FolderEmpty", {"--program-folder="}, Action::Refuse, std::nullopt, false,
                      "option '--program-folder' needs a folder"},
        ArgumentsCase{"UnknownOption", {"--colour"}, Action::Refuse, std::nullopt, false,
                      "unknown option '--colour'"}),
    [](const auto& info) { return info.param.name; });

TEST(UserFolder, IsKivpInTheDataFolderAndStartsSetUpForTheDemoLeague) {
    EXPECT_EQ(userProgramFolder("/data", "/home/u"), "/data/kivp");
    EXPECT_EQ(userProgramFolder("relative", "/home/u"), "/home/u/.local/share/kivp");
    EXPECT_EQ(userProgramFolder(nullptr, "/home/u"), "/home/u/.local/share/kivp");

    test::TempDir dir;
    const std::string demo = dir.mkdir("demo");
    const std::string folder = joinPath(dir.path(), "home/.local/share/kivp");
    prepareUserFolder(folder, demo);
    ProfileFile settings(joinPath(folder, "kivp.ini"));
    EXPECT_EQ(settings.readString("Location", "Directory", ""), demo);

    // A folder already made is the user's: left exactly as it is.
    settings.writeString("Location", "Directory", "/my/league");
    settings.save();
    const std::string before = test::readBytes(joinPath(folder, "kivp.ini"));
    prepareUserFolder(folder, demo);
    EXPECT_EQ(test::readBytes(joinPath(folder, "kivp.ini")), before);

    // Without a demo league the folder starts empty, as any new program folder does.
    const std::string bare = joinPath(dir.path(), "bare");
    prepareUserFolder(bare, joinPath(dir.path(), "no-demo"));
    EXPECT_TRUE(isDirectory(bare));
    EXPECT_TRUE(test::entries(bare).empty());
}

} // namespace
} // namespace kivp
