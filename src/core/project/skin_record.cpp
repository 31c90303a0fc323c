#include "core/project/skin_record.h"

namespace vireo::project {

namespace {

// The first offset of each colour (red, then green, blue) and of each X/Y
// pair, as the settings fields place them: three fields a colour, two a pair.
static_assert(3 * kColourCount == settings::kColourFieldCount);
static_assert(2 * kPositionCount == settings::kPositionFieldCount);
std::size_t colourOffset(std::size_t i) {
    return settings::kColourFields[3 * i].offset;
}
std::size_t positionOffset(std::size_t i) {
    return settings::kPositionFields[2 * i].offset;
}

}  // namespace

bool SkinRecord::operator==(const SkinRecord& other) const {
    return bytesOf(*this) == bytesOf(other);
}

SkinRecord skinRecordOf(const settings::Record& bytes) {
    SkinRecord record;
    record.spare = bytes;
    for (std::size_t i = 0; i < kColourCount; ++i) {
        const std::size_t at = colourOffset(i);
        record.colours[i] = {bytes[at], bytes[at + 1], bytes[at + 2]};
    }
    for (std::size_t i = 0; i < kPositionCount; ++i)
        record.positions[i] = {bytes[positionOffset(i)], bytes[positionOffset(i) + 1]};
    record.hintOn = settings::hintFlagOn(bytes);
    return record;
}

settings::Record bytesOf(const SkinRecord& record) {
    settings::Record bytes = record.spare;
    for (std::size_t i = 0; i < kColourCount; ++i) {
        const std::size_t at = colourOffset(i);
        bytes[at] = record.colours[i].red;
        bytes[at + 1] = record.colours[i].green;
        bytes[at + 2] = record.colours[i].blue;
    }
    for (std::size_t i = 0; i < kPositionCount; ++i) {
        bytes[positionOffset(i)] = static_cast<std::uint8_t>(record.positions[i].x);
        bytes[positionOffset(i) + 1] = static_cast<std::uint8_t>(record.positions[i].y);
    }
    // A flag read back as it was stays as it was; a changed one is written as the panel does.
    if (settings::hintFlagOn(record.spare) != record.hintOn) {
        const std::uint8_t flag = record.hintOn ? settings::kHintOn : settings::kHintOff;
        bytes[settings::kHintFlagOffset] = flag;
        bytes[settings::kHintFlagCopyOffset] = flag;
    }
    return bytes;
}

SkinRecord keptEdits(const SkinRecord& edits, const SkinRecord& oldStored,
                     const SkinRecord& newStored) {
    const settings::Record edited = bytesOf(edits), before = bytesOf(oldStored);
    settings::Record now = bytesOf(newStored);
    for (std::size_t k = 0; k < now.size(); ++k)
        if (edited[k] != before[k] && now[k] == before[k]) now[k] = edited[k];
    SkinRecord result = skinRecordOf(now);
    result.spare = newStored.spare;
    return result;
}

std::optional<RecordItem> positionItemOf(images::Source icon) {
    switch (icon) {
    case images::Source::MovieIcon: return RecordItem::MoviePosition;
    case images::Source::MusicIcon: return RecordItem::MusicPosition;
    case images::Source::PictureIcon: return RecordItem::PicturePosition;
    case images::Source::GameIcon: return RecordItem::GamePosition;
    case images::Source::EbookIcon: return RecordItem::EbookPosition;
    case images::Source::OptionsIcon: return RecordItem::OptionsPosition;
    default: return std::nullopt;
    }
}

bool storable(const Position& position) {
    return position.x >= 0 && position.x <= 255 && position.y >= 0 && position.y <= 255;
}

}  // namespace vireo::project
