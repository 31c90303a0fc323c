#pragma once

#include "core/base/binary_file.h"
#include "core/base/result.h"
#include "core/cli/png_writer.h"
#include "core/skin/sheet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" {
// One text of a sheet: a skin::TextRole, its colour (0xFFRRGGBB) and where
// its top left goes, in sheet pixels.
struct VireoSheetText {
    int role;
    std::uint32_t colour;
    int x;
    int y;
};
// Draws the texts onto the pixels (as VireoEncodePng takes them) and hands
// the PNG to `sink`; false when drawing or encoding failed.
using VireoEncodeSheetPng = bool (*)(const std::uint32_t* pixels, int width, int height,
                                     const VireoSheetText* texts, std::size_t textCount,
                                     VireoPngSink sink, void* context);
}

namespace vireo::cli {

constexpr char kSheetFunctionName[] = "vireo_encode_sheet_png";

// The sheet, its texts drawn, as PNG bytes; `path` names what it is for.
Result<Bytes> encodeSheetPng(const skin::Sheet& sheet, const std::string& path,
                             const std::vector<std::string>& moduleDirs);

// Replaces `path` whole with the sheet, its texts drawn, as PNG.
Result<void> writeSheetPng(const skin::Sheet& sheet, const std::string& path,
                           const std::vector<std::string>& moduleDirs);

}  // namespace vireo::cli
