#include "core/workbench/slots.h"

#include "core/artwork/bmp_check.h"
#include "core/artwork/convert.h"
#include "core/images/bmp.h"
#include "core/skin/generation.h"
#include "core/skin/skin_layout.h"

#include <algorithm>

namespace vireo::workbench {

namespace {

using images::Source;

bool isExact(Source slot, const Bytes* file) {
    return file && artwork::diagnoseBmp(images::scanBmp(*file), slot).empty();
}

// An exact source's own table and pixels, first stored row first: the order
// the player shows and the converter writes.
artwork::IndexedPicture storedPicture(Source slot, const Bytes& exact) {
    const auto& image = images::sourceImage(slot);
    artwork::IndexedPicture picture{image.width, image.height, {}, {}};
    for (std::size_t i = 0; i < picture.palette.size(); ++i) {
        const std::uint8_t* entry = exact.data() + images::kPaletteOffset + 4 * i;
        picture.palette[i] = {entry[2], entry[1], entry[0]};
    }
    picture.indices.assign(exact.begin() + images::kPixelOffset,
                           exact.begin() + images::kPixelOffset + image.pixelLength());
    return picture;
}

}  // namespace

std::vector<Source> iconsDrawnWith(Source background) {
    std::vector<Source> icons;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        const auto source = static_cast<Source>(i);
        if (source != background && skin::paletteSourceOf(source) == background)
            icons.push_back(source);
    }
    return icons;
}

SlotVerdict slotVerdict(Source slot, const SlotFiles& files) {
    const auto& file = files[indexOf(slot)];
    std::vector<artwork::Finding> findings;
    std::optional<images::BmpScan> scan;
    if (!file) {
        findings.push_back({artwork::ProblemCode::Missing, {}, {}});
    } else {
        scan = images::scanBmp(*file);
        findings = artwork::diagnoseBmp(*scan, slot);
    }
    SlotVerdict verdict;
    const Source drawnWith = skin::paletteSourceOf(slot);
    if (drawnWith != slot && scan && files[indexOf(drawnWith)]) {
        const auto background = images::scanBmp(*files[indexOf(drawnWith)]);
        if (background.picture) {
            if (auto differ = artwork::iconColourFinding(*scan, background.picture->palette)) {
                verdict.remappable = findings.empty();
                findings.push_back(*differ);
            }
        }
    }
    verdict.usable = findings.empty();
    verdict.findings = std::move(findings);
    return verdict;
}

std::vector<bool> differingPixels(Source slot, const SlotFiles& files) {
    const Source drawnWith = skin::paletteSourceOf(slot);
    const auto& icon = files[indexOf(slot)];
    const auto& background = files[indexOf(drawnWith)];
    if (drawnWith == slot || !isExact(slot, icon) || !isExact(drawnWith, background)) return {};
    std::vector<bool> marks(images::sourceImage(slot).pixelLength());
    bool any = false;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const std::uint8_t index = (*icon)[images::kPixelOffset + i];
        const auto own = icon->begin() + images::kPaletteOffset + 4 * index;
        const auto drawn = background->begin() + images::kPaletteOffset + 4 * index;
        marks[i] = !std::equal(own, own + 3, drawn);
        any = any || marks[i];
    }
    if (!any) marks.clear();
    return marks;
}

Result<Bytes> remapIcon(Source slot, const SlotFiles& files) {
    const std::string name = images::sourceImage(slot).fileName;
    const Source drawnWith = skin::paletteSourceOf(slot);
    if (drawnWith == slot || !isExact(slot, files[indexOf(slot)]))
        return Error{Error::Kind::Invalid, name, "not-remappable"};
    const auto& background = files[indexOf(drawnWith)];
    if (!background)
        return Error{Error::Kind::NotFound, images::sourceImage(drawnWith).fileName, {}};
    auto palette = artwork::paletteOfBmp(*background, images::sourceImage(drawnWith).fileName);
    if (!palette) return palette.error();
    const auto own = artwork::toRgba(storedPicture(slot, *files[indexOf(slot)]));
    auto mapped =
        artwork::mapOntoPalette(own, palette.value(), artwork::ConvertOptions{}.dither, name);
    if (!mapped) return mapped.error();
    return images::writeSourceBmp(mapped.value());
}

Result<Bytes> convertIntoSlot(Source slot, const std::string& inputPath,
                              artwork::PictureDecoder& decoder, const SlotFiles& files,
                              const settings::Record& record) {
    auto start = readFileStart(inputPath, images::kPictureReadLimit);
    if (!start) return start.error();
    const Bytes& input = start.value().bytes;
    const auto scan = images::scanBmp(input, start.value().length);
    if (artwork::diagnoseBmp(scan, slot).empty()) return input;
    const auto& image = images::sourceImage(slot);
    if (scan.picture && scan.picture->width == image.width && scan.picture->height == image.height)
        return artwork::exactSourceFromBmp(input, slot, false, inputPath);

    auto picture = artwork::loadPicture(inputPath, decoder, false);
    if (!picture) return picture.error();
    artwork::ConvertOptions options;
    // A drop has no options to give: the picture fills the slot, cropped to its shape.
    options.fit = artwork::Fit::Cover;
    artwork::IconContext icon;
    std::vector<artwork::RgbaImage> alsoDrawn;
    if (artwork::isBackground(slot)) {
        for (const Source drawn : iconsDrawnWith(slot))
            if (isExact(drawn, files[indexOf(drawn)]))
                alsoDrawn.push_back(artwork::toRgba(storedPicture(drawn, *files[indexOf(drawn)])));
    } else {
        const Source drawnWith = skin::paletteSourceOf(slot);
        if (!isExact(drawnWith, files[indexOf(drawnWith)]))
            return Error{Error::Kind::Invalid, images::sourceImage(drawnWith).fileName,
                         "background-not-source"};
        const auto background = storedPicture(drawnWith, *files[indexOf(drawnWith)]);
        icon.drawPalette = background.palette;
        icon.backdrop = artwork::backdropUnderIcon(slot, background, record, options.matte);
    }
    auto converted =
        artwork::convertPicture(picture.value(), slot, options, icon, inputPath, alsoDrawn);
    if (!converted) return converted.error();
    return images::writeSourceBmp(converted.value());
}

std::optional<skin::Picture> slotPicture(Source slot, const SlotFiles& files) {
    const auto& image = images::sourceImage(slot);
    const auto& pixels = files[indexOf(slot)];
    const auto& paletteFile = files[indexOf(skin::paletteSourceOf(slot))];
    if (!pixels || !paletteFile) return std::nullopt;
    if (pixels->size() < images::kPixelOffset + image.pixelLength()) return std::nullopt;
    if (paletteFile->size() < images::kPixelOffset) return std::nullopt;

    skin::Picture picture{image.width, image.height,
                          std::vector<std::uint32_t>(image.pixelLength())};
    const std::uint8_t* palette = paletteFile->data() + images::kPaletteOffset;
    const std::uint8_t* indices = pixels->data() + images::kPixelOffset;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = skin::paletteColour(palette, indices[i]);
    return picture;
}

Result<skin::SkinFile> buildSkin(const SlotFiles& files, const settings::Record& record) {
    skin::SkinSourceBytes sources;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        if (!files[i]) return Error{Error::Kind::NotFound, images::kSourceSet[i].fileName, {}};
        sources.pictures[i] = *files[i];
    }
    sources.settings.assign(record.begin(), record.end());
    auto skin = skin::assembleSkin(sources);
    if (!skin) return skin.error();
    return skin::skinFileOf(std::move(skin).value(), images::kSkinFileName);
}

}  // namespace vireo::workbench
