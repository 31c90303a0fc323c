#include "settings/byte_table.h"

#include "base/binary_file.h"

#include <algorithm>

namespace vireo::settings {

Result<ByteTable> readByteTable(const std::string& path) {
    auto block = readBlock(path, 0, kTableLength);
    if (!block) return block.error();
    ByteTable table{};
    std::copy(block.value().begin(), block.value().end(), table.begin());
    return table;
}

}  // namespace vireo::settings
