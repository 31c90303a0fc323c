#include "skin/generation.h"

#include "skin/skin_layout.h"

#include <algorithm>

namespace vireo::skin {

Result<Bytes> assembleSkin(const SkinSources& sources) {
    Bytes skin(kSkinLength, 0);
    for (const Region& region : kSkinRegions) {
        const std::string& path =
            region.source ? sources.pictures[static_cast<std::size_t>(*region.source)]
                          : sources.settings;
        auto block = readBlock(path, region.sourceOffset, region.length);
        if (!block) return block.error();
        std::copy(block.value().begin(), block.value().end(), skin.begin() + region.offset);
    }
    return skin;
}

Result<void> generateSkin(const SkinSources& sources, const std::string& outputPath) {
    auto skin = assembleSkin(sources);
    if (!skin) return skin.error();
    return writeFileAtomically(outputPath, skin.value());
}

}  // namespace vireo::skin
