#pragma once

#include "base/result.h"

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

// The first 256 bytes of the file at `path`. A missing file is NotFound, a
// shorter one ShortRead: a write must never store a byte that is not a table entry.
Result<ByteTable> readByteTable(const std::string& path);

// The table the system relies on: entry v holds v.
ByteTable identityByteTable();

}  // namespace vireo::settings
