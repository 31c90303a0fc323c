#include "gui/artwork/sample_painter.h"

#include "core/skin/sheet.h"

#include <QPen>

namespace vireo::artwork {

QString sampleWords(skin::TextRole role) {
    switch (role) {
    case skin::TextRole::List: return QStringLiteral("列表文字（示例）");
    case skin::TextRole::Selected: return QStringLiteral("选中文字（示例）");
    case skin::TextRole::Ebook: return QStringLiteral("电子书文字（示例）");
    }
    return {};
}

void paintTextSample(QPainter& painter, const skin::TextSample& sample, QPoint at, int zoom,
                     SampleFrame frame) {
    QFont font = painter.font();
    font.setPixelSize(skin::kSampleTextHeight * zoom);
    painter.setFont(font);
    const QString words = sampleWords(sample.role);
    const int ascent = painter.fontMetrics().ascent();
    painter.setPen(QColor::fromRgb(sample.colour));
    painter.drawText(at.x(), at.y() + ascent, words);
    if (frame == SampleFrame::None) return;
    const QRect box = painter.fontMetrics().boundingRect(words).translated(at + QPoint(0, ascent));
    painter.setPen(frame == SampleFrame::LowContrast ? QPen(Qt::red, 2, Qt::SolidLine)
                                                     : QPen(Qt::white, 1, Qt::DashLine));
    painter.drawRect(box.adjusted(-2, -2, 2, 2));
}

void paintSheetTexts(QImage& picture, const std::vector<skin::TextSample>& texts) {
    QPainter painter(&picture);
    for (const skin::TextSample& text : texts)
        paintTextSample(painter, text, QPoint(text.x, text.y), skin::kSheetScale,
                        SampleFrame::None);
}

}  // namespace vireo::artwork
