#include "cli/skin_file.h"

#include "skin/skin_layout.h"

namespace vireo::cli {

std::optional<Layout> layoutOfLength(std::uint64_t length) {
    if (length == skin::kSkinLength) return Layout::Skin;
    return std::nullopt;
}

Result<SkinFile> readSkinFile(const std::string& path) {
    const auto length = fileLength(path);
    if (!length) return Error{Error::Kind::NotFound, path, {}};
    const auto layout = layoutOfLength(*length);
    if (!layout) return Error{Error::Kind::WrongLength, path, {}};
    auto bytes = readBlock(path, 0, static_cast<std::size_t>(*length));
    if (!bytes) return bytes.error();
    return SkinFile{*layout, std::move(bytes).value()};
}

std::vector<RegionInfo> regionsOf(Layout layout) {
    std::vector<RegionInfo> regions;
    if (layout == Layout::Skin) {
        for (const skin::Region& region : skin::kSkinRegions)
            regions.push_back({region.offset, region.length, region.what});
    }
    return regions;
}

}  // namespace vireo::cli
