#include "core/artwork/picture_limits.h"

#include "core/images/bmp.h"

#include <algorithm>

namespace vireo::artwork {

namespace {

// Enough for every known header and a full colour table.
constexpr std::size_t kBmpHeadLength = 14 + 124 + 256 * 4;

constexpr char kIncomplete[] = "图片不完整或已损坏";

// A GIF colour table's length from its block's flags, or 0 when there is none.
std::size_t gifTableLength(std::uint8_t flags) {
    return (flags & 0x80) ? std::size_t{3} << ((flags & 7) + 1) : 0;
}

// Steps over a chain of sub-blocks; false when the bytes end inside it.
bool skipSubBlocks(const unsigned char* bytes, std::size_t size, std::size_t& at) {
    while (at < size) {
        const std::uint8_t length = bytes[at++];
        if (length == 0) return true;
        at += length;
    }
    return false;
}

}  // namespace

std::string oversizeSentence(std::int64_t width, std::int64_t height, std::int64_t limit) {
    return "图片尺寸为 " + std::to_string(width) + "×" + std::to_string(height) + "，超过 " +
           std::to_string(limit) + " 像素的上限";
}

std::string memorySentence(std::int64_t width, std::int64_t height, int mebibytes) {
    return "图片尺寸为 " + std::to_string(width) + "×" + std::to_string(height) +
           "，解码所需的内存超过 " + std::to_string(mebibytes) + " MiB 的上限";
}

std::optional<std::string> gifDamage(const unsigned char* bytes, std::size_t size) {
    if (size < 4 || std::string(bytes, bytes + 4) != "GIF8") return std::nullopt;
    if (size < 13) return kIncomplete;
    const std::int64_t width = bytes[6] | bytes[7] << 8;
    const std::int64_t height = bytes[8] | bytes[9] << 8;
    if (width * height > kMaxWholePicturePixels)
        return oversizeSentence(width, height, kMaxWholePicturePixels);
    std::size_t at = 13 + gifTableLength(bytes[10]);
    bool imageSeen = false;
    while (at < size) {
        const std::uint8_t kind = bytes[at++];
        if (kind == 0x3B) return std::nullopt;  // the trailer
        if (kind == 0x21) {                     // an extension: label, then sub-blocks
            if (++at > size || !skipSubBlocks(bytes, size, at)) return kIncomplete;
        } else if (kind == 0x2C) {  // an image: descriptor, table, LZW size, data
            if (at + 9 > size) return kIncomplete;
            at += 9 + gifTableLength(bytes[at + 8]);
            if (++at > size || !skipSubBlocks(bytes, size, at)) return kIncomplete;
            imageSeen = true;
        } else {
            return "GIF 数据已损坏";
        }
    }
    // Some writers leave out the trailer after a whole last image.
    if (imageSeen && at == size) return std::nullopt;
    return kIncomplete;
}

std::optional<std::string> bmpDamage(const unsigned char* bytes, std::size_t size) {
    if (size < 2 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const Bytes head(bytes, bytes + std::min(size, kBmpHeadLength));
    const images::BmpScan scan = images::scanBmp(head, size);
    if (!scan.headerRead) return "BMP 文件头不完整或无法识别";
    if (scan.pixelOffset >= size)
        return "像素数据的起点（第 " + std::to_string(scan.pixelOffset) +
               " 字节）超出文件末尾（共 " + std::to_string(size) + " 字节）";
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
