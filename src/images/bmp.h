#pragma once

#include "base/binary_file.h"
#include "base/result.h"

#include <cstdint>

namespace vireo::images {

constexpr std::uint32_t kBmpHeaderLength = 54;

// What the tool needs to know of an 8-bit BMP's 54-byte header.
struct BmpInfo {
    std::int32_t width;
    std::int32_t height;  // negative for a top-down picture
    std::uint16_t bitsPerPixel;
    std::uint32_t compression;
    std::uint32_t pixelOffset;
    std::uint32_t fileSize;
    std::uint32_t coloursUsed;
};

// The 54-byte header of an uncompressed bottom-up 8-bit BMP of the given size,
// with a full 256-entry colour table and the pixels at byte 1,078.
Bytes makeBmpHeader(std::int32_t width, std::int32_t height);

// Decodes the first 54 bytes of `bytes`; refuses a buffer shorter than that or
// one that does not start with "BM" and a 40-byte information header.
// `path` only names the source in the error.
Result<BmpInfo> readBmpHeader(const Bytes& bytes, const std::string& path = {});

// True when the header describes the form every source picture must have:
// uncompressed, 8 bits, bottom-up or top-down `width` × |height|, pixels at 1,078.
bool isSourceForm(const BmpInfo& info, std::int32_t width, std::int32_t height);

}  // namespace vireo::images
