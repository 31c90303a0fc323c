#include "gui/app/startup.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// What --help prints: a usage line, a description, then the options, the
// shape the manual pages follow too.
constexpr const char* kHelp =
    "用法：vireo-skin-builder [选项] [PATH]\n"
    "在窗口中为 VIREO 播放器生成皮肤文件 BACKIMG：由十二张 256 色 BMP 图片和\n"
    "32 字节的设置文件 BACK 生成。\n"
    "\n"
    "用第一个按钮打开 main256.bmp，其他图片和 BACK 从同一文件夹读入，BACKIMG 也写入\n"
    "那里。字节表 ASCII、BMP 文件头模板和备用的 BACK 先在当前目录中找，找不到时\n"
    "用安装目录 share/vireo-skin-builder 中的（与程序所在的 bin 目录同级）。\n"
    "在窗口空白处双击打开皮肤解包窗口；右键菜单还可打开调色板、皮肤工作台和已完成的皮肤。\n"
    "\n"
    "给出 PATH 时直接打开它：一个图片文件夹（或其中的 main256.bmp）在主窗口中检查并在\n"
    "工作台中显示；其他文件当作已完成的皮肤 BACKIMG，先询问解包到哪个新文件夹。\n"
    "\n"
    "窗口需要图形桌面环境。没有桌面时请用命令行工具 vireo-skin，它能完成同样的工作。\n"
    "\n"
    "选项：\n"
    "  -h, --help     显示本帮助并退出\n"
    "  -v, --version  显示版本信息并退出\n"
    "  --workbench    启动时打开工作台\n";

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before QApplication exists, so that they need no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::puts("vireo-skin-builder " VIREO_VERSION);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    }

    // Without a display Qt would abort with an English message and a core dump;
    // a chosen platform (offscreen, say) needs none.
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM")) {
        std::fputs(
            "vireo-skin-builder: 没有图形桌面（DISPLAY 和 WAYLAND_DISPLAY 都未设置），"
            "无法打开窗口；请在桌面中运行，或用命令行工具 vireo-skin 完成同样的工作\n",
            stderr);
        return 2;
    }

    QApplication app(argc, argv);
    vireo::ui::Startup started(app);
    vireo::ui::MainWindow& window = started.window();
    window.show();
    // Qt has taken its own options out; what is left and is no option is the path.
    const QStringList arguments = QApplication::arguments().mid(1);
    QStringList paths;
    for (const QString& argument : arguments)
        if (!argument.startsWith('-')) paths << argument;
    if (paths.size() > 1) {
        std::fputs("vireo-skin-builder: 只能打开一个文件夹或皮肤\n", stderr);
        return 2;
    }
    if (arguments.contains(QLatin1String("--workbench"))) window.showWorkbench();
    if (!paths.isEmpty()) window.openPath(paths.front());
    return app.exec();
}
