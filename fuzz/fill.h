#pragma once

#include "core/base/binary_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vireo::fuzz {

// Makes `file` `length` bytes long, repeating the fuzzer's bytes from `start`,
// so a short input can stand for a whole skin-sized file.
inline void fillFrom(Bytes& file, std::size_t length, const std::uint8_t* fill,
                     std::size_t fillLength, std::size_t start) {
    file.assign(length, 0);
    const std::size_t period = std::min(fillLength, length);
    for (std::size_t at = 0; at < period; ++at) file[at] = fill[(at + start) % fillLength];
    for (std::size_t at = period; period && at < length; at += period)
        std::memcpy(file.data() + at, file.data(), std::min(period, length - at));
}

}  // namespace vireo::fuzz
