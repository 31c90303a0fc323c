#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vireo::artwork {

// The most pixels a picture's header may claim when its reader can decode it
// already scaled down (JPEG, PNG); larger pictures are refused unread.
constexpr std::int64_t kMaxScaledPicturePixels = 100'000'000;
// What one reader may allocate, in MiB.
constexpr int kDecodeAllocationMiB = 48;
// The most for a reader that decodes the whole picture first (GIF, ICO, BMP,
// TIFF): as many RGBA pixels as the memory one reader may allocate holds.
constexpr std::int64_t kMaxWholePicturePixels =
    std::int64_t(kDecodeAllocationMiB) * 1024 * 1024 / 4;
// Pictures are decoded at no more than this many pixels, far more than the
// 240×160 screen needs and cheap to fit.
constexpr std::int64_t kDecodePixels = 1024 * 1024;

// Why a file that starts as a BMP cannot be shown as its author meant, or
// nullopt when it can (or is no BMP). Checks what the lenient readers let
// through: pixel data starting past the end, pixel data shorter than the
// header's size needs, and palette pictures the strict reader refuses (an
// RLE stream that writes past the picture).
std::optional<std::string> bmpDamage(const unsigned char* bytes, std::size_t size);

// The same for a GIF, whose reader shows a cut-off file as a whole one: every
// block must be whole up to the last image, and the screen within
// kMaxWholePicturePixels.
std::optional<std::string> gifDamage(const unsigned char* bytes, std::size_t size);

// "图片尺寸为 W×H，超过 N 像素的上限"
std::string oversizeSentence(std::int64_t width, std::int64_t height, std::int64_t limit);
// The refusal of a picture whose decoding would need more than `mebibytes` of memory.
std::string memorySentence(std::int64_t width, std::int64_t height, int mebibytes);

}  // namespace vireo::artwork
