// The unpacker over a skin and templates of any length. The input gives a
// signed change of the skin's length, for each template its length and maybe
// one changed header byte, then the bytes that fill the skin and what follows
// the templates' headers. Inspection must succeed exactly for a 178,720-byte
// skin; restoration also needs templates of 54 bytes or more whose "BM", header
// size, width, height and depth are those of the picture they head, and then
// every file is template header, palette and pixels, verbatim.
#include "core/images/bmp.h"
#include "core/images/source_set.h"
#include "core/messages/skin_info_text.h"
#include "core/unpack/restoration.h"
#include "core/unpack/skin_info.h"
#include "fill.h"

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
    fillFrom(
        skin,
        std::size_t(std::max<std::int64_t>(0, std::int64_t(unpack::kShortSkinLength) + change)),
        fill, fillLength, 0);
    bool templatesSound = true;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t length = data[2 + i] % 96;  // around the 54 bytes that count
        const auto size = unpack::pictureSizeOf(unpack::Template(i));
        const Bytes made = images::makeBmpHeader(size.width, size.height);
        fillFrom(templates[i], length, fill, fillLength, i + 1);
        std::copy_n(made.begin(), std::min<std::size_t>(length, made.size()), templates[i].begin());
        templatesSound = templatesSound && length >= unpack::kTemplateLength;
        if (data[2 + i] & 0x80 && length > 0) {
            // The fields the check reads: signature, header size, width, height, depth.
            const std::size_t at = (data[2 + i] >> 1) % std::min<std::size_t>(length, 54);
            const std::uint8_t now =
                std::uint8_t((fillLength ? fill[i % fillLength] : 0) ^ data[2 + i]);
            const bool checked = at < 2 || (at >= 14 && at < 26) || at == 28 || at == 29;
            if (checked && now != templates[i][at]) templatesSound = false;
            templates[i][at] = now;
        }
    }
    const bool skinExact = skin.size() == unpack::kShortSkinLength;

    const auto settings = unpack::inspectSkin(skin, "fuzz/BACKIMG");
    if (settings.ok() != skinExact) std::abort();
    if (settings) {
        const auto texts = skinInfoTexts(settings.value(), "fuzz/BACKIMG");
        if (texts.back() != "文件位置：fuzz/BACKIMG") std::abort();
    }

    const auto files = unpack::restoredFiles(skin, templates);
    if (files.ok() != (skinExact && templatesSound)) std::abort();
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
