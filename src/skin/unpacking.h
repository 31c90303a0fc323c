#pragma once

#include "base/binary_file.h"
#include "base/result.h"
#include "images/source_set.h"

#include <functional>
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

}  // namespace vireo::skin
