// Times the workbench: one redraw of the main screen at 4× while an icon is
// dragged (skin built in memory, rendered and painted), and opening the
// window on a folder. Run by hand, e.g.
//   build/bench/vireo-bench-workbench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include "widgets/dialogs.h"
#include "images/bmp.h"
#include "images/source_set.h"
#include "widgets/project_state.h"
#include "workbench/ui/workbench_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

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

    // The shared state as the main window leaves it after a passing run.
    void fill(ui::ProjectState& state) const {
        std::array<QString, images::kSourceCount> paths;
        for (std::size_t i = 0; i < images::kSourceCount; ++i)
            paths[i] = QString::fromStdString(folder_ + images::kSourceSet[i].fileName);
        state.setSourceSet(QString::fromStdString(folder_), paths, true);
        state.setSettingsPath(QString::fromStdString(folder_ + "BACK"));
        for (std::uint8_t offset = 16; offset < 30; ++offset) state.setFieldText(offset, "40");
    }

private:
    void write(const std::string& name, const Bytes& bytes) {
        std::ofstream(folder_ + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    std::string folder_;
};

void RedrawMainScreenAt4x(benchmark::State& state) {
    SourceFolder sources;
    ui::QtDialogs dialogs;
    ui::ProjectState project;
    sources.fill(project);
    workbench::ui::WorkbenchWindow window(dialogs, project, QString::fromStdString("/tmp/"));
    window.setZoom(4);
    // Large enough that the whole 960×640 screen is painted, not a scrolled part of it.
    window.resize(1100, 1300);
    window.show();
    QApplication::processEvents();
    int x = 0;
    for (auto _ : state) {
        // One step of a drag: the state changes, the window rebuilds and repaints.
        project.setFieldText(16, QString::number(x));
        x = (x + 1) % 176;
    }
}
BENCHMARK(RedrawMainScreenAt4x)->Unit(benchmark::kMillisecond);

void OpenWorkbenchOnFolder(benchmark::State& state) {
    SourceFolder sources;
    ui::QtDialogs dialogs;
    ui::ProjectState project;
    sources.fill(project);
    for (auto _ : state) {
        workbench::ui::WorkbenchWindow window(dialogs, project, QString::fromStdString("/tmp/"));
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(OpenWorkbenchOnFolder)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
