#pragma once

#include "core/artwork/bmp_check.h"
#include "core/artwork/import.h"
#include "core/base/binary_file.h"
#include "core/base/result.h"
#include "core/images/source_set.h"
#include "core/settings/record.h"
#include "core/skin/screen.h"
#include "core/skin/skin_file.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vireo::workbench {

// The folder's twelve pictures as the project holds them, in the order of
// images::kSourceSet; null for a file that could not be read.
using SlotFiles = std::array<const Bytes*, images::kSourceCount>;

// The doctor's judgement of one slot, shown under it.
struct SlotVerdict {
    bool usable = false;                     // no finding at all
    std::vector<artwork::Finding> findings;  // the first one leads the slot's line
    bool remappable = false;                 // an icon whose one fault is its colours
};

// The same findings the doctor gives the file in its folder, the icon's
// colours judged against the background it is drawn with.
SlotVerdict slotVerdict(images::Source slot, const SlotFiles& files);

// For an exact icon over an exact background: which pixels, in stored order,
// the player draws in another colour than the icon's own table gives them.
// Empty when all agree or when either file is not an exact source.
std::vector<bool> differingPixels(images::Source slot, const SlotFiles& files);

// The icon's own colours mapped onto the palette the player draws it with,
// as an exact source with the stored row order kept.
Result<Bytes> remapIcon(images::Source slot, const SlotFiles& files);

// The icons the player draws with `background`'s palette.
std::vector<images::Source> iconsDrawnWith(images::Source background);

// Any picture file into the exact source file of a slot. A file already of
// the slot's exact form is kept whole; a palette BMP of the slot's size keeps
// its palette and pixels; anything else goes through the converter: a
// background gets its own palette serving the icons drawn with it, an icon
// is mapped onto its background's palette over what lies under it on the
// main screen at its position in `record`.
Result<Bytes> convertIntoSlot(images::Source slot, const std::string& inputPath,
                              artwork::PictureDecoder& decoder, const SlotFiles& files,
                              const settings::Record& record);

// How a chosen picture becomes a slot's bytes; the window holds one.
class SlotConverter {
public:
    virtual ~SlotConverter() = default;
    virtual Result<Bytes> convert(images::Source slot, const std::string& inputPath,
                                  const SlotFiles& files, const settings::Record& record) = 0;
};

// The slot's picture as the player shows it: its pixels in stored row order
// through the palette it is drawn with (a background its own, an icon its
// background's). Nothing when either file is missing or too short.
std::optional<skin::Picture> slotPicture(images::Source slot, const SlotFiles& files);

// The skin in memory from the twelve pictures and a record, exactly as
// generation would write it. Fails naming the first missing or short file.
Result<skin::SkinFile> buildSkin(const SlotFiles& files, const settings::Record& record);

}  // namespace vireo::workbench
