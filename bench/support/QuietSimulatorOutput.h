#pragma once
// The stand-in simulator prints every line score on the standard output it shares with the program that
// starts it. For a benchmark report that stays readable, the standard output is sent to /dev/null and
// std::cout goes on to the terminal through a descriptor of its own. Call once, before the first game.

namespace kivp::test {

void keepSimulatorOutputOutOfTheReport();

} // namespace kivp::test
