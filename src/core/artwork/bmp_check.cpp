#include "core/artwork/bmp_check.h"

#include "core/images/bmp.h"

namespace vireo::artwork {

using images::kBmpCoreHeaderLength;
using images::kBmpFileHeaderLength;
using images::kBmpInfoHeaderLength;

namespace {

std::string compressionName(std::uint32_t compression) {
    switch (compression) {
    case 1: return "RLE8";
    case 2: return "RLE4";
    case 3: return "BITFIELDS";
    case 4: return "JPEG";
    case 5: return "PNG";
    default: return std::to_string(compression);  // a method without a name
    }
}

std::string sizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + "×" + std::to_string(height);
}

}  // namespace

const char* codeName(ProblemCode code) {
    switch (code) {
    case ProblemCode::Missing: return "missing";
    case ProblemCode::NotAFile: return "not-a-file";
    case ProblemCode::NotBmp: return "not-bmp";
    case ProblemCode::UnsupportedHeader: return "unsupported-header";
    case ProblemCode::Compressed: return "compressed";
    case ProblemCode::Not8Bit: return "not-8-bit";
    case ProblemCode::TopDown: return "top-down";
    case ProblemCode::WrongSize: return "wrong-size";
    case ProblemCode::ShortColourTable: return "short-colour-table";
    case ProblemCode::BadOffsets: return "bad-offsets";
    case ProblemCode::WrongLength: return "wrong-length";
    case ProblemCode::IconColoursDiffer: return "icon-colours-differ";
    case ProblemCode::LowContrast: return "low-contrast";
    case ProblemCode::IconsOverlap: return "icons-overlap";
    }
    return "unknown";
}

std::vector<Finding> diagnoseBmp(const images::BmpScan& scan, images::Source role) {
    const images::SourceImage& source = images::sourceImage(role);
    const std::uint64_t required = source.requiredLength();
    std::vector<Finding> found;
    if (!scan.otherFormat.empty()) {
        found.push_back({ProblemCode::NotBmp, scan.otherFormat, "BMP"});
        return found;
    }
    const bool headerRead = scan.headerRead;
    if (scan.headerSize != kBmpInfoHeaderLength)
        found.push_back({ProblemCode::UnsupportedHeader,
                         scan.headerSize == 0 ? std::string("?") : std::to_string(scan.headerSize),
                         std::to_string(kBmpInfoHeaderLength)});
    if (headerRead) {
        if (scan.compression != images::kBmpUncompressed)
            found.push_back({ProblemCode::Compressed, compressionName(scan.compression), "0"});
        if (scan.bitsPerPixel != 8)
            found.push_back({ProblemCode::Not8Bit, std::to_string(scan.bitsPerPixel), "8"});
        if (scan.topDown) found.push_back({ProblemCode::TopDown, {}, {}});
        if (scan.width != source.width || scan.height != source.height)
            found.push_back({ProblemCode::WrongSize, sizeText(scan.width, scan.height),
                             sizeText(source.width, source.height)});
        if (scan.bitsPerPixel == 8 && scan.tableEntries < 256)
            found.push_back({ProblemCode::ShortColourTable, std::to_string(scan.tableEntries),
                             "256", scan.tableEntries});
        const std::uint32_t entrySize = scan.headerSize == kBmpCoreHeaderLength ? 3 : 4;
        const std::uint64_t impliedOffset =
            kBmpFileHeaderLength + scan.headerSize +
            static_cast<std::uint64_t>(scan.tableEntries) * entrySize;
        if (scan.fileSizeField != scan.fileLength || scan.pixelOffset != impliedOffset ||
            scan.pixelOffset > scan.fileLength)
            found.push_back(
                {ProblemCode::BadOffsets,
                 std::to_string(scan.pixelOffset) + "/" + std::to_string(scan.fileSizeField),
                 std::to_string(impliedOffset) + "/" + std::to_string(scan.fileLength)});
    }
    if (scan.fileLength != required)
        found.push_back(
            {ProblemCode::WrongLength, std::to_string(scan.fileLength), std::to_string(required)});
    return found;
}

std::optional<Finding> iconColourFinding(const images::BmpScan& icon, const Palette& drawPalette) {
    if (!icon.picture) return std::nullopt;
    std::uint64_t differing = 0;
    for (const std::uint8_t index : icon.picture->indices) {
        const bool inTable = index < icon.table.size();
        if (!inTable || icon.table[index] != drawPalette[index]) ++differing;
    }
    if (differing == 0) return std::nullopt;
    return Finding{ProblemCode::IconColoursDiffer, std::to_string(differing), "0", differing};
}

Result<Bytes> exactSourceFromBmp(const Bytes& bytes, images::Source role, bool keepRows,
                                 const std::string& path) {
    const images::BmpScan scan = images::scanBmp(bytes);
    if (!scan.picture) return Error{Error::Kind::Invalid, path, "not-lossless-bmp"};
    const images::SourceImage& source = images::sourceImage(role);
    if (scan.picture->width != source.width || scan.picture->height != source.height)
        return Error{Error::Kind::Invalid, path,
                     "wrong-size: " + sizeText(scan.width, scan.height) + " " +
                         sizeText(source.width, source.height)};
    return images::writeSourceBmp(keepRows ? scan.storedOrder() : *scan.picture);
}

Result<Palette> paletteOfBmp(const Bytes& bytes, const std::string& path) {
    const images::BmpScan scan = images::scanBmp(bytes);
    if (!scan.picture) return Error{Error::Kind::Invalid, path, "no-palette"};
    return scan.picture->palette;
}

}  // namespace vireo::artwork
