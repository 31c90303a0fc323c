#include "gui/app/startup.h"

#include "gui/widgets/translations.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace vireo::ui {

namespace {

// Runs before the window's members are made, so that their texts are Qt's Chinese ones.
QString prepare(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("vireo-skin-builder"));
    if (!installChineseQtTranslations(app))
        std::fputs(
            "vireo-skin-builder: 找不到 Qt 的中文翻译（qt6-translations-l10n），"
            "文件对话框将显示英文\n",
            stderr);
    // The byte table, the templates and the fallback BACK are looked for in the
    // folder the tool is started from, then in the installed data folder.
    return QDir::currentPath();
}

}  // namespace

Startup::Startup(QApplication& app) : window_(dialogs_, prepare(app)) {}

}  // namespace vireo::ui
