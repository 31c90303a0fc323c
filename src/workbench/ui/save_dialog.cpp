#include "workbench/ui/save_dialog.h"

#include <QFileDialog>

namespace vireo::workbench::ui {

std::optional<QString> QtSaveDialog::saveFile(QWidget* parent, const QString& filter,
                                              const QString& initialPath) {
    const QString path = QFileDialog::getSaveFileName(parent, QString(), initialPath, filter);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

}  // namespace vireo::workbench::ui
