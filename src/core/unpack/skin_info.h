#pragma once

#include "core/base/binary_file.h"
#include "core/base/result.h"

#include <array>
#include <cstdint>
#include <string>

namespace vireo::unpack {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

struct Position {
    std::uint8_t x;
    std::uint8_t y;
};

// The settings record as the unpacker reads it. Colours and the hint flag sit
// where the settings record keeps them today; the six icon positions use the
// older arrangement of bytes 15 to 26.
struct SkinSettings {
    std::array<Rgb, 3> colours;         // list, selected, e-book text
    bool hintOn;                        // byte 30, any non-zero value is on
    std::array<Position, 6> positions;  // movie, music, e-book, about, help, folder icon
};

// Refuses anything but exactly 32 bytes.
Result<SkinSettings> decodeRecord(const Bytes& record);

// The information labels in the order they are set: Label3 to Label12, then Label1.
// Their texts are made by messages/skin_info_text.
constexpr std::size_t kInfoLabelCount = 11;
constexpr std::array<const char*, kInfoLabelCount> kInfoLabelNames = {
    "Label3", "Label4",  "Label5",  "Label6",  "Label7", "Label8",
    "Label9", "Label10", "Label11", "Label12", "Label1"};

// Whether a chosen file's bare name is the one the unpacker accepts:
// exactly "BACKIMG", case-sensitive, nothing trimmed.
bool isSkinFileTitle(const std::string& title);

// Reads the settings of a short skin image file. A file of any other length
// is a WrongLength error, checked before the file is opened.
Result<SkinSettings> inspectSkin(const std::string& path);

// The same over a whole file held in memory; `path` only names it in the error.
Result<SkinSettings> inspectSkin(const Bytes& skin, const std::string& path);

}  // namespace vireo::unpack
