// Times the work behind one press of "打开文件" and one of "生成皮肤" on a
// complete source folder, and of the vireo-skin commands build, inspect and
// render. Not a test: run by hand, e.g.
//   build/bench/vireo-bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include "core/cli/command_line.h"
#include "core/images/bmp.h"
#include "core/images/source_set.h"
#include "core/images/verification.h"
#include "core/skin/generation.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;
using namespace vireo;

namespace {

// A scratch folder with twelve sources and a BACK, removed when done.
class SourceFolder {
public:
    SourceFolder() {
        char name[] = "/tmp/vireo-bench-XXXXXX";
        folder_ = std::string(mkdtemp(name)) + "/";
        std::mt19937 random(1);
        for (const auto& image : images::kSourceSet) {
            Bytes bytes = images::makeBmpHeader(image.width, image.height);
            bytes.resize(image.requiredLength());
            for (std::size_t i = images::kBmpHeaderLength; i < bytes.size(); ++i)
                bytes[i] = static_cast<std::uint8_t>(random());
            write(image.fileName, bytes);
        }
        write("BACK", Bytes(32, 7));
    }
    ~SourceFolder() { fs::remove_all(folder_); }

    const std::string& folder() const { return folder_; }

private:
    void write(const std::string& name, const Bytes& bytes) {
        std::ofstream(folder_ + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    std::string folder_;
};

void VerifyAndGenerate(benchmark::State& state) {
    SourceFolder sources;
    for (auto _ : state) {
        const auto run = images::verifySourceSet(sources.folder(), "/nonexistent");
        if (!run.passed()) state.SkipWithError("verification failed");
        const auto written =
            skin::generateSkin({run.paths, run.settingsPath}, sources.folder() + "BACKIMG");
        if (!written) state.SkipWithError("generation failed");
    }
}
BENCHMARK(VerifyAndGenerate)->Unit(benchmark::kMicrosecond);

// One vireo-skin command run in-process, its output kept in memory.
void runCommand(benchmark::State& state, const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const cli::Environment environment{{VIREO_PNG_MODULE_DIR}, {}};
    if (cli::runCommandLine(arguments, out, err, environment) != 0)
        state.SkipWithError(err.str().c_str());
}

void CommandBuild(benchmark::State& state) {
    SourceFolder sources;
    const std::string& folder = sources.folder();
    for (auto _ : state) runCommand(state, {"vireo-skin", "build", folder});
}
BENCHMARK(CommandBuild)->Unit(benchmark::kMicrosecond);

void CommandInspect(benchmark::State& state) {
    SourceFolder sources;
    const std::string& folder = sources.folder();
    runCommand(state, {"vireo-skin", "build", folder});
    for (auto _ : state) runCommand(state, {"vireo-skin", "inspect", folder + "BACKIMG"});
}
BENCHMARK(CommandInspect)->Unit(benchmark::kMicrosecond);

void CommandRender(benchmark::State& state) {
    SourceFolder sources;
    const std::string& folder = sources.folder();
    runCommand(state, {"vireo-skin", "build", folder});
    for (auto _ : state)
        runCommand(state, {"vireo-skin", "render", folder + "BACKIMG", "-o", folder + "main.png"});
}
BENCHMARK(CommandRender)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
