#include "widgets/project_state.h"

namespace vireo::ui {

ProjectState::ProjectState(QObject* parent) : QObject(parent) {}

void ProjectState::setSourceSet(const QString& folder,
                                const std::array<QString, images::kSourceCount>& paths,
                                bool verified) {
    if (folder == folder_ && paths == sourcePaths_ && verified == verified_) return;
    folder_ = folder;
    sourcePaths_ = paths;
    verified_ = verified;
    emit sourceSetChanged();
}

void ProjectState::setSettingsPath(const QString& path) {
    if (path == settingsPath_) return;
    settingsPath_ = path;
    emit settingsPathChanged(path);
}

void ProjectState::setFieldText(std::uint8_t offset, const QString& text) {
    QString& current = fieldTexts_.at(offset);
    if (text == current) return;
    current = text;
    emit fieldTextChanged(offset, text);
}

void ProjectState::setHintOn(bool on) {
    if (on == hintOn_) return;
    hintOn_ = on;
    emit hintOnChanged(on);
}

void ProjectState::announceFileChanged(const QString& path) {
    emit fileChanged(path);
}

}  // namespace vireo::ui
