#pragma once

#include "core/base/result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vireo::settings {

// The settings file BACK is exactly one 32-byte record; index = file offset.
constexpr std::size_t kRecordLength = 32;
using Record = std::array<std::uint8_t, kRecordLength>;

// One byte of the record that the panel shows and writes.
struct Field {
    std::uint8_t offset;
    std::uint8_t defaultValue;  // what the reset buttons and the initial texts hold
};

// The three text colours, red, green, blue each, in panel and write order.
// Offsets 3, 7 and 11 to 15 are spare: never shown, never written.
constexpr std::size_t kColourFieldCount = 9;
extern const std::array<Field, kColourFieldCount> kColourFields;

// Seven X/Y pairs: the six main-screen icons, then the file list, at 16 to 29.
constexpr std::size_t kPositionFieldCount = 14;
extern const std::array<Field, kPositionFieldCount> kPositionFields;

// The main-screen hint flag: read from 30 alone, written to 30 and then to 31.
constexpr std::uint8_t kHintFlagOffset = 30;
constexpr std::uint8_t kHintFlagCopyOffset = 31;
constexpr std::uint8_t kHintOn = 255;
constexpr std::uint8_t kHintOff = 0;

inline bool hintFlagOn(const Record& record) {
    return record[kHintFlagOffset] != 0;
}

// The record the reset buttons give: every field's default, the spare bytes
// and the hint flag 0.
Record defaultRecord();

// The 32 bytes of a settings file. Refuses a file whose length is not 32
// (WrongLength, or NotFound when there is no such regular file).
Result<Record> readRecord(const std::string& path);

// Decimal text of a stored byte, as the panel shows it: "0" to "255".
std::string byteText(std::uint8_t value);

}  // namespace vireo::settings
