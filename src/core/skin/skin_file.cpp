#include "core/skin/skin_file.h"

#include "core/skin/skin_layout.h"
#include "core/unpack/short_skin.h"

namespace vireo::skin {

std::optional<Layout> layoutOfLength(std::uint64_t length) {
    if (length == kSkinLength) return Layout::Skin;
    if (length == unpack::kShortSkinLength) return Layout::ShortSkin;
    return std::nullopt;
}

Result<SkinFile> readSkinFile(const std::string& path) {
    const auto length = regularFileLength(path);
    if (!length) {  // still NotFound for the callers, with what is actually wrong
        const Error& why = length.error();
        return Error{Error::Kind::NotFound, path, why.detail, why.cause, why.fileType};
    }
    const auto layout = layoutOfLength(length.value());
    if (!layout) return Error{Error::Kind::WrongLength, path, std::to_string(length.value())};
    auto bytes = readBlock(path, 0, static_cast<std::size_t>(length.value()));
    if (!bytes) return bytes.error();
    return skinFileOf(std::move(bytes).value(), path);
}

Result<SkinFile> skinFileOf(Bytes bytes, const std::string& path) {
    const auto layout = layoutOfLength(bytes.size());
    if (!layout) return Error{Error::Kind::WrongLength, path, std::to_string(bytes.size())};
    return SkinFile{*layout, std::move(bytes)};
}

std::vector<images::Region> regionsOf(Layout layout) {
    if (layout == Layout::Skin) return {kSkinRegions.begin(), kSkinRegions.end()};
    return {unpack::kShortSkinRegions.begin(), unpack::kShortSkinRegions.end()};
}

Bytes settingsRecordOf(const SkinFile& skinFile) {
    const std::uint32_t offset =
        skinFile.layout == Layout::Skin ? kSettingsOffset : unpack::kRecordOffset;
    return Bytes(skinFile.bytes.begin() + offset, skinFile.bytes.begin() + offset + 32);
}

}  // namespace vireo::skin
