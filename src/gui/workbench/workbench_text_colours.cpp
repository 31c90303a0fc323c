// The text colours, chosen by clicking their samples on the screen.
#include "gui/workbench/workbench_window.h"

#include "core/messages/doctor_text.h"
#include "core/skin/screen.h"
#include "gui/artwork/sample_painter.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/project_state.h"
#include "gui/widgets/std_text.h"
#include "gui/workbench/screen_canvas.h"
#include "gui/workbench/workbench_internal.h"

#include <QUndoStack>

namespace vireo::workbench::ui {

namespace {

using vireo::ui::fromStd;

QString hexOf(std::uint32_t colour) {
    return QStringLiteral("#%1").arg(colour & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

// The record offset of the role's red; green and blue follow.
std::uint8_t redOffsetOf(skin::TextRole role) {
    return settings::kColourFields[3 * static_cast<std::size_t>(role)].offset;
}

}  // namespace

// A text colour: its three fields go into the state together.
class WorkbenchWindow::TextColourCommand : public EditStep {
public:
    TextColourCommand(WorkbenchWindow& window, skin::TextRole role, std::uint32_t from,
                      std::uint32_t to)
        : EditStep(QStringLiteral("文字颜色"), false, nullptr),
          window_(window),
          role_(role),
          from_(from),
          to_(to) {}
    QString refusal(bool) const override { return {}; }
    bool apply(bool undo) override {
        window_.applyTextColour(role_, undo ? from_ : to_);
        return true;
    }

private:
    WorkbenchWindow& window_;
    skin::TextRole role_;
    std::uint32_t from_;
    std::uint32_t to_;
};

void WorkbenchWindow::applyTextColour(skin::TextRole role, std::uint32_t colour) {
    const std::uint8_t red = redOffsetOf(role);
    for (int channel = 0; channel < 3; ++channel)
        state_.setFieldText(static_cast<std::uint8_t>(red + channel),
                            QString::number((colour >> (16 - 8 * channel)) & 0xFF));
    redraw();
}

void WorkbenchWindow::chooseTextColour(skin::TextRole role) {
    const settings::Record record = currentRecord();
    const auto skin = buildSkin(slotFiles(), record);
    if (!skin) return;
    const skin::Picture picture = skin::renderScreen(skin.value(), screen_);
    std::optional<skin::TextSample> text;
    for (const skin::TextSample& each : skin::textSamples(record, screen_))
        if (each.role == role) text = each;
    if (!text) return;
    const std::uint32_t before = text->colour;
    // The words without their "（示例）".
    const QString words = artwork::sampleWords(role).section(QChar(0xFF08), 0, 0);
    const auto chosen =
        dialogs_.chooseColour(this, words + QStringLiteral("的颜色"), QColor::fromRgb(before));
    if (!chosen) return;
    text->colour = 0xFF000000u | chosen->rgb();
    const double contrast = skin::textContrast(*text, picture);
    if (contrast < skin::kMinimumContrast) {
        const QString said = QStringLiteral("%1 与背景的对比度只有 %2:1，低于 3:1，不易看清。")
                                 .arg(hexOf(text->colour), fromStd(ratioText(contrast)));
        const auto nearest = skin::nearestReadableColour(*text, picture);
        QStringList answers{QStringLiteral("仍用所选颜色"), QStringLiteral("取消")};
        QString question = said + QStringLiteral("这片背景上没有能看清的颜色。");
        if (nearest) {
            skin::TextSample suggested = *text;
            suggested.colour = *nearest;
            question = said + QStringLiteral("最接近的易读颜色是 %1（%2:1）。")
                                  .arg(hexOf(*nearest),
                                       fromStd(ratioText(skin::textContrast(suggested, picture))));
            answers.prepend(QStringLiteral("用 %1").arg(hexOf(*nearest)));
        }
        const auto answer = dialogs_.ask(this, question, answers);
        if (!answer || *answer == answers.size() - 1) return;
        if (nearest && *answer == 0) text->colour = *nearest;
    }
    if (text->colour == before) return;
    undoStack_->push(new TextColourCommand(*this, role, before, text->colour));
}

}  // namespace vireo::workbench::ui
