// Skin packages: whatever the bytes, the reader returns a package or a
// refusal with its reason code, never crashes, and never hands on a file a
// project would not hold. A package it accepts is written again and reads
// back as the same files.
#include "core/images/source_set.h"
#include "core/package/package.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace vireo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, data + size);
    const auto read = package::readPackage(bytes, "fuzz.vskin");
    if (!read) {
        if (read.error().detail.rfind(package::kRefusalPrefix, 0) != 0) std::abort();
        return 0;
    }
    const package::Package& carried = read.value();
    if (carried.files.size() > package::kMaxEntries) std::abort();
    for (const package::Entry& entry : carried.files)
        if (entry.name.empty() || entry.name.front() == '/' ||
            entry.name.find("..") != std::string::npos)
            std::abort();
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        bool found = false;
        for (const package::Entry& entry : carried.files)
            if (entry.name == images::kSourceSet[i].fileName) {
                found = true;
                if (entry.bytes.size() != images::kSourceSet[i].requiredLength()) std::abort();
            }
        if (!found) std::abort();
    }
    std::vector<package::Entry> files = carried.files;
    if (carried.preview) files.push_back({package::kPreviewName, *carried.preview});
    const auto written =
        package::writePackage(files, carried.manifest.value_or(package::Manifest{}), "again");
    if (!written) std::abort();
    const auto again = package::readPackage(written.value(), "again");
    if (!again || again.value().files.size() != carried.files.size()) std::abort();
    for (std::size_t i = 0; i < carried.files.size(); ++i)
        if (again.value().files[i].name != carried.files[i].name ||
            again.value().files[i].bytes != carried.files[i].bytes)
            std::abort();
    return 0;
}
