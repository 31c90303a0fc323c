#include "widgets/project_state.h"

namespace vireo::ui {

// Hands the project's announcements on as the state's signals.
class ProjectState::Forwarder final : public project::ProjectListener {
public:
    explicit Forwarder(ProjectState& state) : state_(state) {}
    void sourcesChanged(const std::vector<images::Source>& sources) override {
        for (const images::Source source : sources) {
            const QString& path = state_.sourcePath(source);
            if (!path.isEmpty()) state_.announceFileChanged(path);
        }
    }
    void recordChanged(bool written) override {
        if (written && !state_.settingsPath().isEmpty())
            state_.announceFileChanged(state_.settingsPath());
    }

private:
    ProjectState& state_;
};

ProjectState::ProjectState(QObject* parent)
    : QObject(parent), forwarder_(std::make_unique<Forwarder>(*this)) {}

ProjectState::~ProjectState() {
    if (project_) project_->removeListener(forwarder_.get());
}

void ProjectState::setProject(project::Project* project) {
    if (project_) project_->removeListener(forwarder_.get());
    project_ = project;
    if (project_) project_->addListener(forwarder_.get());
}

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
