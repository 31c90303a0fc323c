#pragma once

#include "core/base/result.h"
#include "core/images/picture.h"
#include "core/images/source_set.h"
#include "core/settings/record.h"

#include <array>
#include <cstddef>
#include <optional>

namespace vireo::project {

// One item of the settings record as the windows edit it. The order is the
// record's own: three text colours, the six main-screen icons, the file list,
// the hint flag.
enum class RecordItem : std::size_t {
    ListColour,
    SelectedColour,
    EbookColour,
    MoviePosition,
    MusicPosition,
    PicturePosition,
    GamePosition,
    EbookPosition,
    OptionsPosition,
    FileListPosition,
    HintFlag,
};
constexpr std::size_t kRecordItemCount = 11;
constexpr std::size_t kColourCount = 3;
constexpr std::size_t kPositionCount = 7;  // MoviePosition .. FileListPosition

struct Position {
    int x = 0;
    int y = 0;
    bool operator==(const Position& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Position& other) const { return !(*this == other); }
};

// The 32-byte record as typed values. Each value is the byte BACK holds (0 to
// 255); the spare bytes ride along unchanged in `spare` so that a record read
// and written back keeps them.
struct SkinRecord {
    std::array<images::Colour, kColourCount> colours{};  // list, selected, e-book text
    std::array<Position, kPositionCount> positions{};    // RecordItem order from MoviePosition
    bool hintOn = false;
    settings::Record spare{};  // the bytes as read, for the spare ones

    bool operator==(const SkinRecord& other) const;
    bool operator!=(const SkinRecord& other) const { return !(*this == other); }
};

SkinRecord skinRecordOf(const settings::Record& bytes);
// The 32 bytes that store `record` with the identity byte table: colours and
// positions at their offsets, the hint flag at 30 and 31, spare bytes kept.
settings::Record bytesOf(const SkinRecord& record);

// The record after BACK changed from `oldStored` to `newStored` under edits
// not yet written: what BACK now holds, with each edited byte the change did
// not touch kept as edited.
SkinRecord keptEdits(const SkinRecord& edits, const SkinRecord& oldStored,
                     const SkinRecord& newStored);

// The position item of a 64×64 icon (MovieIcon .. PictureIcon); nullopt for
// any other source.
std::optional<RecordItem> positionItemOf(images::Source icon);

inline std::size_t positionIndex(RecordItem item) {
    return static_cast<std::size_t>(item) - static_cast<std::size_t>(RecordItem::MoviePosition);
}
inline bool isPositionItem(RecordItem item) {
    return item >= RecordItem::MoviePosition && item <= RecordItem::FileListPosition;
}
inline bool isColourItem(RecordItem item) {
    return item <= RecordItem::EbookColour;
}

// A position each of whose coordinates is 0 to 255, the only values BACK can hold.
bool storable(const Position& position);

}  // namespace vireo::project
