#pragma once

#include "base/result.h"
#include "cli/skin_file.h"
#include "skin/unpacking.h"
#include "unpack/short_skin.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vireo::cli {

// The first 54 bytes of BMPHEAD16, BMPHEAD64 and BMPHEAD256, indexed by
// unpack::Template.
using HeaderTemplates = std::array<Bytes, unpack::kTemplateNames.size()>;

// Reads the three templates from `folder`; a template shorter than 54 bytes
// is refused.
Result<HeaderTemplates> readHeaderTemplates(const std::string& folder);

// The files that unpacking `skinFile` writes. The 182,816-byte layout gives
// the twelve source pictures and BACK that build the same skin again; the
// 178,720-byte layout gives the unpacker window's eleven pictures. Headers
// come from `templates`, or are made for each picture's size when there are none.
Result<std::vector<skin::NamedFile>> unpackedFiles(const SkinFile& skinFile,
                                                   const std::optional<HeaderTemplates>& templates);

}  // namespace vireo::cli
