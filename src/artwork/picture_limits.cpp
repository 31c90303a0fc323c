#include "artwork/picture_limits.h"

#include "images/bmp.h"

#include <algorithm>

namespace vireo::artwork {

namespace {

// Enough for every known header and a full colour table.
constexpr std::size_t kBmpHeadLength = 14 + 124 + 256 * 4;

}  // namespace

std::optional<std::string> bmpDamage(const unsigned char* bytes, std::size_t size) {
    if (size < 2 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const Bytes head(bytes, bytes + std::min(size, kBmpHeadLength));
    const images::BmpScan scan = images::scanBmp(head, size);
    if (!scan.headerRead) return "BMP 文件头不完整或无法识别";
    if (scan.pixelOffset >= size)
        return "像素数据的起点（第 " + std::to_string(scan.pixelOffset) + " 字节）超出文件末尾（共 " +
               std::to_string(size) + " 字节）";
    const bool uncompressed = scan.compression == images::kBmpUncompressed || scan.compression == 3;
    if (uncompressed && scan.width > 0 && scan.height > 0 && scan.bitsPerPixel > 0) {
        const std::uint64_t stride =
            ((static_cast<std::uint64_t>(scan.width) * scan.bitsPerPixel + 31) / 32) * 4;
        const std::uint64_t needed = stride * static_cast<std::uint64_t>(scan.height);
        const std::uint64_t present = size - scan.pixelOffset;
        if (needed > present)
            return "图片数据不完整：需要 " + std::to_string(needed) + " 字节像素，文件只有 " +
                   std::to_string(present) + " 字节";
    }
    if (scan.bitsPerPixel > 8) return std::nullopt;
    const std::uint64_t pixels = static_cast<std::uint64_t>(std::max<std::int64_t>(scan.width, 0)) *
                                 static_cast<std::uint64_t>(std::max<std::int64_t>(scan.height, 0));
    if (pixels > static_cast<std::uint64_t>(kMaxWholePicturePixels)) return std::nullopt;
    // A palette picture of a readable size: the strict reader must read it.
    if (!images::scanBmp(Bytes(bytes, bytes + size)).picture) return "BMP 像素数据已损坏";
    return std::nullopt;
}

}  // namespace vireo::artwork
