#include "core/project/project.h"

#include "core/images/bmp.h"
#include "core/project/project_core.h"

#include <algorithm>
#include <utility>

namespace vireo::project {

namespace {

Error notOpen() {
    return Error{Error::Kind::Invalid, {}, kNoFolder};
}

}  // namespace

std::string artFolderOf(const std::string& folder) {
    return joinPath(folder, kArtFolderName) + "/";
}

std::string proposedFolderFor(const std::string& skinPath) {
    std::string title = fileTitleOf(skinPath);
    const std::string extension = package::kPackageExtension;
    if (title.size() > extension.size() &&
        title.compare(title.size() - extension.size(), extension.size(), extension) == 0)
        title.resize(title.size() - extension.size());
    return joinPath(folderOf(skinPath).empty() ? "." : folderOf(skinPath), title + "-源文件") + "/";
}

std::vector<std::string> filesInTheWay(const std::string& folder) {
    std::vector<std::string> found;
    auto check = [&](const std::string& path) {
        if (fileTypeAt(path) != Error::FileType::Missing) found.push_back(path);
    };
    for (const images::SourceImage& image : images::kSourceSet)
        check(joinPath(folder, image.fileName));
    check(joinPath(folder, images::kSettingsFileName));
    check(artFolderOf(folder) + kDerivedFileName);
    return found;
}

Project::Project(artwork::PictureDecoder& decoder, std::string byteTablePath)
    : core_(std::make_unique<ProjectCore>(decoder, std::move(byteTablePath))) {}

Project::~Project() = default;

void Project::addListener(ProjectListener* listener) {
    core_->listeners.push_back(listener);
}

void Project::removeListener(ProjectListener* listener) {
    auto& all = core_->listeners;
    all.erase(std::remove(all.begin(), all.end(), listener), all.end());
}

bool Project::isOpen() const {
    return core_->open;
}
const std::string& Project::folder() const {
    return core_->folder;
}
const images::SourcePaths& Project::sourcePaths() const {
    return core_->paths;
}
std::string Project::settingsPath() const {
    return core_->folder + images::kSettingsFileName;
}
const images::Verification& Project::verification() const {
    return core_->verification;
}

const Bytes* Project::sourceBytes(images::Source source) const {
    const auto& bytes = core_->sources[indexOf(source)];
    return bytes ? &*bytes : nullptr;
}

const Error* Project::sourceProblem(images::Source source) const {
    const auto& problem = core_->sourceErrors[indexOf(source)];
    return problem ? &*problem : nullptr;
}

const SkinRecord& Project::record() const {
    return core_->edited;
}
void Project::setByteTablePath(std::string path) {
    core_->tablePath = std::move(path);
}

bool Project::recordUnwritten() const {
    return core_->edited != core_->stored;
}

Result<bool> Project::setPosition(RecordItem item, Position position) {
    if (!isPositionItem(item) || !storable(position))
        return Error{Error::Kind::Invalid, {}, kNotStorable};
    Position& held = core_->edited.positions[positionIndex(item)];
    if (held == position) return false;
    held = position;
    core_->announceRecord(false);
    return true;
}

Result<bool> Project::setColour(RecordItem item, images::Colour colour) {
    if (!isColourItem(item)) return Error{Error::Kind::Invalid, {}, kNotStorable};
    images::Colour& held = core_->edited.colours[static_cast<std::size_t>(item)];
    if (held == colour) return false;
    held = colour;
    core_->announceRecord(false);
    return true;
}

bool Project::setHintOn(bool on) {
    if (core_->edited.hintOn == on) return false;
    core_->edited.hintOn = on;
    core_->announceRecord(false);
    return true;
}

std::optional<std::string> Project::originalPath(images::Source source) const {
    const auto& name = core_->originals[indexOf(source)];
    if (!name) return std::nullopt;
    return core_->artFolder() + *name;
}

const DerivedRecord& Project::derivedRecord() const {
    return core_->derived;
}

const Error* Project::derivedProblem() const {
    return core_->derivedProblem ? &*core_->derivedProblem : nullptr;
}

std::vector<images::Source> Project::handEditedSources() const {
    std::vector<images::Source> edited;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (core_->handEdited(i)) edited.push_back(static_cast<images::Source>(i));
    return edited;
}

std::vector<std::string> Project::takeRecoveredWrites() {
    return std::exchange(core_->recovered, {});
}

void Project::setConvertOptions(const artwork::ConvertOptions& options) {
    core_->options = options;
}

std::vector<images::Source> Project::staleSources() const {
    if (!core_->open) return {};
    return staleFor(*core_, currentOriginals(*core_), core_->edited);
}

bool Project::canUndo() const {
    return core_->history.canUndo();
}
bool Project::canRedo() const {
    return core_->history.canRedo();
}

Result<void> Project::undo() {
    if (!core_->open) return notOpen();
    if (auto synced = core_->syncWithDisk(); !synced) return synced;
    auto step = core_->history.undo();
    if (!step) return step.error();
    return core_->rereadAfter(step.value());
}

Result<void> Project::redo() {
    if (!core_->open) return notOpen();
    if (auto synced = core_->syncWithDisk(); !synced) return synced;
    auto step = core_->history.redo();
    if (!step) return step.error();
    return core_->rereadAfter(step.value());
}

void ProjectCore::announceSources(const std::vector<images::Source>& which) {
    if (which.empty()) return;
    for (ProjectListener* listener : listeners) listener->sourcesChanged(which);
}
void ProjectCore::announceRecord(bool written) {
    for (ProjectListener* listener : listeners) listener->recordChanged(written);
}
void ProjectCore::announceOriginals(const std::vector<images::Source>& which) {
    if (which.empty()) return;
    for (ProjectListener* listener : listeners) listener->originalsChanged(which);
}
void ProjectCore::announceHistory() {
    for (ProjectListener* listener : listeners) listener->historyChanged();
}
void ProjectCore::announceOpened() {
    for (ProjectListener* listener : listeners) listener->folderOpened(folder);
}

}  // namespace vireo::project
