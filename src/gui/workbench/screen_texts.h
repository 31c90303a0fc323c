#pragma once

#include "core/settings/record.h"
#include "core/skin/screen.h"
#include "gui/workbench/screen_canvas.h"

#include <QString>

#include <vector>

namespace vireo::workbench::ui {

// The texts the player draws over `screen`, each marked faint when it reads
// below the doctor's limit over `picture`, the screen as drawn.
std::vector<SampleText> markedTexts(const settings::Record& record, skin::Screen screen,
                                    const skin::Picture& picture);

// One line per faint text with its ratio; empty when none is.
QString faintTextsNote(const std::vector<SampleText>& texts);

}  // namespace vireo::workbench::ui
