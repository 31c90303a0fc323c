#include "core/cli/picture_module.h"

#include "core/artwork/picture_formats.h"
#include "core/images/picture.h"

#include <optional>

namespace vireo::cli {

namespace {

struct Decoded {
    std::optional<artwork::RgbaImage> image;
    std::string error;
};

}  // namespace

Result<artwork::RgbaImage> ModulePictureDecoder::decode(const std::string& path) {
    const auto file = readWholeFile(path, images::kPictureReadLimit);
    if (!file) return file.error();
    const Bytes& bytes = file.value();
    if (!decode_) {
        const auto function = moduleFunction(kDecodeFunctionName, moduleDirs_);
        if (!function) return function.error();
        decode_ = reinterpret_cast<VireoDecodePicture>(function.value());
    }

    Decoded decoded;
    const VireoPictureSink keep = [](void* context, const VireoDecodedPicture* picture,
                                     const char* error) {
        auto& into = *static_cast<Decoded*>(context);
        if (!picture || !picture->rgba || picture->width <= 0 || picture->height <= 0) {
            into.error = error ? error : "";
            return;
        }
        const std::size_t size = static_cast<std::size_t>(picture->width) *
                                 static_cast<std::size_t>(picture->height) * 4;
        into.image =
            artwork::RgbaImage{picture->width, picture->height,
                               std::vector<std::uint8_t>(picture->rgba, picture->rgba + size),
                               picture->fileWidth, picture->fileHeight};
    };
    decode_(bytes.data(), bytes.size(), keep, &decoded);
    if (!decoded.image)
        return Error{Error::Kind::Invalid, path,
                     decoded.error.empty() ? "无法解码图片" : decoded.error};
    return std::move(*decoded.image);
}

Result<void> ModulePictureDecoder::registerFormats() {
    const auto function = moduleFunction(kFormatsFunctionName, moduleDirs_);
    if (!function) return function.error();
    std::vector<std::string> formats;
    const VireoFormatSink keep = [](void* context, const char* format) {
        static_cast<std::vector<std::string>*>(context)->push_back(format);
    };
    reinterpret_cast<VireoPictureFormats>(function.value())(keep, &formats);
    artwork::setDecodableFormats(formats);
    return {};
}

}  // namespace vireo::cli
