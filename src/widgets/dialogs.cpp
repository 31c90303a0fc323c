#include "widgets/dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace vireo::ui {

QString applicationTitle() {
    return QStringLiteral("VIREO 皮肤生成器");
}

std::optional<QString> QtDialogs::openFile(QWidget* parent, const QString& filter,
                                           const QString& initialPath) {
    const QString chosen = QFileDialog::getOpenFileName(parent, QString(), initialPath, filter);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

std::optional<QString> QtDialogs::saveFile(QWidget* parent, const QString& filter,
                                           const QString& initialPath) {
    const QString chosen = QFileDialog::getSaveFileName(parent, QString(), initialPath, filter);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

void QtDialogs::message(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace vireo::ui
