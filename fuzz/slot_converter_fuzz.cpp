// What the workbench reads from a slot's file: the first byte picks the slot,
// the rest is its file; the background it is drawn with is the same bytes.
// The verdict, the marks, the thumbnail and the remap must agree and never
// read outside the file.
#include "core/workbench/slots.h"

#include "core/skin/skin_layout.h"

#include <cstdint>
#include <cstdlib>

using namespace vireo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto slot = static_cast<images::Source>(data[0] % images::kSourceCount);
    const Bytes file(data + 1, data + size);
    workbench::SlotFiles files;
    files.fill(&file);

    const auto verdict = workbench::slotVerdict(slot, files);
    if (verdict.usable != verdict.findings.empty()) std::abort();
    // An icon over a copy of itself: its own table is the one it is drawn with.
    if (!workbench::differingPixels(slot, files).empty() || verdict.remappable) std::abort();
    const auto picture = workbench::slotPicture(slot, files);
    if (verdict.usable &&
        (!picture || picture->pixels.size() != images::sourceImage(slot).pixelLength()))
        std::abort();

    if (skin::paletteSourceOf(slot) == slot) return 0;
    const auto remapped = workbench::remapIcon(slot, files);
    if (remapped && !verdict.usable) std::abort();
    return 0;
}
