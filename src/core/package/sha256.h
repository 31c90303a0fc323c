#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vireo::package {

// The SHA-256 of `size` bytes as 64 lower-case hexadecimal digits: the
// manifest's digests, which anyone can check with sha256sum.
std::string sha256Hex(const std::uint8_t* data, std::size_t size);

}  // namespace vireo::package
