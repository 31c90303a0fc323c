#include "widgets/dialogs.h"

#include <algorithm>
#include <vector>

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

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

std::optional<QString> QtDialogs::saveFile(QWidget* parent, const QString& caption,
                                           const QString& filter, const QString& initialPath) {
    const QString chosen = QFileDialog::getSaveFileName(parent, caption, initialPath, filter);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

void QtDialogs::message(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<int> QtDialogs::ask(QWidget* parent, const QString& text,
                                  const QStringList& answers) {
    QMessageBox box(QMessageBox::Question, applicationTitle(), text, QMessageBox::NoButton, parent);
    std::vector<QAbstractButton*> buttons;
    for (const QString& answer : answers)
        buttons.push_back(box.addButton(answer, QMessageBox::AcceptRole));
    if (!buttons.empty()) box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    if (chosen == buttons.end()) return std::nullopt;
    return static_cast<int>(chosen - buttons.begin());
}

}  // namespace vireo::ui
