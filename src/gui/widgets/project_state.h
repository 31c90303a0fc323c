#pragma once

#include "core/images/source_set.h"
#include "core/project/project.h"
#include "core/settings/record.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

class QFileSystemWatcher;

namespace vireo::ui {

// What the main window has verified and what the settings panel is editing,
// held once and shared by every window that shows it. Windows bind to the
// change signals; none of them reads another window's widgets.
//
// A setter emits its signal only when the value changes, as a control does
// when the program sets its text.
class ProjectState : public QObject {
    Q_OBJECT

public:
    explicit ProjectState(QObject* parent = nullptr);
    ~ProjectState() override;

    // The project core behind the windows, not owned; the state forwards its
    // announcements: written sources and BACK as fileChanged. Null until a
    // window provides one. An open project's record becomes the fields';
    // one not yet open takes the fields' values.
    project::Project* project() const { return project_; }
    void setProject(project::Project* project);

    // The folder of the verified main256.bmp, trailing separator kept, and the
    // twelve paths derived from it in the order of images::kSourceSet. Empty
    // before the first verification run.
    const QString& folder() const { return folder_; }
    const std::array<QString, images::kSourceCount>& sourcePaths() const { return sourcePaths_; }
    const QString& sourcePath(images::Source source) const {
        return sourcePaths_[static_cast<std::size_t>(source)];
    }
    // Whether the last verification run passed every check.
    bool verified() const { return verified_; }
    void setSourceSet(const QString& folder, const std::array<QString, images::kSourceCount>& paths,
                      bool verified);

    // The current settings file: the BACK that the writes change and generation copies.
    const QString& settingsPath() const { return settingsPath_; }
    void setSettingsPath(const QString& path);

    // The record's shown fields as their boxes hold them: decimal text for
    // each field of settings::kColourFields and kPositionFields, indexed by
    // the field's offset, and the hint flag. The values live in the project
    // core: a text that is a storable value goes to it at once, and every
    // change of its record (an edit in another window, BACK written or read
    // again) puts the values' texts here. A text that is no value ("abc",
    // "300") stays here only, for a write to refuse and name.
    const QString& fieldText(std::uint8_t offset) const { return fieldTexts_.at(offset); }
    void setFieldText(std::uint8_t offset, const QString& text);
    bool hintOn() const { return hintOn_; }
    void setHintOn(bool on);

    // Tells the windows that a file of the folder was rewritten behind their
    // back (a picture converted into a slot, BACK written), so that they
    // reload what they show from it.
    void announceFileChanged(const QString& path);

signals:
    void sourceSetChanged();
    void settingsPathChanged(const QString& path);
    void fieldTextChanged(std::uint8_t offset, const QString& text);
    void hintOnChanged(bool on);
    void fileChanged(const QString& path);
    // Originals in art/ were replaced, added or removed (what is stale may differ).
    void originalsChanged();

private:
    QString folder_;
    std::array<QString, images::kSourceCount> sourcePaths_;
    bool verified_ = false;
    QString settingsPath_;
    std::array<QString, 32> fieldTexts_;
    bool hintOn_ = false;
    project::Project* project_ = nullptr;
    // The open project's folder, art/, sources and BACK, so that a change
    // made outside reaches every window, whichever of them is open.
    QFileSystemWatcher* folderWatcher_ = nullptr;
    void watchFolder();
    void followDisk();
    bool following_ = false;            // taking the core's values, which need not go back
    settings::Record followedBytes_{};  // the core's record as last followed

    // Hands the value of one field's text to the core, when it is one.
    void handToProject(std::uint8_t offset);
    // Makes the texts show the core's record: every text that differs from
    // it (`all`), or those of values that changed since the last follow.
    void followProject(bool all);
    class Forwarder;
    std::unique_ptr<Forwarder> forwarder_;
};

}  // namespace vireo::ui
