#pragma once

#include "core/images/source_set.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace vireo::images {

// Where the settings record keeps an icon's place on the screen: the record
// offsets of the X and the Y byte of its top-left corner, in pixels.
struct RecordPosition {
    std::uint8_t xOffset;
    std::uint8_t yOffset;
};

// Where the player draws the directory tree's file list (its 16×16 icons
// and texts): the record's seventh position pair.
inline constexpr RecordPosition kFileListPosition{28, 29};

struct Icon {
    Source source;
    int side;           // square, in pixels
    Source background;  // the one whose palette colours it; a placed icon also lies over it
    std::optional<RecordPosition> position;  // only the main screen's icons are placed
};

constexpr std::size_t kIconCount = 8;
constexpr std::size_t kMainScreenIconCount = 6;

// Every icon of a skin. The first six are the main screen's, in the order the
// player draws them (a later one covers an earlier one), which is also the
// order of their position pairs in the record; then the file list's two.
inline constexpr std::array<Icon, kIconCount> kIcons = {{
    {Source::MovieIcon, kIconSide, Source::MainBackground, RecordPosition{16, 17}},
    {Source::MusicIcon, kIconSide, Source::MainBackground, RecordPosition{18, 19}},
    {Source::PictureIcon, kIconSide, Source::MainBackground, RecordPosition{20, 21}},
    {Source::GameIcon, kIconSide, Source::MainBackground, RecordPosition{22, 23}},
    {Source::EbookIcon, kIconSide, Source::MainBackground, RecordPosition{24, 25}},
    {Source::OptionsIcon, kIconSide, Source::MainBackground, RecordPosition{26, 27}},
    {Source::FolderIcon, kSmallIconSide, Source::TreeBackground, std::nullopt},
    {Source::ParentFolderIcon, kSmallIconSide, Source::TreeBackground, std::nullopt},
}};

constexpr bool mainScreenIconsFirst() {
    for (std::size_t i = 0; i < kIconCount; ++i) {
        if (kIcons[i].position.has_value() != (i < kMainScreenIconCount)) return false;
    }
    return true;
}
static_assert(mainScreenIconsFirst(), "the placed icons are the first rows, and only they");

// The row of `source`; nullptr for a background.
constexpr const Icon* iconOf(Source source) {
    for (const Icon& icon : kIcons) {
        if (icon.source == source) return &icon;
    }
    return nullptr;
}

// A main-screen icon with its record offsets at hand.
struct PlacedIcon {
    Source source;
    std::uint8_t xOffset;
    std::uint8_t yOffset;
};

constexpr std::array<PlacedIcon, kMainScreenIconCount> placedIcons() {
    std::array<PlacedIcon, kMainScreenIconCount> placed{};
    for (std::size_t i = 0; i < kMainScreenIconCount; ++i) {
        const Icon& icon = kIcons[i];
        placed[i] = {icon.source, icon.position->xOffset, icon.position->yOffset};
    }
    return placed;
}

// The main screen's icons in drawing order: the first rows of kIcons.
inline constexpr std::array<PlacedIcon, kMainScreenIconCount> kMainScreenIcons = placedIcons();

// The record offset of the X or the Y byte of a main-screen icon.
constexpr std::uint8_t xOffsetOf(Source source) {
    return iconOf(source)->position->xOffset;
}
constexpr std::uint8_t yOffsetOf(Source source) {
    return iconOf(source)->position->yOffset;
}

}  // namespace vireo::images
