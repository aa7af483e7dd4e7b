#pragma once
// The rows of a test table carry a name; gtest prints a row as its name. A test file brings this printer into
// the namespace of its rows with `using test::PrintTo;`.

#include <ostream>

namespace kivp::test {

template <typename Row>
    requires requires(const Row& row, std::ostream& os) { os << row.name; }
void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

} // namespace kivp::test
