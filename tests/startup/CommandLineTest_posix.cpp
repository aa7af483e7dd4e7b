#include "startup/CommandLine.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

TEST(UserFolder, IsKivpInTheDataFolder) {
    EXPECT_EQ(userProgramFolder("/data", "/home/u"), "/data/kivp");
    EXPECT_EQ(userProgramFolder("relative", "/home/u"), "/home/u/.local/share/kivp");
    EXPECT_EQ(userProgramFolder(nullptr, "/home/u"), "/home/u/.local/share/kivp");
}

} // namespace
} // namespace kivp
