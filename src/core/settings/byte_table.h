#pragma once

#include "core/base/result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vireo::settings {

// The byte table: entry v is the byte stored for the value v. The tool reads
// it from the file ASCII in the folder it was started from.
constexpr std::size_t kTableLength = 256;
using ByteTable = std::array<std::uint8_t, kTableLength>;
constexpr char kTableFileName[] = "ASCII";

// The table in the file at `path`, which must hold exactly 256 bytes. A missing
// or non-regular file is NotFound; any other length is ShortRead, the kind the
// windows already word as "not found or of the wrong size": a write must never
// store a byte that is not a table entry.
Result<ByteTable> readByteTable(const std::string& path);

// The table the system relies on: entry v holds v.
ByteTable identityByteTable();

}  // namespace vireo::settings
