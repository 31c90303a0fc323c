#pragma once

#include "core/base/binary_file.h"
#include "core/base/result.h"
#include "core/images/source_set.h"
#include "core/skin/skin_file.h"
#include "core/unpack/header_templates.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vireo::skin {

// A whole file to write: its name inside the output folder and its bytes.
struct NamedFile {
    std::string name;
    Bytes bytes;
};

// The 54-byte BMP header to put in front of one restored picture.
using HeaderFor = std::function<Bytes(const images::SourceImage&)>;

// The twelve source pictures and BACK from which generation makes `skin` again
// byte for byte: each background with its own palette, the 64×64 icons with the
// main-screen palette and the 16×16 icons with the directory tree's (the
// palettes the player draws them with), the settings record as BACK.
// `header` defaults to images::makeBmpHeader; a header shorter than 54 bytes
// is refused. `skin` must be exactly kSkinLength bytes.
Result<std::vector<NamedFile>> sourceFilesOf(const Bytes& skin, const HeaderFor& header = {});

// The files that unpacking `skinFile` writes. The 182,816-byte layout gives
// the twelve source pictures and BACK that build the same skin again; the
// 178,720-byte layout gives the unpacker window's eleven pictures. Headers
// come from `templates` (checked by unpack::checkHeaderTemplates), or are made
// for each picture's size when there are none.
Result<std::vector<NamedFile>> unpackedFiles(
    const SkinFile& skinFile, const std::optional<unpack::HeaderTemplates>& templates);

}  // namespace vireo::skin
