#include "bmp_maker.h"

namespace vireo::test {

namespace {

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// One stored row, packed or run-length coded.
void appendRow(Bytes& out, const artwork::IndexedPicture& p, int row, const BmpForm& form) {
    const auto at = [&](int x) { return p.indices[static_cast<std::size_t>(row * p.width + x)]; };
    if (form.rle) {
        // Runs of equal pixels; RLE4 runs of one repeated nibble pair.
        int x = 0;
        while (x < p.width) {
            int run = 1;
            while (x + run < p.width && run < 254 && at(x + run) == at(x)) ++run;
            const std::uint8_t value =
                form.bits == 4 ? static_cast<std::uint8_t>(at(x) << 4 | at(x)) : at(x);
            out.insert(out.end(), {static_cast<std::uint8_t>(run), value});
            x += run;
        }
        out.insert(out.end(), {0, 0});
        return;
    }
    const std::size_t start = out.size();
    if (form.bits == 24) {
        for (int x = 0; x < p.width; ++x) {
            const artwork::Colour c = p.palette[at(x)];
            out.insert(out.end(), {c.blue, c.green, c.red});
        }
    } else {
        std::uint32_t acc = 0;
        int used = 0;
        for (int x = 0; x < p.width; ++x) {
            acc = acc << form.bits | at(x);
            used += form.bits;
            if (used == 8) {
                out.push_back(static_cast<std::uint8_t>(acc));
                acc = 0;
                used = 0;
            }
        }
        if (used > 0) out.push_back(static_cast<std::uint8_t>(acc << (8 - used)));
    }
    while ((out.size() - start) % 4 != 0) out.push_back(0);
}

}  // namespace

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

Bytes makeBmp(const artwork::IndexedPicture& p, const BmpForm& form) {
    const std::uint32_t entrySize = form.headerSize == 12 ? 3 : 4;
    const std::uint32_t entries = form.bits == 24 ? 0 : form.tableEntries;
    const std::uint32_t pixelOffset = 14 + form.headerSize + entries * entrySize;
    Bytes out(pixelOffset, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 10, pixelOffset);
    put32(out, 14, form.headerSize);
    if (form.headerSize == 12) {
        put16(out, 18, static_cast<std::uint32_t>(p.width));
        put16(out, 20, static_cast<std::uint32_t>(p.height));
        put16(out, 22, 1);
        put16(out, 24, form.bits);
    } else {
        put32(out, 18, static_cast<std::uint32_t>(p.width));
        put32(out, 22, static_cast<std::uint32_t>(form.topDown ? -p.height : p.height));
        put16(out, 26, 1);
        put16(out, 28, form.bits);
        put32(out, 30, form.rle ? (form.bits == 8 ? 1 : 2) : 0);
        put32(out, 46, form.bits == 24 || entries == (1u << form.bits) ? 0 : entries);
    }
    for (std::uint32_t i = 0; i < entries; ++i) {
        const artwork::Colour c = p.palette[i];
        const std::size_t at = 14 + form.headerSize + i * entrySize;
        out[at] = c.blue;
        out[at + 1] = c.green;
        out[at + 2] = c.red;
    }
    for (int stored = 0; stored < p.height; ++stored)
        appendRow(out, p, form.topDown ? stored : p.height - 1 - stored, form);
    if (form.rle) out.insert(out.end(), {0, 1});
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    return out;
}

artwork::IndexedPicture testPicture(int width, int height, unsigned bits) {
    artwork::IndexedPicture p{width, height, {}, {}};
    for (int i = 0; i < 256; ++i)
        p.palette[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i),
                                                  static_cast<std::uint8_t>(255 - i),
                                                  static_cast<std::uint8_t>(i * 7)};
    // Runs of varying length, so RLE has both long and single-pixel runs.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.indices.push_back(
                static_cast<std::uint8_t>(((x / (1 + y % 3)) * 5 + y * 3) % (1 << bits)));
    return p;
}

}  // namespace vireo::test
