// The readers of a finished skin, over bytes: what inspect, render and unpack
// do after reading the file, and what a window does with a skin in memory. The input chooses a
// layout and a signed change of its length, the templates' lengths (0 for the tool's own headers),
// then the bytes that fill the skin over and over. Only the two exact lengths are accepted; a
// generated-layout skin unpacks into sources that assemble back into the same bytes.
#include "core/images/bmp.h"
#include "core/images/source_set.h"
#include "core/skin/generation.h"
#include "core/skin/screen.h"
#include "core/skin/skin_file.h"
#include "core/skin/skin_layout.h"
#include "core/skin/unpacking.h"
#include "core/unpack/skin_info.h"
#include "fill.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace vireo;
using fuzz::fillFrom;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    const bool longLayout = data[0] & 1;
    std::int16_t change;
    std::memcpy(&change, data + 1, 2);
    const std::uint8_t* fill = data + 6;
    const std::size_t fillLength = size - 6;
    const std::int64_t exact = longLayout ? skin::kSkinLength : unpack::kShortSkinLength;
    // Most runs keep the exact length, where the readers do their work.
    if (data[0] & 2) change = 0;

    Bytes bytes;
    fillFrom(bytes, std::size_t(std::max<std::int64_t>(0, exact + change)), fill, fillLength, 0);
    const bool accepted =
        bytes.size() == skin::kSkinLength || bytes.size() == unpack::kShortSkinLength;
    const auto skinFile = skin::skinFileOf(std::move(bytes), "fuzz/BACKIMG");
    if (skinFile.ok() != accepted) std::abort();
    if (!skinFile) return 0;
    const skin::SkinFile& file = skinFile.value();

    // inspect
    std::uint64_t covered = 0;
    for (const auto& region : skin::regionsOf(file.layout)) {
        if (region.offset != covered) std::abort();
        covered += region.length;
    }
    if (covered != file.bytes.size()) std::abort();
    const Bytes record = skin::settingsRecordOf(file);
    if (record.size() != 32 || !unpack::decodeRecord(record)) std::abort();

    // render, one screen a run (the main screen, with its icons, most often)
    const auto screen = static_cast<skin::Screen>(data[0] & 4 ? (data[0] >> 3) & 3 : 0);
    const skin::Picture picture = skin::renderScreen(file, screen);
    if (picture.width != images::kScreenWidth || picture.height != images::kScreenHeight ||
        picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height))
        std::abort();
    for (std::uint32_t pixel : picture.pixels)
        if ((pixel >> 24) != 0xFF) std::abort();

    // unpack
    // Templates are sound headers for their pictures unless data[3] asks for
    // filled ones, which are refused unless they happen to be sound too.
    std::optional<unpack::HeaderTemplates> templates;
    if (data[3] || data[4] || data[5]) {
        templates.emplace();
        for (std::size_t i = 0; i < 3; ++i) {
            const auto size = unpack::pictureSizeOf(unpack::Template(i));
            (*templates)[i] = images::makeBmpHeader(size.width, size.height);
            if (data[3] & 1) fillFrom((*templates)[i], 54, fill, fillLength, i + 7);
        }
    }
    const bool soundTemplates = !templates || unpack::checkHeaderTemplates(*templates).ok();
    const auto files = skin::unpackedFiles(file, templates);
    if (files.ok() != soundTemplates) std::abort();
    if (!files) return 0;
    if (file.layout == skin::Layout::Skin) {
        if (files.value().size() != images::kSourceCount + 1) std::abort();
        skin::SkinSourceBytes sources;
        for (std::size_t i = 0; i < images::kSourceCount; ++i) {
            if (files.value()[i].name != images::kSourceSet[i].fileName) std::abort();
            sources.pictures[i] = files.value()[i].bytes;
        }
        sources.settings = files.value().back().bytes;
        const auto again = skin::assembleSkin(sources);
        if (!again || again.value() != file.bytes) std::abort();
    } else if (files.value().size() != unpack::kRestoreSet.size()) {
        std::abort();
    }
    return 0;
}
