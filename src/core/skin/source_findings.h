#pragma once

#include "core/base/result.h"
#include "core/skin/text_samples.h"

#include <cstdint>
#include <string>

namespace vireo::skin {

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
    LowContrast,   // a warning: the skin still builds
    IconsOverlap,  // a warning: two icons cover more of each other than the default grid's do
};

enum class Severity { Error, Warning };

// Only a hard-to-read text and hidden icons are warnings; everything else
// keeps the skin from building.
inline Severity severityOf(ProblemCode code) {
    return code == ProblemCode::LowContrast || code == ProblemCode::IconsOverlap ? Severity::Warning
                                                                                 : Severity::Error;
}

// One problem with the values that show it: what the file has against what
// the role requires. Which fields are filled depends on the code.
struct Finding {
    ProblemCode code;
    std::string actual;       // e.g. "PNG", "124", "RLE8", "24", "241×160"
    std::string required;     // e.g. "40", "240×160", "39078"
    std::uint64_t count = 0;  // pixels whose colour differs; table entries present; pixels covered
    Error::FileType fileType = Error::FileType::Unknown;  // what stands there instead of a file
    double ratio = 0;                                     // a text's contrast over its background
    TextRole text = TextRole::List;
};

}  // namespace vireo::skin
