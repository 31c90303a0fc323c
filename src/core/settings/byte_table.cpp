#include "core/settings/byte_table.h"

#include "core/base/binary_file.h"

#include <algorithm>

namespace vireo::settings {

Result<ByteTable> readByteTable(const std::string& path) {
    const auto length = regularFileLength(path);
    if (!length) return length.error();
    // Exactly one table: a longer file is not a table with something after it.
    if (length.value() != kTableLength)
        return Error{Error::Kind::ShortRead, path,
                     std::to_string(length.value()) + " bytes, not 256"};
    auto block = readBlock(path, 0, kTableLength);
    if (!block) return block.error();
    ByteTable table{};
    std::copy(block.value().begin(), block.value().end(), table.begin());
    return table;
}

ByteTable identityByteTable() {
    ByteTable table{};
    for (std::size_t v = 0; v < kTableLength; ++v) table[v] = static_cast<std::uint8_t>(v);
    return table;
}

}  // namespace vireo::settings
