#include "gui/widgets/common_dialog.h"

#include "core/base/binary_file.h"
#include "gui/widgets/std_text.h"

namespace vireo::ui {

CommonDialog::CommonDialog(QString filter, QString initialFileName)
    : filter_(std::move(filter)), fileName_(std::move(initialFileName)) {}

bool CommonDialog::show(Dialogs& dialogs, QWidget* parent) {
    const auto chosen = dialogs.openFile(parent, filter_, fileName_);
    if (!chosen) return false;
    setFileName(*chosen);
    return true;
}

void CommonDialog::setFileName(const QString& path) {
    fileName_ = path;
    fileTitle_ = fromStd(fileTitleOf(toStd(path)));
}

QString CommonDialog::folder() const {
    return fileName_.left(fileName_.size() - fileTitle_.size());
}

}  // namespace vireo::ui
