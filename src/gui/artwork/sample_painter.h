#pragma once

#include "core/skin/text_samples.h"

#include <QImage>
#include <QPainter>
#include <QString>

#include <vector>

namespace vireo::artwork {

// How a sample is marked: not at all (a picture to share), as a sample (the
// device's font is not ours), or as too faint to read over its background.
enum class SampleFrame { None, Sample, LowContrast };

// The words drawn for each text.
QString sampleWords(skin::TextRole role);

// The one drawing of a text sample, `zoom` times the player's size, its top
// left at `at` in the painter's pixels; the workbench and the shared picture
// both draw through it.
void paintTextSample(QPainter& painter, const skin::TextSample& sample, QPoint at, int zoom,
                     SampleFrame frame);

// Every text of a sheet drawn onto its picture at kSheetScale, unframed.
void paintSheetTexts(QImage& picture, const std::vector<skin::TextSample>& texts);

}  // namespace vireo::artwork
