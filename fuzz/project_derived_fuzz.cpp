// art/derived.json: whatever the bytes, the reader returns a record or a
// reason and never crashes; a record it accepts is written back to bytes that
// read as the same record.
#include "core/project/derived.h"

#include <cstdint>
#include <cstdlib>

using namespace vireo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, data + size);
    const auto parsed = project::parseDerived(bytes, "derived.json");
    if (!parsed) {
        if (parsed.error().detail.empty()) std::abort();
        return 0;
    }
    const Bytes written = project::serializeDerived(parsed.value());
    const auto again = project::parseDerived(written, "derived.json");
    if (!again || project::serializeDerived(again.value()) != written) std::abort();
    return 0;
}
