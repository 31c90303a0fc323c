#pragma once

#include "core/base/result.h"
#include "core/settings/byte_table.h"
#include "core/settings/record.h"
#include "core/settings/write.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vireo::cli {

// A name of the settings command: a colour (three fields), a position (two)
// or the hint flag (none of the groups).
struct Setting {
    const char* name;
    std::optional<settings::Group> group;  // empty for the hint flag
    std::size_t firstField;                // index into the group's fields
    std::size_t fieldCount;
};

// list-colour, selected-colour, ebook-colour, movie, music, image, game,
// ebook, options, filelist, hint: the panel's order.
extern const std::array<Setting, 11> kSettings;

const Setting* findSetting(const std::string& name);

// How `settings` shows a setting: "  电影 X Y", "列表文字颜色   R G B", ... (the
// names aligned as the panel aligns them).
std::string captionOf(const Setting& setting);

// The bytes a setting shows: R, G, B or X, Y; for the flag, byte 30.
std::vector<std::uint8_t> valuesOf(const settings::Record& record, const Setting& setting);

// "NAME=VALUE" of the command line, its name already found.
struct Assignment {
    const Setting* setting;
    std::string value;  // "R,G,B", "X,Y", or "on"/"off"
};

// Why an assignment was refused, as codes for the message that points at it.
struct Refusal {
    const Setting* setting;              // the setting whose value was refused
    std::optional<std::uint8_t> offset;  // the field out of range; empty when the form is wrong
};

// The bytes to store, or the first assignment that cannot be stored.
struct StoreValues {
    std::vector<settings::FieldValue> values;
    std::optional<Refusal> refused;
};

// Converts every assignment with the panel's rules (colours rounded toward
// minus infinity, positions half to even, each 0 to 255; the flag written to
// both of its bytes) before anything is written. Only the named fields are
// returned; a later assignment of the same field wins. The first value that
// cannot be stored is refused: with no field when it has the wrong number of
// parts or is not on/off, else with the offset of the field that is not a
// number from 0 to 255.
StoreValues valuesToStore(const std::vector<Assignment>& assignments);

}  // namespace vireo::cli
