#pragma once

#include <QLibraryInfo>
#include <QString>

class QCoreApplication;

namespace vireo::ui {

// Installs Qt's own Simplified Chinese translations (qtbase_zh_CN.qm from
// qt6-translations-l10n) into `app`, so that the standard file dialogs and
// message-box buttons speak the tool's language whatever the system locale.
// Returns false, installing nothing, when the catalogue is not in `folder`:
// the dialogs then stay in Qt's English.
bool installChineseQtTranslations(QCoreApplication& app, const QString& folder = QLibraryInfo::path(
                                                             QLibraryInfo::TranslationsPath));

}  // namespace vireo::ui
