#pragma once

#include "base/binary_file.h"
#include "base/result.h"
#include "images/source_set.h"
#include "settings/record.h"
#include "workbench/picture.h"

#include <array>
#include <optional>
#include <string>

namespace vireo::workbench {

// The folder's twelve pictures as read, in the order of images::kSourceSet;
// nothing for a file that could not be read.
using SlotFiles = std::array<std::optional<Bytes>, images::kSourceCount>;

// The one-line judgement shown under a slot.
struct SlotVerdict {
    bool usable = false;
    std::string text;
};

// For now the verification's own test: present and of the exact length.
SlotVerdict lengthVerdict(images::Source source, const std::optional<Bytes>& file);

// Turns a picture file chosen by the user into the exact bytes of a slot's
// source file. `inputPath` only names the file in an error.
class SlotConverter {
public:
    virtual ~SlotConverter() = default;
    virtual Result<Bytes> convert(images::Source slot, const Bytes& input,
                                  const std::string& inputPath) const = 0;
};

// Takes a picture only when it already is a source of the slot's form: an
// uncompressed 8-bit BMP of the slot's size with its pixels at byte 1,078
// and nothing after them. The bytes are kept whole.
class ExactBmpConverter final : public SlotConverter {
public:
    Result<Bytes> convert(images::Source slot, const Bytes& input,
                          const std::string& inputPath) const override;
};

// The slot's picture as the player shows it: its pixels in stored row order
// through the palette it is drawn with (a background its own, an icon its
// background's). Nothing when either file is missing or too short.
std::optional<Picture> slotPicture(images::Source slot, const SlotFiles& files);

// The record with every field that has a value replaced by it; the fields
// with none keep the bytes of `record`.
using FieldValues = std::array<std::optional<int>, settings::kRecordLength>;
settings::Record overlayRecord(settings::Record record, const FieldValues& values);

// The skin in memory from the twelve pictures and a record, exactly as
// generation would write it. Fails naming the first missing or short file.
Result<Bytes> buildSkin(const SlotFiles& files, const settings::Record& record);

}  // namespace vireo::workbench
