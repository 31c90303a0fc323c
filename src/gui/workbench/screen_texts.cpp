#include "gui/workbench/screen_texts.h"

#include "core/messages/doctor_text.h"
#include "gui/artwork/sample_painter.h"
#include "gui/widgets/std_text.h"

#include <QStringList>

namespace vireo::workbench::ui {

std::vector<SampleText> markedTexts(const settings::Record& record, skin::Screen screen,
                                    const skin::Picture& picture) {
    std::vector<SampleText> texts;
    for (const skin::TextSample& text : skin::textSamples(record, screen))
        texts.push_back({text, skin::textContrast(text, picture)});
    return texts;
}

QString faintTextsNote(const std::vector<SampleText>& texts) {
    QStringList lines;
    for (const SampleText& sample : texts) {
        if (!sample.faint()) continue;
        // The words without their "（示例）".
        const QString words = artwork::sampleWords(sample.text.role).section(QChar(0xFF08), 0, 0);
        lines << QStringLiteral("%1与背景的对比度只有 %2:1，低于 3:1，不易看清")
                     .arg(words, vireo::ui::fromStd(ratioText(sample.contrast)));
    }
    return lines.join('\n');
}

}  // namespace vireo::workbench::ui
