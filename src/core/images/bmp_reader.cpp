#include "core/images/bmp.h"

#include <algorithm>
#include <cstring>

namespace vireo::images {

namespace {

// Larger than any picture a skin needs by far; keeps a hostile header from
// asking for gigabytes.
constexpr std::uint64_t kMaxDecodedPixels = 16u * 1024u * 1024u;

std::uint16_t get16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t get32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

bool startsWith(const Bytes& b, const char* magic, std::size_t length, std::size_t at = 0) {
    return b.size() >= at + length && std::memcmp(b.data() + at, magic, length) == 0;
}

std::string sniffFormat(const Bytes& b) {
    if (b.empty()) return "empty";
    if (startsWith(b, "\x89PNG", 4)) return "PNG";
    if (startsWith(b, "\xFF\xD8\xFF", 3)) return "JPEG";
    if (startsWith(b, "GIF8", 4)) return "GIF";
    if (startsWith(b, "RIFF", 4) && startsWith(b, "WEBP", 4, 8)) return "WebP";
    if (startsWith(b, "II*\0", 4) || startsWith(b, "MM\0*", 4)) return "TIFF";
    if (startsWith(b, "\0\0\1\0", 4)) return "ICO";
    return "unknown";
}

bool knownHeader(std::uint32_t size) {
    return size == kBmpCoreHeaderLength || size == 40 || size == 52 || size == 56 || size == 108 ||
           size == 124;
}

// Writes one stored row's pixel. An RLE stream may point anywhere: a pixel
// outside the picture is refused, so no run goes on past the picture's edge.
struct Canvas {
    std::int64_t width;
    std::int64_t height;
    std::vector<std::uint8_t>& stored;  // stored row order
    bool put(std::int64_t x, std::int64_t row, std::uint8_t value) {
        if (x < 0 || x >= width || row < 0 || row >= height) return false;
        stored[static_cast<std::size_t>(row * width + x)] = value;
        return true;
    }
};

std::uint8_t nibbleOrByte(std::uint8_t byte, int i, bool fourBits) {
    if (!fourBits) return byte;
    return static_cast<std::uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 15);
}

// False when the stream writes outside the picture.
bool decodeRle(const Bytes& b, std::size_t at, std::size_t end, bool fourBits, Canvas canvas) {
    std::int64_t x = 0;
    std::int64_t row = 0;
    while (at + 1 < end) {
        const std::uint8_t count = b[at];
        const std::uint8_t value = b[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i, ++x)
                if (!canvas.put(x, row, nibbleOrByte(value, i, fourBits))) return false;
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++row;
        } else if (value == 1) {  // end of picture
            return true;
        } else if (value == 2) {  // move right and up
            if (at + 1 >= end) return true;
            x += b[at];
            row += b[at + 1];
            at += 2;
        } else {  // a literal run of `value` pixels, padded to a 16-bit boundary
            const std::size_t bytes = fourBits ? (value + 1u) / 2u : value;
            if (at + bytes > end) return true;
            for (int i = 0; i < value; ++i, ++x) {
                const std::size_t byteAt =
                    fourBits ? static_cast<std::size_t>(i / 2) : static_cast<std::size_t>(i);
                if (!canvas.put(x, row, nibbleOrByte(b[at + byteAt], i, fourBits))) return false;
            }
            at += bytes + (bytes % 2);
        }
        if (row >= canvas.height) return true;
    }
    return true;
}

void decodePicture(const Bytes& b, BmpScan& scan, std::uint32_t tableStart,
                   std::uint32_t entrySize) {
    const bool rle = scan.compression == kBmpRle8 || scan.compression == kBmpRle4;
    const bool depthOk = scan.bitsPerPixel == 1 || scan.bitsPerPixel == 4 || scan.bitsPerPixel == 8;
    if (!depthOk) return;
    if (scan.compression != kBmpUncompressed &&
        !(scan.compression == kBmpRle8 && scan.bitsPerPixel == 8) &&
        !(scan.compression == kBmpRle4 && scan.bitsPerPixel == 4))
        return;
    if (rle && scan.topDown) return;  // not a valid combination
    if (scan.width <= 0 || scan.height <= 0) return;
    const std::uint64_t pixels = static_cast<std::uint64_t>(scan.width) * scan.height;
    if (pixels > kMaxDecodedPixels) return;
    // The table must lie whole before the pixels and inside the bytes.
    const std::uint64_t tableEnd =
        tableStart + static_cast<std::uint64_t>(scan.tableEntries) * entrySize;
    if (tableEnd > scan.pixelOffset || tableEnd > b.size() || scan.pixelOffset > b.size()) return;

    IndexedPicture picture;
    picture.width = static_cast<int>(scan.width);
    picture.height = static_cast<int>(scan.height);
    for (std::uint32_t i = 0; i < scan.tableEntries; ++i) {
        const std::size_t at = tableStart + static_cast<std::size_t>(i) * entrySize;
        const Colour colour{b[at + 2], b[at + 1], b[at]};
        scan.table.push_back(colour);
        picture.palette[i] = colour;
    }

    const std::uint64_t stride =
        ((static_cast<std::uint64_t>(scan.width) * scan.bitsPerPixel + 31) / 32) * 4;
    const std::uint64_t available = b.size() - scan.pixelOffset;
    // Checked before allocating: a tiny file must not ask for a huge canvas.
    if (!rle && stride * static_cast<std::uint64_t>(scan.height) > available) return;
    if (rle && pixels > available * 128 + 65536) return;
    std::vector<std::uint8_t> stored(static_cast<std::size_t>(pixels), 0);
    if (rle) {
        if (!decodeRle(b, scan.pixelOffset, b.size(), scan.compression == kBmpRle4,
                       Canvas{scan.width, scan.height, stored}))
            return;
    } else {
        const unsigned bits = scan.bitsPerPixel;
        const unsigned mask = (1u << bits) - 1u;
        for (std::int64_t row = 0; row < scan.height; ++row) {
            const std::size_t rowStart = scan.pixelOffset + static_cast<std::size_t>(row * stride);
            for (std::int64_t x = 0; x < scan.width; ++x) {
                const std::uint64_t bit = static_cast<std::uint64_t>(x) * bits;
                const std::uint8_t byte = b[rowStart + static_cast<std::size_t>(bit / 8)];
                const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
                stored[static_cast<std::size_t>(row * scan.width + x)] =
                    static_cast<std::uint8_t>((byte >> shift) & mask);
            }
        }
    }
    // Top row first: a bottom-up file stores the bottom row first.
    picture.indices = std::move(stored);
    if (!scan.topDown) picture = flippedRows(picture);
    scan.picture = std::move(picture);
}

}  // namespace

BmpScan scanBmp(const Bytes& b, std::uint64_t fileLength) {
    BmpScan scan;
    scan.fileLength = fileLength;
    if (b.size() < 2 || b[0] != 'B' || b[1] != 'M') {
        scan.otherFormat = sniffFormat(b);
        return scan;
    }
    if (b.size() < kBmpFileHeaderLength + 4) return scan;
    scan.fileSizeField = get32(b, 2);
    scan.pixelOffset = get32(b, 10);
    scan.headerSize = get32(b, 14);
    if (!knownHeader(scan.headerSize) || b.size() < kBmpFileHeaderLength + scan.headerSize)
        return scan;

    std::uint32_t entrySize = 4;
    std::uint32_t coloursUsed = 0;
    if (scan.headerSize == kBmpCoreHeaderLength) {
        entrySize = 3;
        scan.width = get16(b, 18);
        scan.height = get16(b, 20);
        scan.bitsPerPixel = get16(b, 24);
    } else {
        scan.width = static_cast<std::int32_t>(get32(b, 18));
        const std::int32_t height = static_cast<std::int32_t>(get32(b, 22));
        scan.topDown = height < 0;
        scan.height = height < 0 ? -static_cast<std::int64_t>(height) : height;
        scan.bitsPerPixel = get16(b, 28);
        scan.compression = get32(b, 30);
        coloursUsed = get32(b, 46);
    }
    scan.headerRead = true;
    const std::uint32_t tableStart = kBmpFileHeaderLength + scan.headerSize;
    if (scan.bitsPerPixel >= 1 && scan.bitsPerPixel <= 8) {
        const std::uint32_t full = 1u << scan.bitsPerPixel;
        scan.tableEntries = coloursUsed == 0 ? full : std::min(coloursUsed, full);
    } else {
        scan.tableEntries = std::min<std::uint32_t>(coloursUsed, 256);
    }
    decodePicture(b, scan, tableStart, entrySize);
    return scan;
}

}  // namespace vireo::images
