#pragma once

#include "core/artwork/bmp_check.h"

namespace vireo::artwork {

// The doctor's JSON words, stable for scripts: "error" or "warning".
const char* severityName(Severity severity);
// "list", "selected", "ebook"; and the screen a text is drawn over: "tree", "ebook".
const char* textName(skin::TextRole text);
const char* screenName(skin::Screen screen);

}  // namespace vireo::artwork
