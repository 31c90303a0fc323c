#pragma once

#include "core/artwork/import.h"
#include "core/cli/command.h"
#include "core/cli/png_writer.h"

#include <cstddef>
#include <string>
#include <vector>

// Picture decoding, like PNG encoding, is in the Qt Gui module (png_writer.h).
extern "C" {
// Hands the decoded picture (`width` × `height`, four bytes red, green, blue,
// alpha each, top row first) to `sink` once, or a null `rgba` and the reason.
// `fileWidth` × `fileHeight` is the file's own size when it was decoded
// already scaled down, else 0 × 0.
struct VireoDecodedPicture {
    int width;
    int height;
    int fileWidth;
    int fileHeight;
    const unsigned char* rgba;
};
using VireoPictureSink = void (*)(void* context, const VireoDecodedPicture* picture,
                                  const char* error);
// Decodes a picture file's `size` bytes as an image viewer shows it. The file
// is read by the program, so that its name stays the bytes it was given.
using VireoDecodePicture = void (*)(const unsigned char* bytes, std::size_t size,
                                    VireoPictureSink sink, void* context);
// Hands each picture format the module's Qt reads ("png", "webp", ...) to `sink`.
using VireoFormatSink = void (*)(void* context, const char* format);
using VireoPictureFormats = void (*)(VireoFormatSink sink, void* context);
}

namespace vireo::cli {

constexpr char kDecodeFunctionName[] = "vireo_decode_picture";
constexpr char kFormatsFunctionName[] = "vireo_picture_formats";

// Decodes through the module, loaded at the first picture the strict BMP
// reader leaves to it: converting an 8-bit BMP never loads Qt.
class ModulePictureDecoder : public artwork::PictureDecoder {
public:
    explicit ModulePictureDecoder(std::vector<std::string> moduleDirs)
        : moduleDirs_(std::move(moduleDirs)) {}
    Result<artwork::RgbaImage> decode(const std::string& path) override;
    // Registers the formats the module's Qt reads with the artwork core, so
    // that import takes only pictures it can decode (loads the module).
    Result<void> registerFormats();

private:
    std::vector<std::string> moduleDirs_;
    VireoDecodePicture decode_ = nullptr;
};

// The options convert and import share: --fit, --dither, --keep-rows.
void addConvertOptions(CommandParser& command);
// --frame's description and the start of its refusal, for convert and import.
extern const char* const kFrameHelp;
extern const char* const kFrameRefused;
// Reads --fit and --dither into `options`; on a wrong value prints the usage
// and returns its status.
std::optional<int> readConvertOptions(const CommandParser& command, Io& io,
                                      artwork::ConvertOptions& options);

}  // namespace vireo::cli
