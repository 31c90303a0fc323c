// Times the workbench on the demo skin: one redraw of the main screen at 4×
// while an icon is dragged (skin built in memory, rendered and painted), and
// opening the window on a folder (files read, every slot judged by the
// doctor). Run by hand, e.g.
//   build/bench/vireo-bench-workbench --benchmark_repetitions=10
//   --benchmark_report_aggregates_only=true
#include "core/demo/demo_set.h"
#include "core/images/source_set.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/project_state.h"
#include "gui/workbench/workbench_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <cstdlib>

using namespace vireo;

namespace {

// The demo's sources in a scratch folder, and the shared state as the main
// window leaves it after a passing run.
struct DemoFolder {
    DemoFolder() {
        const QString folder = dir.path() + '/';
        std::vector<OutputFile> files;
        for (const auto& [name, bytes] : demo::demoSourceSet())
            files.push_back({folder.toStdString() + name, bytes});
        if (!writeFilesAtomically(files)) std::abort();
        std::array<QString, images::kSourceCount> paths;
        for (std::size_t i = 0; i < images::kSourceCount; ++i)
            paths[i] = folder + QString::fromLatin1(images::kSourceSet[i].fileName);
        project.setSourceSet(folder, paths, true);
        project.setSettingsPath(folder + "BACK");
        for (std::uint8_t offset = 16; offset < 30; ++offset) project.setFieldText(offset, "40");
    }

    QTemporaryDir dir;
    ui::QtDialogs dialogs;
    ui::ProjectState project;
};

void RedrawMainScreenAt4x(benchmark::State& state) {
    DemoFolder demo;
    workbench::ui::WorkbenchWindow window(demo.dialogs, demo.project, demo.dir.path());
    window.setZoom(4);
    // Large enough that the whole 960×640 screen is painted, not a scrolled part of it.
    window.resize(1100, 1300);
    window.show();
    QApplication::processEvents();
    int x = 0;
    for (auto _ : state) {
        // One step of a drag: the state changes, the window rebuilds and repaints.
        demo.project.setFieldText(16, QString::number(x));
        x = (x + 1) % 176;
    }
}
BENCHMARK(RedrawMainScreenAt4x)->Unit(benchmark::kMillisecond);

// One frame of a drag of an icon that has an original: the position changes,
// the skin is rebuilt and rendered, the original is composited over the
// background where the icon now stands, and the canvas repaints at 4×.
void DragFrameFromOriginalAt4x(benchmark::State& state) {
    DemoFolder demo;
    QImage round(64, 64, QImage::Format_ARGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            round.setPixel(x, y,
                           (x - 32) * (x - 32) + (y - 32) * (y - 32) < 900 ? qRgba(200, 40, 40, 255)
                                                                           : qRgba(0, 0, 0, 0));
    const QString original = demo.dir.filePath("round.png");
    if (!round.save(original)) std::abort();
    // The other icons out of the way, so that the press picks the movie icon.
    for (std::uint8_t offset = 18; offset < 28; ++offset) demo.project.setFieldText(offset, "150");
    workbench::ui::WorkbenchWindow window(demo.dialogs, demo.project, demo.dir.path());
    window.setZoom(4);
    window.resize(1100, 1300);
    window.show();
    window.replaceSlot(images::Source::MovieIcon, original);
    QApplication::processEvents();
    QWidget* canvas = window.findChild<QWidget*>("screenCanvas");
    // The movie icon stands at 40,40 (160,160 at 4×); the drag starts on it.
    const QPointF start(170, 170);
    QMouseEvent press(QEvent::MouseButtonPress, start, canvas->mapToGlobal(start), Qt::LeftButton,
                      Qt::LeftButton, {});
    QApplication::sendEvent(canvas, &press);
    int step = 0;
    for (auto _ : state) {
        const QPointF at = start + QPointF(4 * (step % 100), 4 * (step % 60));
        QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(canvas, &move);
        ++step;
    }
    if (window.positionText().isEmpty()) state.SkipWithError("no icon was dragged");
}
BENCHMARK(DragFrameFromOriginalAt4x)->Unit(benchmark::kMillisecond);

void OpenWorkbenchOnFolder(benchmark::State& state) {
    DemoFolder demo;
    for (auto _ : state) {
        workbench::ui::WorkbenchWindow window(demo.dialogs, demo.project, demo.dir.path());
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
