#pragma once

#include "artwork/picture.h"
#include "base/binary_file.h"
#include "base/result.h"
#include "images/source_set.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vireo::artwork {

// Every way a file can fail to be an exact source. The code names are stable:
// scripts and the JSON report use them.
enum class ProblemCode {
    Missing,
    NotAFile,
    NotBmp,
    UnsupportedHeader,
    Compressed,
    Not8Bit,
    TopDown,
    WrongSize,
    ShortColourTable,
    BadOffsets,
    WrongLength,
    IconColoursDiffer,
};

// "missing", "not-a-file", "not-bmp", ...
const char* codeName(ProblemCode code);

// One problem with the values that show it: what the file has against what
// the role requires. Which fields are filled depends on the code.
struct Finding {
    ProblemCode code;
    std::string actual;    // e.g. "PNG", "124", "RLE8", "24", "241×160"
    std::string required;  // e.g. "40", "240×160", "39078"
    std::uint64_t count = 0;  // pixels whose colour differs; table entries present
};

// What the header of a BMP says, as far as the bytes allow.
struct BmpScan {
    std::uint64_t fileLength = 0;    // of the whole file, which `bytes` may only begin
    std::string otherFormat;         // set when the file is not a BMP: "PNG", "JPEG", ...
    std::uint32_t headerSize = 0;    // 0 when not even that could be read
    bool headerRead = false;         // the fields below come from a whole known header
    std::int64_t width = 0;
    std::int64_t height = 0;         // positive; see topDown
    bool topDown = false;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t pixelOffset = 0;
    std::uint32_t fileSizeField = 0;
    std::uint32_t tableEntries = 0;  // colour-table entries the file holds
    // The decoded picture when the file is one we can read without loss:
    // 1, 4 or 8 bits, uncompressed, RLE8 or RLE4, any known header version.
    // The table is padded with black to 256 entries.
    std::optional<IndexedPicture> picture;
    std::vector<Colour> table;       // the table as stored, before padding
};

// Reads what `bytes` hold of a file of `fileLength` bytes. Never reads
// outside `bytes`: every offset and length is checked first.
BmpScan scanBmp(const Bytes& bytes, std::uint64_t fileLength);
inline BmpScan scanBmp(const Bytes& bytes) { return scanBmp(bytes, bytes.size()); }

// Every problem that keeps `scan` from being an exact source for `role`,
// icon colours left aside (see iconColourFinding).
std::vector<Finding> diagnoseBmp(const BmpScan& scan, images::Source role);

// For an icon: the pixels whose colour in the icon's own table differs from
// the colour the player draws from `drawPalette`. Nothing when all agree or
// when the icon could not be decoded.
std::optional<Finding> iconColourFinding(const BmpScan& icon, const Palette& drawPalette);

// The exact source for `role` from a BMP that differs only in ways that lose
// nothing (RLE, top-down rows, header version, depth below 8, short table):
// the same palette colours and pixels. By default the picture's top row is
// stored first, so the player shows it as a viewer does; `keepRows` keeps the
// file's stored row order instead. Refuses a file it cannot read or whose size
// is not the role's.
Result<Bytes> exactSourceFromBmp(const Bytes& bytes, images::Source role, bool keepRows,
                                 const std::string& path);

// The 1,078-byte header and table plus pixels of an exact source, the
// picture's top row stored first.
Bytes writeSourceBmp(const IndexedPicture& picture);

// The palette of an exact (or losslessly readable) BMP, for mapping icons.
Result<Palette> paletteOfBmp(const Bytes& bytes, const std::string& path);

}  // namespace vireo::artwork
