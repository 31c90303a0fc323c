// The project core behind the workbench: originals put into art/, sources
// derived again from them after a move, and the history steps that undo both.
#include "gui/workbench/workbench_window.h"

#include "core/messages/error_text.h"
#include "core/messages/role_names.h"
#include "gui/widgets/data_files.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/project_state.h"
#include "gui/widgets/std_text.h"
#include "gui/workbench/workbench_internal.h"

#include <QImageReader>
#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>

namespace vireo::workbench::ui {

namespace {

using images::Source;
using vireo::ui::fromStd;
using vireo::ui::toStd;

// How a picture of other proportions than its slot's is brought to the slot's
// size, and which part of it shows; the question starts from `initial`.
std::optional<vireo::ui::Framing> askFraming(vireo::ui::Dialogs& dialogs, QWidget* parent,
                                             artwork::PictureDecoder& decoder, Source source,
                                             const QString& path, vireo::ui::Framing initial) {
    const auto& slot = images::sourceImage(source);
    const QSize size = QImageReader(path).size();
    if (size.isEmpty() || qint64(size.width()) * slot.height == qint64(size.height()) * slot.width)
        return vireo::ui::Framing{};
    // A picture that cannot be decoded is refused, and said why, by the derive.
    const auto picture = decoder.decode(toStd(path));
    if (!picture) return vireo::ui::Framing{};
    if (initial.fit == artwork::Fit::Refuse) initial.fit = artwork::Fit::Cover;
    const QString text = QStringLiteral("图片的比例（%1×%2）与“%3”的 %4×%5 不同。怎样放入？")
                             .arg(size.width())
                             .arg(size.height())
                             .arg(QString::fromUtf8(roleName(source)))
                             .arg(slot.width)
                             .arg(slot.height);
    return dialogs.chooseFraming(
        parent, picture.value(),
        {text, QSize(slot.width, slot.height), artwork::isBackground(source), initial});
}

}  // namespace

project::Project& WorkbenchWindow::project() {
    if (!state_.project()) {
        ownProject_ = std::make_unique<project::Project>(
            decoder_, toStd(vireo::ui::dataFilePath(currentDir_, settings::kTableFileName)));
        state_.setProject(ownProject_.get());
    }
    return *state_.project();
}

bool WorkbenchWindow::projectOpen() {
    if (state_.folder().isEmpty()) return false;
    project::Project& core = project();
    if (!core.isOpen() || fromStd(core.folder()) != state_.folder()) {
        const auto opened = core.openFolder(toStd(state_.folder()));
        if (!opened) {
            dialogs_.message(this, fromStd(describeWithReason(opened.error())));
            return false;
        }
        if (const Error* problem = core.derivedProblem()) offerDeriveAll(*problem);
    }
    return true;
}

void WorkbenchWindow::offerDeriveAll(const Error& problem) {
    const auto answer = dialogs_.ask(
        this,
        fromStd(describeWithReason(problem)) +
            QStringLiteral(
                "\n不知道哪些源图片由原图生成、哪些已过时。可从art中的原图重新生成全部源图片"
                "（可以撤销）。"),
        {QStringLiteral("从原图重新生成全部源图片"), QStringLiteral("暂不处理")});
    if (!answer || *answer != 0) return;
    const auto derived = project().deriveStale(true, std::nullopt, project::HandEdits::Overwrite);
    if (!derived) {
        dialogs_.message(this, fromStd(describeWithReason(derived.error())));
        return;
    }
    undoStack_->push(new ProjectStepCommand(*this, QStringLiteral("重新生成全部源图片"), nullptr));
}

void WorkbenchWindow::explainRefusal(const Error& error, bool undo) {
    if (error.detail == project::kChangedOutside) {
        dialogs_.message(this, (undo ? QStringLiteral("无法撤销") : QStringLiteral("无法重做")) +
                                   QStringLiteral("：") + fromStd(error.path) +
                                   QStringLiteral(" 在这一步之后被改动过。为免覆盖这一改动，"
                                                  "文件保持原样，这一步仍保留在历史中。"));
        return;
    }
    dialogs_.message(this, fromStd(describeWithReason(error)));
}

bool WorkbenchWindow::deriveAsking(const std::function<Result<void>(project::HandEdits)>& action,
                                   QUndoCommand* group) {
    project::HandEdits policy = project::HandEdits::Refuse;
    // Each kept edit may reveal the next; there are at most twelve sources.
    for (std::size_t round = 0; round <= images::kSourceCount; ++round) {
        const auto done = action(policy);
        if (done) return true;
        const Error& error = done.error();
        const auto& paths = project().sourcePaths();
        const auto at = std::find(paths.begin(), paths.end(), error.path);
        if (error.detail != project::kHandEdited || at == paths.end()) {
            dialogs_.message(this, fromStd(describeWithReason(error)));
            return false;
        }
        const auto source = static_cast<Source>(at - paths.begin());
        const auto answer = dialogs_.ask(
            this,
            QStringLiteral("“%1”（%2）在上次生成后被手工改过，重新生成会覆盖这一改动。")
                .arg(QString::fromUtf8(roleName(source)), fromStd(error.path)),
            {QStringLiteral("保留我的修改，作为今后生成的原图"),
             QStringLiteral("重新生成，覆盖这一改动"), QStringLiteral("取消")});
        if (!answer || *answer == 2) return false;
        if (*answer == 1) {
            policy = project::HandEdits::Overwrite;
            continue;
        }
        if (const auto kept = project().keepHandEdit(source); !kept) {
            dialogs_.message(this, fromStd(describeWithReason(kept.error())));
            return false;
        }
        auto* step = new ProjectStepCommand(*this, QStringLiteral("保留手工修改"), group);
        if (!group) undoStack_->push(step);
    }
    return false;
}

void WorkbenchWindow::replaceSlot(Source source, const QString& inputPath) {
    if (state_.folder().isEmpty()) {
        dialogs_.message(this, QStringLiteral("请先打开文件夹"));
        return;
    }
    if (!projectOpen()) return;
    // A slot framed before starts from its frame.
    vireo::ui::Framing initial;
    if (const auto& entry = project().derivedRecord()[static_cast<std::size_t>(source)])
        initial = {entry->fit, entry->frame};
    const auto framing = askFraming(dialogs_, this, decoder_, source, inputPath, initial);
    if (!framing) return;
    const bool put = deriveAsking([&](project::HandEdits handEdits) {
        return project().setOriginal(source, toStd(inputPath), framing->fit, handEdits,
                                     framing->frame);
    });
    if (!put) return;
    undoStack_->push(new ProjectStepCommand(*this, QStringLiteral("替换图片"), nullptr));
}

void WorkbenchWindow::deriveTypedPositions() {
    if (state_.folder().isEmpty() || dragging_) return;
    project::Project& core = project();
    const bool wasOpen = core.isOpen() && fromStd(core.folder()) == state_.folder();
    if (!wasOpen) return;  // a project opened now derives nothing typed before
    // Typed: the record's position is no longer the one the icon was derived at.
    std::vector<Source> typed;
    for (const images::PlacedIcon& placed : images::kMainScreenIcons) {
        const auto item = project::positionItemOf(placed.source);
        const auto& entry = core.derivedRecord()[static_cast<std::size_t>(placed.source)];
        if (item && entry && entry->position &&
            *entry->position != core.record().positions[project::positionIndex(*item)])
            typed.push_back(placed.source);
    }
    if (typed.empty()) return;
    for (const Source icon : typed) {
        if (!core.originalPath(icon)) continue;
        const bool derived = deriveAsking([&](project::HandEdits handEdits) -> Result<void> {
            if (auto done = core.derive(icon, handEdits); !done) return done.error();
            return {};
        });
        if (!derived) return;
        undoStack_->push(new ProjectStepCommand(*this, QStringLiteral("重新生成图标"), nullptr));
    }
}

void WorkbenchWindow::recordMove(std::size_t icon, Position from, Position to) {
    // The move and the source derived again at its end are one step.
    auto* group = new QUndoCommand(QStringLiteral("移动图标"));
    new MoveIconCommand(*this, icon, from, to, true, group);
    if (projectOpen() && project().originalPath(images::kMainScreenIcons[icon].source)) {
        const Source source = images::kMainScreenIcons[icon].source;
        const bool derived = deriveAsking(
            [&](project::HandEdits handEdits) -> Result<void> {
                if (auto done = project().derive(source, handEdits); !done) return done.error();
                return {};
            },
            group);
        if (derived) new ProjectStepCommand(*this, QStringLiteral("重新生成图标"), group);
    }
    undoStack_->push(group);
}

}  // namespace vireo::workbench::ui
