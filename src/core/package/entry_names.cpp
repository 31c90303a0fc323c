#include "core/package/entry_names.h"

#include "core/base/ascii_text.h"
#include "core/package/package.h"
#include "core/skin/skin_layout.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace vireo::package {

namespace {

// Every picture extension any build of the converter reads.
constexpr std::array<const char*, 8> kPictureExtensions = {".png", ".jpg",  ".jpeg", ".bmp",
                                                           ".gif", ".webp", ".tif",  ".tiff"};

// The source an original in art/ stands for: its title without the extension
// is the source's ("Movie256.PNG" for movie256.bmp), as the converter finds them.
std::optional<images::Source> sourceOfOriginal(const std::string& title) {
    const std::string name = asciiLower(title);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return std::nullopt;
    const std::string extension = name.substr(dot);
    if (std::none_of(kPictureExtensions.begin(), kPictureExtensions.end(),
                     [&](const char* known) { return extension == known; }))
        return std::nullopt;
    const std::string stem = name.substr(0, dot);
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        const std::string file = images::kSourceSet[i].fileName;
        if (stem == file.substr(0, file.size() - 4)) return static_cast<images::Source>(i);
    }
    return std::nullopt;
}

}  // namespace

EntryRule ruleFor(const std::string& name) {
    if (name == images::kSkinFileName)
        return {EntryKind::Skin, std::nullopt, skin::kSkinLength, skin::kSkinLength};
    if (name == images::kSettingsFileName)
        return {EntryKind::Settings, std::nullopt, images::kSettingsLength,
                images::kSettingsLength};
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (name == images::kSourceSet[i].fileName) {
            const std::uint64_t length = images::kSourceSet[i].requiredLength();
            return {EntryKind::Source, static_cast<images::Source>(i), length, length};
        }
    if (name == kDerivedName)
        return {EntryKind::Derived, std::nullopt, std::nullopt, kDerivedLimit};
    if (name == kPreviewName)
        return {EntryKind::Preview, std::nullopt, std::nullopt, kPreviewLimit};
    if (name == kManifestName)
        return {EntryKind::Manifest, std::nullopt, std::nullopt, kManifestLimit};
    const std::string art = kArtPrefix;
    if (name.compare(0, art.size(), art) == 0 && name.find('/', art.size()) == std::string::npos)
        if (const auto source = sourceOfOriginal(name.substr(art.size())))
            return {EntryKind::Original, source, std::nullopt, kOriginalLimit};
    return {};
}

int orderOf(const EntryRule& rule, const std::string& /*name*/) {
    const int source = rule.source ? static_cast<int>(*rule.source) : 0;
    switch (rule.kind) {
    case EntryKind::Manifest: return 0;
    case EntryKind::Skin: return 1;
    case EntryKind::Settings: return 2;
    case EntryKind::Source: return 10 + source;
    case EntryKind::Derived: return 30;
    case EntryKind::Original: return 40 + source;
    case EntryKind::Preview: return 60;
    case EntryKind::Unknown: break;
    }
    return 100;
}

}  // namespace vireo::package
