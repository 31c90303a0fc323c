#include "core/cli/sheet_png.h"

#include "core/base/binary_file.h"

namespace vireo::cli {

Result<Bytes> encodeSheetPng(const skin::Sheet& sheet, const std::string& path,
                             const std::vector<std::string>& moduleDirs) {
    const auto function = moduleFunction(kSheetFunctionName, moduleDirs);
    if (!function) return function.error();
    const auto encode = reinterpret_cast<VireoEncodeSheetPng>(function.value());

    std::vector<VireoSheetText> texts;
    for (const skin::TextSample& text : sheet.texts)
        texts.push_back({static_cast<int>(text.role), text.colour, text.x, text.y});
    Bytes png;
    const VireoPngSink keep = [](void* context, const unsigned char* bytes, std::size_t size) {
        static_cast<Bytes*>(context)->assign(bytes, bytes + size);
    };
    const skin::Picture& picture = sheet.picture;
    if (!encode(picture.pixels.data(), picture.width, picture.height, texts.data(), texts.size(),
                keep, &png) ||
        png.empty())
        return Error{Error::Kind::Write, path, "PNG encoding failed"};
    return png;
}

Result<void> writeSheetPng(const skin::Sheet& sheet, const std::string& path,
                           const std::vector<std::string>& moduleDirs) {
    auto png = encodeSheetPng(sheet, path, moduleDirs);
    if (!png) return png.error();
    return writeFileAtomically(path, png.value());
}

}  // namespace vireo::cli
