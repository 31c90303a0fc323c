// Times the window program's start to its first frame against the plainest
// Chinese window Qt Widgets shows (a QLabel with one sentence): each start a
// fresh process (vireo-bench-start-main-window, vireo-bench-start-reference)
// under the offscreen platform, from the spawn to the byte the child writes
// once its first frame is painted. StartRatio alternates the two so that a busy machine slows both
// alike; its counter `ratio` is the median of the pairs' ratios. Run by hand, e.g.
//   build/bench/vireo-bench-start --benchmark_repetitions=5
//   --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// One start of `program`, in seconds to its first frame.
double startOnce(const char* path) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    // Qt's warnings about the bare environment would bury the table.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);

    std::vector<std::string> environment = {"QT_QPA_PLATFORM=offscreen"};
    for (char** entry = environ; *entry != nullptr; ++entry)
        if (std::string(*entry).rfind("QT_QPA_PLATFORM=", 0) != 0) environment.push_back(*entry);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = path;
    char* argv[] = {program.data(), nullptr};

    const auto begin = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv, envp.data()) != 0)
        std::abort();
    close(pipeEnds[1]);
    char done = 0;
    const bool painted = read(pipeEnds[0], &done, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    close(pipeEnds[0]);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (waitpid(child, &status, 0) != child || !painted || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        std::abort();
    return std::chrono::duration<double>(end - begin).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void StartReference(benchmark::State& state) {
    for (auto _ : state) state.SetIterationTime(startOnce(VIREO_START_REFERENCE));
}
BENCHMARK(StartReference)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void StartMainWindow(benchmark::State& state) {
    for (auto _ : state) state.SetIterationTime(startOnce(VIREO_START_MAIN_WINDOW));
}
BENCHMARK(StartMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void StartRatio(benchmark::State& state) {
    std::vector<double> references, mains, ratios;
    for (auto _ : state) {
        const double reference = startOnce(VIREO_START_REFERENCE);
        const double main = startOnce(VIREO_START_MAIN_WINDOW);
        state.SetIterationTime(main);
        references.push_back(reference);
        mains.push_back(main);
        ratios.push_back(main / reference);
    }
    state.counters["ratio"] = median(ratios);
    state.counters["reference_ms"] = median(references) * 1000;
    state.counters["main_ms"] = median(mains) * 1000;
}
BENCHMARK(StartRatio)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
