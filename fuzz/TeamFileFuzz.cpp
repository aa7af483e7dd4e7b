// Team files: the title-line check of the team listing and the roster columns take anything.
#include "FuzzInput.h"
#include "platform/Prompts.h"
#include "teams/TeamFile.h"
#include "teams/TeamList.h"

namespace {
struct SilentPrompts : kivp::Prompts {
    void showMessage(const kivp::Message&) override {}
    bool askOkCancel(const kivp::Message&) override { return false; }
    std::optional<bool> askYesNo(const kivp::Message&) override { return false; }
    std::optional<std::size_t> askChoice(const kivp::Message&, const std::vector<std::string>&,
                                         std::size_t) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseFileToSave(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseFolder(const std::string&) override { return std::nullopt; }
    std::optional<std::string> chooseFileToOpen(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<kivp::FontChoice> chooseFont(const kivp::FontChoice&) override { return std::nullopt; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kivp;
    const std::string_view text = fuzz::textOf(data, size);
    const TeamSheet sheet = readTeamSheet(splitLines(text), "FUZZ.dat");
    for (const auto& pitcher : sheet.pitchers)
        pitcher.row();
    for (const auto& batter : sheet.lineup)
        fuzz::require(!batter.row().empty(), "a lineup row is never empty");
    const std::string path = fuzz::scratchFile("FUZZ.dat", text);
    SilentPrompts prompts;
    listTeams(path.substr(0, path.rfind('/')), prompts);
    return 0;
}
