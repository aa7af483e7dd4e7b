// Listing a team folder of 10,000 team files, against a baseline measured in the same run that only opens
// each file of the folder and reads its first line with the standard library. Prints the ratio; the goal
// is 1.5 at most.

#include "platform/Paths.h"
#include "support/RecordingPrompts.h"
#include "support/TempDir.h"
#include "teams/TeamList.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

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

void BaselineFirstLines(benchmark::State& state) {
    const std::string& folder = teamFolder();
    for (auto _ : state) {
        std::size_t total = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::ifstream in(entry.path());
            std::string line;
            std::getline(in, line);
            total += line.size();
        }
        benchmark::DoNotOptimize(total);
    }
}

BENCHMARK(BaselineFirstLines)->Unit(benchmark::kMillisecond);
BENCHMARK(ListTeams)->Unit(benchmark::kMillisecond);

// Keeps the time per iteration of each benchmark so that main can print the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs)
            if (run.run_type == Run::RT_Iteration)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto listing = reporter.times.find("ListTeams");
    const auto baseline = reporter.times.find("BaselineFirstLines");
    if (listing != reporter.times.end() && baseline != reporter.times.end() && baseline->second > 0) {
        std::cout << "listing 10,000 team files / baseline = " << listing->second / baseline->second
                  << " (goal: 1.5 at most)\n";
    }
    benchmark::Shutdown();
    return 0;
}
