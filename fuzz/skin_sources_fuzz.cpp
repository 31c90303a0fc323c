// Skin assembly over source files of any length and content. The input gives,
// for each of the twelve pictures and BACK, a signed change of its required
// length, then the bytes that fill the files over and over. Assembly must
// succeed exactly when no file is short, and then hold every region verbatim.
#include "core/images/source_set.h"
#include "core/skin/generation.h"
#include "core/skin/skin_layout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace vireo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kFiles = images::kSourceCount + 1;
    if (size < 2 * kFiles) return 0;
    const std::uint8_t* fill = data + 2 * kFiles;
    const std::size_t fillLength = size - 2 * kFiles;

    // Kept between runs: fresh buffers of this size would be mapped anew each time.
    static skin::SkinSourceBytes sources;
    bool complete = true;
    for (std::size_t i = 0; i < kFiles; ++i) {
        std::int16_t change;
        std::memcpy(&change, data + 2 * i, 2);
        const std::int64_t required =
            i < images::kSourceCount ? std::int64_t(images::kSourceSet[i].requiredLength()) : 32;
        const std::int64_t length = std::max<std::int64_t>(0, required + change);
        complete = complete && length >= required;
        // The fill, started at a different byte for each file, repeated.
        Bytes& file = i < images::kSourceCount ? sources.pictures[i] : sources.settings;
        file.assign(std::size_t(length), 0);
        const std::size_t period = std::min(fillLength, file.size());
        for (std::size_t at = 0; at < period; ++at) file[at] = fill[(at + i) % fillLength];
        for (std::size_t at = period; period && at < file.size(); at += period)
            std::memcpy(file.data() + at, file.data(), std::min(period, file.size() - at));
    }

    const auto skin = skin::assembleSkin(sources);
    if (skin.ok() != complete) std::abort();
    if (!skin) {
        if (skin.error().kind != Error::Kind::ShortRead || skin.error().path.empty()) std::abort();
        return 0;
    }
    if (skin.value().size() != skin::kSkinLength) std::abort();
    for (const skin::Region& region : skin::kSkinRegions) {
        const Bytes& file =
            region.source ? sources.pictures[std::size_t(*region.source)] : sources.settings;
        if (std::memcmp(skin.value().data() + region.offset, file.data() + region.sourceOffset,
                        region.length) != 0)
            std::abort();
    }
    return 0;
}
