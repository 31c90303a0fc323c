#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace vireo::workbench::ui {

// The save-file dialog the workbench asks through, so that an export can be
// driven headless like every other dialog.
class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    // Returns the chosen full path, or nothing when the user cancelled.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                            const QString& initialPath) = 0;
};

class QtSaveDialog final : public SaveDialog {
public:
    std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                    const QString& initialPath) override;
};

}  // namespace vireo::workbench::ui
