#include "platform/IntegerText.h"
#include "platform/Error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivp {
namespace {

using ::testing::AllOf;
using ::testing::Property;

struct Accepted {
    const char* text;
    int value;
};

void PrintTo(const Accepted& a, std::ostream* os) {
    *os << '"' << a.text << '"';
}

class IntegerTextAccepts : public ::testing::TestWithParam<Accepted> {};

TEST_P(IntegerTextAccepts, ReadsTheNumber) {
    EXPECT_EQ(toInteger(GetParam().text), GetParam().value);
    EXPECT_EQ(parseInteger(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, IntegerTextAccepts,
                         ::testing::Values(Accepted{"0", 0}, Accepted{"-1", -1}, Accepted{"+12", 12},
                                           Accepted{"   42", 42}, Accepted{"007", 7}, Accepted{"$1F", 31},
                                           Accepted{"0x10", 16}, Accepted{"0XfF", 255}, Accepted{"-$10", -16},
                                           Accepted{"2147483647", 2147483647},
                                           Accepted{"-2147483648", -2147483647 - 1},
                                           Accepted{"$FFFFFFFF", -1}));

class IntegerTextRefuses : public ::testing::TestWithParam<const char*> {};

TEST_P(IntegerTextRefuses, RaisesTheConversionErrorWithTheTextAsGiven) {
    const std::string text = GetParam();
    EXPECT_FALSE(parseInteger(text).has_value());
    EXPECT_THAT([&] { toInteger(text); },
                ::testing::Throws<Error>(
                    AllOf(Property(&Error::kind, Error::Kind::NotAnInteger),
                          Property(&Error::text, "'" + text + "' is not a valid integer value"))));
}

INSTANTIATE_TEST_SUITE_P(Texts, IntegerTextRefuses,
                         ::testing::Values("", " ", "-", "$", "0x", "12 ", "1 2", "a1", "1.5", "\t3", "--1",
                                           "0x-1", "2147483648", "-2147483649", "$100000000",
                                           "99999999999999999999"));

} // namespace
} // namespace kivp
