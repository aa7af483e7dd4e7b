#include "platform/Utf16.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

// UTF-8 inside kivp, UTF-16 at the Windows calls: names in any language survive the trip both ways.
TEST(Utf16, CarriesEveryNameBothWaysAndMarksBytesThatAreNotUtf8) {
    const std::vector<std::pair<std::string, std::wstring>> table = {
        {"C:\\Sim Games", L"C:\\Sim Games"},
        {"Ligue d'\xC3\xA9t\xC3\xA9", L"Ligue d'\u00E9t\u00E9"},
        {"\xE6\x97\xA5\xE6\x9C\xAC", L"\u65E5\u672C"},
        {"\xF0\x9F\x8F\x86", std::wstring{wchar_t(0xD83C), wchar_t(0xDFC6)}}};
    for (const auto& [utf8, utf16] : table) {
        EXPECT_EQ(toUtf16(utf8), utf16) << utf8;
        EXPECT_EQ(fromUtf16(utf16), utf8) << utf8;
    }
    EXPECT_EQ(toUtf16("a\xFF" "b\xC3"), (std::wstring{L'a', wchar_t(0xFFFD), L'b', wchar_t(0xFFFD)}));
    EXPECT_EQ(fromUtf16(std::wstring{wchar_t(0xD83C), L'x'}), "\xEF\xBF\xBDx");
}

} // namespace
} // namespace kivp
