// The unpacker over a skin and templates of any length and content. The input
// gives a signed change of the skin's length, the three templates' lengths,
// then the bytes that fill all four over and over. Inspection must succeed
// exactly for a 178,720-byte skin; restoration also needs 54-byte templates,
// and then every file is template header, palette and pixels, verbatim.
#include "images/source_set.h"
#include "fill.h"
#include "unpack/skin_info.h"
#include "unpack/restoration.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace vireo;
using fuzz::fillFrom;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    std::int16_t change;
    std::memcpy(&change, data, 2);
    const std::uint8_t* fill = data + 5;
    const std::size_t fillLength = size - 5;

    // Kept between runs: fresh buffers of this size would be mapped anew each time.
    static Bytes skin;
    static std::array<Bytes, 3> templates;
    fillFrom(skin, std::size_t(std::max<std::int64_t>(0, std::int64_t(unpack::kShortSkinLength) + change)),
             fill, fillLength, 0);
    bool templatesLongEnough = true;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t length = data[2 + i] % 96;  // around the 54 bytes that count
        templatesLongEnough = templatesLongEnough && length >= unpack::kTemplateLength;
        fillFrom(templates[i], length, fill, fillLength, i + 1);
    }
    const bool skinExact = skin.size() == unpack::kShortSkinLength;

    const auto settings = unpack::inspectSkin(skin, "fuzz/BACKIMG");
    if (settings.ok() != skinExact) std::abort();
    if (settings) {
        const auto texts = unpack::infoTexts(settings.value(), "fuzz/BACKIMG");
        if (texts.back() != "文件位置：fuzz/BACKIMG") std::abort();
    }

    const auto files = unpack::restoredFiles(skin, templates);
    if (files.ok() != (skinExact && templatesLongEnough)) std::abort();
    if (!files) return 0;
    for (std::size_t i = 0; i < unpack::kRestoreSet.size(); ++i) {
        const auto& item = unpack::kRestoreSet[i];
        const Bytes& bmp = files.value()[i];
        const Bytes& head = templates[std::size_t(item.header)];
        if (bmp.size() != images::kPixelOffset + item.pixelLength ||
            std::memcmp(bmp.data(), head.data(), unpack::kTemplateLength) != 0 ||
            std::memcmp(bmp.data() + images::kPaletteOffset, skin.data() + item.paletteOffset,
                        images::kPaletteLength) != 0 ||
            std::memcmp(bmp.data() + images::kPixelOffset, skin.data() + item.pixelOffset,
                        item.pixelLength) != 0)
            std::abort();
    }
    return 0;
}
