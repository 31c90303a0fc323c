#pragma once

#include "core/base/result.h"
#include "core/settings/byte_table.h"
#include "core/settings/record.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vireo::settings {

// The groups of fields that have a write button each.
enum class Group {
    Colours,    // kColourFields, rounded toward minus infinity
    Positions,  // kPositionFields, rounded half to even
};

const Field* fieldsOf(Group group);
std::size_t fieldCountOf(Group group);

// A value to store, before it goes through the byte table.
struct FieldValue {
    std::uint8_t offset;
    std::uint8_t value;
};

// Converts the texts of a group, given in the order of its fields, by the
// group's rounding and checks each result against 0 to 255. Returns the
// values, or Kind::Invalid for the first text that is bad, with `field`
// counting the group's fields and the problem as the detail (the path is left
// empty: the texts come from no file). A missing text
// counts as not a number; texts beyond the group's fields are ignored.
Result<std::vector<FieldValue>> convertGroup(Group group, const std::vector<std::string>& texts);

// The byte that the text of the field at `offset` would store, by its group's
// rounding; nothing when the text is not a number from 0 to 255 or no shown
// field is at `offset`. Lets a window draw what a write would store.
std::optional<std::uint8_t> storedValueOf(std::uint8_t offset, const std::string& text);

// The flag's two bytes, 30 then 31.
std::vector<FieldValue> hintFlagValues(bool on);

// Stores entry `value` of the table at each offset of the settings file, in
// order, in place. The file must exist and be exactly 32 bytes long; it is
// never created, truncated or extended, and nothing is written when it is
// not usable.
Result<void> writeValues(const std::string& settingsPath, const ByteTable& table,
                         const std::vector<FieldValue>& values);

// A whole write action: reads the table, converts and checks every field,
// and only then writes. Nothing is written when it fails, except when the
// system fails in the middle of the write itself. The error names the table
// when the table failed, else the settings file; a refused field carries its
// index in `field`.
[[nodiscard]] Result<void> writeGroup(const std::string& settingsPath, const std::string& tablePath,
                                      Group group, const std::vector<std::string>& texts);
[[nodiscard]] Result<void> writeHintFlag(const std::string& settingsPath,
                                         const std::string& tablePath, bool on);

}  // namespace vireo::settings
