#include "core/artwork/picture_loading.h"

#include "core/base/binary_file.h"
#include "core/images/picture.h"

namespace vireo::artwork {

namespace {

// The indexed picture of a readable BMP, rows as `keepRows` asks.
std::optional<IndexedPicture> indexedBmp(const std::optional<images::BmpScan>& scan,
                                         bool keepRows) {
    if (!scan || !scan->picture) return std::nullopt;
    return keepRows ? scan->storedOrder() : *scan->picture;
}

}  // namespace

std::optional<images::BmpScan> bmpScanOf(const std::string& path) {
    auto start = readFileStart(path, images::kPictureReadLimit);
    if (!start || start.value().bytes.size() < 2 || start.value().bytes[0] != 'B' ||
        start.value().bytes[1] != 'M')
        return std::nullopt;
    return images::scanBmp(start.value().bytes, start.value().length);
}

std::optional<IndexedPicture> exactBmp(const std::string& path, bool keepRows) {
    return indexedBmp(bmpScanOf(path), keepRows);
}

Result<RgbaImage> loadPicture(const std::string& path, PictureDecoder& decoder, bool keepRows) {
    const auto scan = bmpScanOf(path);
    if (auto picture = indexedBmp(scan, keepRows)) return toRgba(*picture);
    auto decoded = decoder.decode(path);
    if (!decoded) return decoded.error();
    if (keepRows && scan && scan->headerRead && !scan->topDown) return flippedRows(decoded.value());
    return decoded;
}

}  // namespace vireo::artwork
