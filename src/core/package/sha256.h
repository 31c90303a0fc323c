#pragma once

#include "core/base/binary_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vireo::package {

// The SHA-256 of `size` bytes as 64 lower-case hexadecimal digits: the
// manifest's digests, which anyone can check with sha256sum.
std::string sha256Hex(const std::uint8_t* data, std::size_t size);

// The digest of each block, in order, several hashed at once.
std::vector<std::string> sha256HexOfEach(const std::vector<const Bytes*>& blocks);

}  // namespace vireo::package
