#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace vireo::ui {

// The windows are laid out in twips, 15 to the pixel at 96 dots per inch.
constexpr int px(int twips) {
    return twips / 15;
}

// Every window of the tool has a caption and a close box but no minimize or
// maximize button; only the program changes its size.
inline constexpr Qt::WindowFlags kFixedWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::MSWindowsFixedSizeDialogHint;

// Names a top-level window, sets its caption and the 12-pixel font that the
// windows' pixel layouts are drawn for.
inline void setUpWindow(QWidget* window, const QString& objectName, const QString& caption) {
    window->setObjectName(objectName);
    window->setWindowTitle(caption);
    QFont font = window->font();
    font.setPixelSize(12);
    window->setFont(font);
}

}  // namespace vireo::ui
