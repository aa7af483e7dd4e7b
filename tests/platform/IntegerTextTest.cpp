#include "platform/IntegerText.h"
#include "platform/Error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivp {
namespace {

using ::testing::AllOf;
using ::testing::Property;

// Decimal and hexadecimal ("$1F", "0x10") 32-bit integers with an optional sign and leading spaces; anything
// else raises the conversion error quoting the text as given.
TEST(IntegerText, ReadsWhatTheConversionAcceptsAndRefusesTheRest) {
    const std::vector<std::pair<const char*, std::optional<int>>> table = {
        {"0", 0}, {"-1", -1}, {"+12", 12}, {"   42", 42}, {"007", 7}, {"$1F", 31}, {"0x10", 16},
        {"0XfF", 255}, {"-$10", -16}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"$FFFFFFFF", -1}, {"", {}}, {" ", {}}, {"-", {}}, {"$", {}}, {"0x", {}}, {"12 ", {}}, {"1 2", {}},
        {"a1", {}}, {"1.5", {}}, {"\t3", {}}, {"--1", {}}, {"0x-1", {}}, {"2147483648", {}},
        {"-2147483649", {}}, {"$100000000", {}}, {"99999999999999999999", {}}};
    for (const auto& [text, value] : table) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseInteger(text), value);
        if (value) {
            EXPECT_EQ(toInteger(text), *value);
        } else {
            const std::string message = "'" + std::string(text) + "' is not a valid integer value";
            EXPECT_THAT([&] { toInteger(text); },
                        ::testing::Throws<Error>(AllOf(Property(&Error::kind, Error::Kind::NotAnInteger),
                                                       Property(&Error::text, message))));
        }
    }
}

} // namespace
} // namespace kivp
