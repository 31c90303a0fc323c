#pragma once

#include "artwork/picture.h"
#include "base/result.h"
#include "images/bmp.h"
#include "images/source_set.h"
#include "skin/text_samples.h"

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
    LowContrast,  // a warning: the skin still builds
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
    Error::FileType fileType = Error::FileType::Unknown;  // what stands there instead of a file
    double ratio = 0;  // a text's contrast over its background
    skin::TextRole text = skin::TextRole::List;
};

// Every problem that keeps `scan` from being an exact source for `role`,
// icon colours left aside (see iconColourFinding).
std::vector<Finding> diagnoseBmp(const images::BmpScan& scan, images::Source role);

// For an icon: the pixels whose colour in the icon's own table differs from
// the colour the player draws from `drawPalette`. Nothing when all agree or
// when the icon could not be decoded.
std::optional<Finding> iconColourFinding(const images::BmpScan& icon, const Palette& drawPalette);

// The exact source for `role` from a BMP that differs only in ways that lose
// nothing (RLE, top-down rows, header version, depth below 8, short table):
// the same palette colours and pixels. By default the picture's top row is
// stored first, so the player shows it as a viewer does; `keepRows` keeps the
// file's stored row order instead. Refuses a file it cannot read or whose size
// is not the role's.
Result<Bytes> exactSourceFromBmp(const Bytes& bytes, images::Source role, bool keepRows,
                                 const std::string& path);

// The palette of an exact (or losslessly readable) BMP, for mapping icons.
Result<Palette> paletteOfBmp(const Bytes& bytes, const std::string& path);

}  // namespace vireo::artwork
