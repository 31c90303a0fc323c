// What a slot accepts from a dropped file: the first byte picks the slot, the
// rest is the file. An accepted file is kept whole, passes the slot's length
// check and draws as a thumbnail.
#include "workbench/slots.h"

#include <cstdint>
#include <cstdlib>

using namespace vireo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto slot = static_cast<images::Source>(data[0] % images::kSourceCount);
    const Bytes input(data + 1, data + size);
    const auto converted = workbench::ExactBmpConverter().convert(slot, input, "drop.bmp");
    if (!converted) {
        if (converted.error().path != "drop.bmp") std::abort();
        return 0;
    }
    if (converted.value() != input) std::abort();
    if (!workbench::lengthVerdict(slot, converted.value()).usable) std::abort();

    workbench::SlotFiles files;
    for (auto& file : files) file = converted.value();
    const auto picture = workbench::slotPicture(slot, files);
    if (!picture || picture->pixels.size() != images::sourceImage(slot).pixelLength()) std::abort();
    return 0;
}
