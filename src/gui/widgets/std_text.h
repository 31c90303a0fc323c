#pragma once

#include <QString>

#include <string>

namespace vireo::ui {

// The cores take and give UTF-8 std::string; the windows hold QString.
inline QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

inline std::string toStd(const QString& text) {
    return text.toStdString();
}

}  // namespace vireo::ui
