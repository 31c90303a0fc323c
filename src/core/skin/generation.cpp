#include "core/skin/generation.h"

#include "core/skin/skin_layout.h"

#include <algorithm>

namespace vireo::skin {

namespace {

// Copies every region, in file order, from the block `read` gives for it.
template <typename ReadRegion>
Result<Bytes> assemble(ReadRegion read) {
    Bytes skin(kSkinLength, 0);
    for (const Region& region : kSkinRegions) {
        auto block = read(region);
        if (!block) return block.error();
        std::copy(block.value().begin(), block.value().end(), skin.begin() + region.offset);
    }
    return skin;
}

}  // namespace

Result<Bytes> assembleSkin(const SkinSources& sources) {
    // Each source is read once, up to the end of its last region, in the
    // order its first region comes in the file; the regions then come from memory.
    SkinSourceBytes read;
    std::array<bool, images::kSourceCount> done{};
    for (const Region& region : kSkinRegions) {
        if (region.source && done[static_cast<std::size_t>(*region.source)]) continue;
        const std::size_t index = region.source ? static_cast<std::size_t>(*region.source) : 0;
        const std::string& path = region.source ? sources.pictures[index] : sources.settings;
        const std::size_t length =
            region.source ? images::kSourceSet[index].requiredLength() : region.length;
        auto block = readBlock(path, 0, length);
        if (!block) return block.error();
        (region.source ? read.pictures[index] : read.settings) = std::move(block).value();
        if (region.source) done[index] = true;
    }
    return assembleSkin(read);
}

Result<Bytes> assembleSkin(const SkinSourceBytes& sources) {
    return assemble([&](const Region& region) -> Result<Bytes> {
        const std::size_t index = region.source ? static_cast<std::size_t>(*region.source) : 0;
        const Bytes& file = region.source ? sources.pictures[index] : sources.settings;
        if (region.sourceOffset > file.size() ||
            region.length > file.size() - region.sourceOffset) {
            const std::string name =
                region.source ? images::kSourceSet[index].fileName : images::kSettingsFileName;
            return Error{Error::Kind::ShortRead, name, region.what};
        }
        const auto first = file.begin() + region.sourceOffset;
        return Bytes(first, first + region.length);
    });
}

Result<void> generateSkin(const SkinSources& sources, const std::string& outputPath) {
    auto skin = assembleSkin(sources);
    if (!skin) return skin.error();
    return writeFileAtomically(outputPath, skin.value());
}

}  // namespace vireo::skin
