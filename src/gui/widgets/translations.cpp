#include "gui/widgets/translations.h"

#include <QCoreApplication>
#include <QTranslator>

namespace vireo::ui {

bool installChineseQtTranslations(QCoreApplication& app, const QString& folder) {
    // Owned by the application, so that it lives as long as the texts it translates.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace vireo::ui
