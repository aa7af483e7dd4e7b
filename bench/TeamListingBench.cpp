// Listing a team folder of 10,000 team files, against a baseline measured in the same run that only opens
// each file of the folder and reads its first line with the standard library. The "ratio" column of
// ListingOverBaseline is listing time over baseline time; the goal is 1.5 at most.

#include "platform/Paths.h"
#include "support/RecordingPrompts.h"
#include "support/TempDir.h"
#include "teams/TeamList.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace {

constexpr int kTeamFiles = 10000;

const std::string& teamFolder() {
    static kivp::test::TempDir dir;
    static const bool filled = [] {
        const std::string team = kivp::test::readBytes(KIVP_SOURCE_DIR "/demo/ASHVALE.dat");
        for (int i = 0; i < kTeamFiles; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "T%05d.dat", (i * 7919) % kTeamFiles);
            dir.write(name, team);
        }
        return true;
    }();
    (void)filled;
    return dir.path();
}

void ListTeams(benchmark::State& state) {
    const std::string& folder = teamFolder();
    for (auto _ : state) {
        kivp::test::RecordingPrompts prompts;
        auto teams = kivp::listTeams(folder, prompts);
        if (teams.size() != kTeamFiles || !prompts.calls.empty())
            state.SkipWithError("the folder did not list as 10,000 teams");
        benchmark::DoNotOptimize(teams);
    }
}

std::size_t BaselineOnce(const std::string& folder) {
    std::size_t total = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path());
        std::string line;
        std::getline(in, line);
        total += line.size();
    }
    return total;
}

void BaselineFirstLines(benchmark::State& state) {
    const std::string& folder = teamFolder();
    for (auto _ : state)
        benchmark::DoNotOptimize(BaselineOnce(folder));
}

// Both in turn, timed here, so that the ratio is printed beside the figures.
void ListingOverBaseline(benchmark::State& state) {
    const std::string& folder = teamFolder();
    std::chrono::duration<double> listing{}, baseline{};
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        BaselineOnce(folder);
        const auto t1 = std::chrono::steady_clock::now();
        kivp::test::RecordingPrompts prompts;
        benchmark::DoNotOptimize(kivp::listTeams(folder, prompts));
        const auto t2 = std::chrono::steady_clock::now();
        baseline += t1 - t0;
        listing += t2 - t1;
    }
    state.counters["ratio"] = listing.count() / baseline.count();
}

BENCHMARK(BaselineFirstLines)->Unit(benchmark::kMillisecond);
BENCHMARK(ListTeams)->Unit(benchmark::kMillisecond);
BENCHMARK(ListingOverBaseline)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
