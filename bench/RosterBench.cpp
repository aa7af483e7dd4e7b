// Reading both rosters of a series from the demo league, as choosing a series in the options window does,
// against a baseline in the same run that only loads the two files' lines.

#include "platform/TextFile.h"
#include "support/RecordingPrompts.h"
#include "teams/Roster.h"

#include <benchmark/benchmark.h>

namespace {

const std::string kDemo = KIVP_SOURCE_DIR "/demo";

void ReadSeriesRosters(benchmark::State& state) {
    kivp::test::RecordingPrompts prompts;
    for (auto _ : state) {
        auto home = kivp::readRoster(kDemo, "ASHVALE", true, prompts);
        auto visitor = kivp::readRoster(kDemo, "NOXBURY", true, prompts);
        benchmark::DoNotOptimize(home);
        benchmark::DoNotOptimize(visitor);
    }
    if (!prompts.calls.empty())
        state.SkipWithError("the demo rosters gave messages");
}

void BaselineLoadTwoFiles(benchmark::State& state) {
    for (auto _ : state) {
        auto home = kivp::loadLines(kDemo + "/ASHVALE.dat");
        auto visitor = kivp::loadLines(kDemo + "/NOXBURY.dat");
        benchmark::DoNotOptimize(home);
        benchmark::DoNotOptimize(visitor);
    }
}

BENCHMARK(BaselineLoadTwoFiles)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadSeriesRosters)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
