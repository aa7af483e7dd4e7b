#include "WindowTests.h"

namespace kivp::test {

std::vector<QObject*>& windowTests() {
    static std::vector<QObject*> tests;
    return tests;
}

} // namespace kivp::test
