#pragma once

#include "core/base/binary_file.h"
#include "core/base/result.h"
#include "core/unpack/header_templates.h"
#include "core/unpack/short_skin.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vireo::unpack {

// The header a template would give, made for its picture's size: what heads
// a restored picture when no templates are at hand.
Bytes madeTemplate(Template header);

// One restored BMP: the first 54 bytes of `header`, the item's palette, then
// its pixels, all copied unchanged from `skin` (a whole short skin image file).
// `header` must hold at least 54 bytes and `skin` the whole layout.
Bytes restoredBmp(const Bytes& skin, const Bytes& header, const RestoreItem& item);

// The eleven files of the restore set, in its order, from a whole short skin
// image file held in memory, headed by the three templates (indexed by
// Template) or, without them, by headers made for each picture's size.
// A skin of any other length is WrongLength naming BACKIMG; the templates are
// checked by checkHeaderTemplates, an error naming the template.
Result<std::vector<Bytes>> restoredFiles(const Bytes& skin,
                                         const std::optional<HeaderTemplates>& templates);

// Writes the eleven files of the restore set, in order, into `outputFolder`,
// headed by the templates found in `templatesFolder`.
//
// Every input is read and checked before the first output is touched: the
// skin must (still) be exactly 178,720 bytes long and each template the header
// of the picture it heads (readHeaderTemplates), so a missing or short input leaves the output
// folder as it was. The eleven outputs are written as one step (writeFilesAtomically): each
// replaces any older file of its name whole, and an output that cannot be
// written stops the run with an error naming it, every older file as it was.
Result<void> restoreBmps(const std::string& skinPath, const std::string& templatesFolder,
                         const std::string& outputFolder);

}  // namespace vireo::unpack
