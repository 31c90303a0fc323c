#include "gui/widgets/dialogs.h"

#include "gui/widgets/framing_dialog.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include <algorithm>
#include <vector>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace vireo::ui {

QString applicationTitle() {
    return QStringLiteral("VIREO 皮肤生成器");
}

QString dialogStartPath(const QString& initialPath, const QString& lastFolder,
                        const QString& home) {
    if (initialPath.contains('/')) return initialPath;
    QString folder = lastFolder.isEmpty() ? home : lastFolder;
    if (!folder.endsWith('/')) folder += '/';
    return folder + initialPath;
}

QString QtDialogs::startPath(const QString& initialPath) const {
    return dialogStartPath(initialPath, lastFolder_, QDir::homePath());
}

std::optional<QString> QtDialogs::chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

std::optional<QString> QtDialogs::openFile(QWidget* parent, const QString& filter,
                                           const QString& initialPath) {
    return chosen(QFileDialog::getOpenFileName(parent, QString(), startPath(initialPath), filter));
}

std::optional<QString> QtDialogs::saveFile(QWidget* parent, const QString& caption,
                                           const QString& filter, const QString& initialPath) {
    return chosen(QFileDialog::getSaveFileName(parent, caption, startPath(initialPath), filter));
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

std::optional<QStringList> QtDialogs::fillIn(QWidget* parent, const QString& title,
                                             const QStringList& labels, const QStringList& values) {
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    auto* form = new QFormLayout(&dialog);
    std::vector<QLineEdit*> edits;
    for (int i = 0; i < labels.size(); ++i) {
        edits.push_back(new QLineEdit(values.value(i), &dialog));
        form->addRow(labels[i], edits.back());
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    QStringList texts;
    for (const QLineEdit* edit : edits) texts << edit->text();
    return texts;
}

std::optional<Framing> QtDialogs::chooseFraming(QWidget* parent, const images::RgbaImage& picture,
                                                const FramingQuestion& question) {
    FramingDialog dialog(picture, question, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.framing();
}

std::optional<QColor> QtDialogs::chooseColour(QWidget* parent, const QString& title,
                                              const QColor& initial) {
    // Qt's own dialog, whose "Pick Screen Color" is the eyedropper; translated
    // with the rest of Qt.
    QColorDialog dialog(initial, parent);
    dialog.setWindowTitle(title);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedColor();
}

}  // namespace vireo::ui
