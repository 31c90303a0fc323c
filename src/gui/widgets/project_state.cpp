#include "gui/widgets/project_state.h"

#include "core/settings/record.h"
#include "core/settings/write.h"
#include "gui/widgets/std_text.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

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
    void folderOpened(const std::string&) override {
        state_.followProject(true);
        state_.watchFolder();
    }
    void originalsChanged(const std::vector<images::Source>&) override {
        emit state_.originalsChanged();
    }
    void recordChanged(bool written) override {
        state_.followProject(false);
        if (written && !state_.settingsPath().isEmpty())
            state_.announceFileChanged(state_.settingsPath());
    }

private:
    ProjectState& state_;
};

ProjectState::ProjectState(QObject* parent)
    : QObject(parent),
      folderWatcher_(new QFileSystemWatcher(this)),
      forwarder_(std::make_unique<Forwarder>(*this)) {
    connect(folderWatcher_, &QFileSystemWatcher::fileChanged, this, &ProjectState::followDisk);
    connect(folderWatcher_, &QFileSystemWatcher::directoryChanged, this, &ProjectState::followDisk);
}

void ProjectState::followDisk() {
    // The project reads again what changed (BACK keeping the edits not yet
    // written) and announces it; the fields and every window follow.
    if (project_ && project_->isOpen()) (void)project_->reload();
    watchFolder();
}

void ProjectState::watchFolder() {
    // A file replaced by a rename leaves the watch, so the watch is set anew.
    const QStringList files = folderWatcher_->files(), folders = folderWatcher_->directories();
    if (!files.isEmpty()) folderWatcher_->removePaths(files);
    if (!folders.isEmpty()) folderWatcher_->removePaths(folders);
    if (!project_ || !project_->isOpen()) return;
    // The folders tell of files made, removed or renamed; the files of
    // changes in place.
    QStringList watched{fromStd(project_->folder())};
    const QString art = fromStd(project_->folder()) + QStringLiteral("art");
    if (QFileInfo(art).isDir()) watched << art;
    for (const std::string& path : project_->sourcePaths())
        if (QFileInfo::exists(fromStd(path))) watched << fromStd(path);
    const QString back = fromStd(project_->settingsPath());
    if (QFileInfo::exists(back)) watched << back;
    folderWatcher_->addPaths(watched);
}

ProjectState::~ProjectState() {
    if (project_) project_->removeListener(forwarder_.get());
}

void ProjectState::setProject(project::Project* project) {
    if (project_) project_->removeListener(forwarder_.get());
    project_ = project;
    if (!project_) {
        watchFolder();
        return;
    }
    project_->addListener(forwarder_.get());
    watchFolder();
    if (project_->isOpen()) {
        followProject(true);
        return;
    }
    for (const settings::Field& field : settings::kColourFields) handToProject(field.offset);
    for (const settings::Field& field : settings::kPositionFields) handToProject(field.offset);
    project_->setHintOn(hintOn_);
}

void ProjectState::handToProject(std::uint8_t offset) {
    if (!project_ || following_) return;
    const auto value = settings::storedValueOf(offset, toStd(fieldTexts_.at(offset)));
    if (!value) return;
    // One byte changed in the record's bytes names the item and its part.
    settings::Record bytes = project::bytesOf(project_->record());
    bytes[offset] = *value;
    const project::SkinRecord wanted = project::skinRecordOf(bytes);
    for (std::size_t i = 0; i < project::kColourCount; ++i)
        (void)project_->setColour(static_cast<project::RecordItem>(i), wanted.colours[i]);
    for (std::size_t i = 0; i < project::kPositionCount; ++i)
        (void)project_->setPosition(
            static_cast<project::RecordItem>(i + std::size_t(project::RecordItem::MoviePosition)),
            wanted.positions[i]);
}

void ProjectState::followProject(bool all) {
    if (!project_) return;
    const settings::Record bytes = project::bytesOf(project_->record());
    following_ = true;
    // Only a value that changed in the core replaces its text: a text that
    // is no value stays while the other part of its item is edited.
    const auto follow = [&](const settings::Field& field) {
        const std::uint8_t value = bytes[field.offset];
        if (!all && value == followedBytes_[field.offset]) return;
        if (settings::storedValueOf(field.offset, toStd(fieldTexts_.at(field.offset))) != value)
            setFieldText(field.offset, fromStd(settings::byteText(value)));
    };
    for (const settings::Field& field : settings::kColourFields) follow(field);
    for (const settings::Field& field : settings::kPositionFields) follow(field);
    setHintOn(project_->record().hintOn);
    followedBytes_ = bytes;
    following_ = false;
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
    handToProject(offset);
    emit fieldTextChanged(offset, text);
}

void ProjectState::setHintOn(bool on) {
    if (on == hintOn_) return;
    hintOn_ = on;
    if (project_ && !following_) project_->setHintOn(on);
    emit hintOnChanged(on);
}

void ProjectState::announceFileChanged(const QString& path) {
    emit fileChanged(path);
}

}  // namespace vireo::ui
