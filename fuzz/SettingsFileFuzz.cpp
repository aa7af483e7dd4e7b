// The settings file: any file parses; a value written reads back, and every line that is not that key's
// survives the write.
#include "FuzzInput.h"
#include "options/ProfileFile.h"
#include "platform/TextFile.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kivp;
    const std::string path = fuzz::scratchFile("kivp.ini", fuzz::textOf(data, size));
    ProfileFile before(path);
    before.readString("Location", "Directory", "");
    before.readInteger("Team Options", "Use DH", 0);
    ProfileFile file(path);
    file.writeString("Location", "Directory", "/fuzz/teams");
    file.save();
    ProfileFile after(path);
    fuzz::require(after.readString("Location", "Directory", "") == "/fuzz/teams", "a written value reads back");
    fuzz::require(after.lines().size() <= before.lines().size() + 2, "a write adds at most a section and a key");
    std::size_t kept = 0;
    for (const auto& line : before.lines())
        kept += std::find(after.lines().begin(), after.lines().end(), line) != after.lines().end();
    fuzz::require(kept + 1 >= before.lines().size(), "lines other than the key's survive");
    return 0;
}
