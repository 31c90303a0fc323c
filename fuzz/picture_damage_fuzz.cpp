// The damage checks that run before Qt's lenient readers, on any bytes: they
// read only inside the bytes and never call one file both kinds.
#include "core/artwork/picture_limits.h"

#include <cstdint>
#include <cstdlib>

using namespace vireo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bmp = artwork::bmpDamage(data, size);
    const auto gif = artwork::gifDamage(data, size);
    // A file is at most one of the two kinds.
    if (bmp && gif) std::abort();
    return 0;
}
