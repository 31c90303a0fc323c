#include "project/skin_record.h"

namespace vireo::project {

namespace {

// The first offset of each colour (red, then green, blue) and of each X/Y pair.
constexpr std::array<std::size_t, kColourCount> kColourOffsets = {0, 4, 8};
constexpr std::array<std::size_t, kPositionCount> kPositionOffsets = {16, 18, 20, 22, 24, 26, 28};

}  // namespace

bool SkinRecord::operator==(const SkinRecord& other) const {
    return bytesOf(*this) == bytesOf(other);
}

SkinRecord skinRecordOf(const settings::Record& bytes) {
    SkinRecord record;
    record.spare = bytes;
    for (std::size_t i = 0; i < kColourCount; ++i) {
        const std::size_t at = kColourOffsets[i];
        record.colours[i] = {bytes[at], bytes[at + 1], bytes[at + 2]};
    }
    for (std::size_t i = 0; i < kPositionCount; ++i)
        record.positions[i] = {bytes[kPositionOffsets[i]], bytes[kPositionOffsets[i] + 1]};
    record.hintOn = settings::hintFlagOn(bytes);
    return record;
}

settings::Record bytesOf(const SkinRecord& record) {
    settings::Record bytes = record.spare;
    for (std::size_t i = 0; i < kColourCount; ++i) {
        const std::size_t at = kColourOffsets[i];
        bytes[at] = record.colours[i].red;
        bytes[at + 1] = record.colours[i].green;
        bytes[at + 2] = record.colours[i].blue;
    }
    for (std::size_t i = 0; i < kPositionCount; ++i) {
        bytes[kPositionOffsets[i]] = static_cast<std::uint8_t>(record.positions[i].x);
        bytes[kPositionOffsets[i] + 1] = static_cast<std::uint8_t>(record.positions[i].y);
    }
    // A flag read back as it was stays as it was; a changed one is written as the panel does.
    if (settings::hintFlagOn(record.spare) != record.hintOn) {
        const std::uint8_t flag = record.hintOn ? settings::kHintOn : settings::kHintOff;
        bytes[settings::kHintFlagOffset] = flag;
        bytes[settings::kHintFlagCopyOffset] = flag;
    }
    return bytes;
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
