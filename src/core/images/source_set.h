#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vireo::images {

// The twelve source pictures, in the order in which their paths are derived,
// checked and reported. The enumerators index kSourceSet.
enum class Source : std::size_t {
    MainBackground,
    TreeBackground,
    EbookBackground,
    MovieIcon,
    MusicIcon,
    EbookIcon,
    OptionsIcon,
    GameIcon,
    PictureIcon,
    FolderIcon,
    ParentFolderIcon,
    MusicBackground,
};

// A source's place in kSourceSet and in every array of twelve.
constexpr std::size_t indexOf(Source source) {
    return static_cast<std::size_t>(source);
}
constexpr std::size_t kSourceCount = 12;

// Every source is an uncompressed 8-bit BMP: 54 header bytes, a 1,024-byte
// colour table, then one byte per pixel with no padding and nothing after.
constexpr std::uint32_t kPaletteOffset = 54;
constexpr std::uint32_t kPaletteLength = 1024;
constexpr std::uint32_t kPixelOffset = kPaletteOffset + kPaletteLength;

struct SourceImage {
    const char* fileName;
    const char* pathLabel;  // object name of the label that shows the path
    int width;
    int height;

    std::uint32_t pixelLength() const { return static_cast<std::uint32_t>(width * height); }
    std::uint64_t requiredLength() const { return kPixelOffset + pixelLength(); }
};

extern const std::array<SourceImage, kSourceCount> kSourceSet;

const SourceImage& sourceImage(Source source);

// The player's screen, which every background fills.
constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 160;
// The six main-screen icons are square of kIconSide, the file list's two of kSmallIconSide.
constexpr int kIconSide = 64;
constexpr int kSmallIconSide = 16;

constexpr char kMainFileTitle[] = "main256.bmp";
constexpr char kSettingsFileName[] = "BACK";
constexpr std::uint64_t kSettingsLength = 32;
// The skin file the player reads, in both layouts.
constexpr char kSkinFileName[] = "BACKIMG";

// The twelve paths in the order of kSourceSet.
using SourcePaths = std::array<std::string, kSourceCount>;

// `folder` keeps its trailing separator; each file name is appended directly.
SourcePaths derivePaths(const std::string& folder);

}  // namespace vireo::images
