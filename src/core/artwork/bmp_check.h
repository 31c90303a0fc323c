#pragma once

#include "core/artwork/picture.h"
#include "core/base/result.h"
#include "core/images/bmp.h"
#include "core/images/source_set.h"
#include "core/skin/source_findings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vireo::artwork {

// The findings are values; messages/doctor_text.h turns them into sentences.
using skin::Finding;
using skin::ProblemCode;
using skin::Severity;

// "missing", "not-a-file", "not-bmp", ...
const char* codeName(ProblemCode code);

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
