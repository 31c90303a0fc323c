#pragma once

#include "core/skin/skin_file.h"

#include <QImage>
#include <QString>

#include <optional>

class QWidget;

namespace vireo::ui {
class Dialogs;
}
namespace vireo::project {
class Project;
}

namespace vireo::workbench::ui {

// The picture to share: the four screens two by two at twice their size with
// their texts, drawn as `vireo-skin render --sheet` draws it.
QImage sheetImage(const skin::SkinFile& skinFile);

// Asks where to save the sheet of `skinFile` ("导出预览图"), proposing
// `startDir`/preview.png, and writes it whole; a failure is said in a message.
void exportSheet(QWidget* parent, vireo::ui::Dialogs& dialogs, const skin::SkinFile& skinFile,
                 const QString& startDir);

// "导出皮肤包…": asks for the name, author and licence (the last ones given
// proposed again, from `settings`' file), then where to save, and writes the
// open project as one package, as `vireo-skin pack` does; a folder not ready
// to pack, or any failure, is said in a message and nothing is written.
void exportPackage(QWidget* parent, vireo::ui::Dialogs& dialogs, project::Project& project,
                   const QString& settingsFile);

// Asks for a new folder ("新建皮肤…") and makes a whole project there from
// the built-in demo pictures, as `vireo-skin new` does: nothing when anything
// is in the way (named in a message) or on any failure. The folder, with its
// trailing separator, when it was made; nothing otherwise.
std::optional<QString> newSkinProject(QWidget* parent, vireo::ui::Dialogs& dialogs,
                                      const QString& startDir, const QString& programDir);

}  // namespace vireo::workbench::ui
