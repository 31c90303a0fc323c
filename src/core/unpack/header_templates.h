#pragma once

#include "core/base/binary_file.h"
#include "core/base/result.h"
#include "core/unpack/short_skin.h"

#include <array>
#include <string>

namespace vireo::unpack {

// The first 54 bytes of BMPHEAD16, BMPHEAD64 and BMPHEAD256, indexed by Template.
using HeaderTemplates = std::array<Bytes, kTemplateNames.size()>;

// Checks templates already held in memory: each must hold at least 54 bytes
// (WrongLength) and be the BMP header of the picture it heads, its width,
// height (either row order) and 8-bit depth (Invalid); a header that claims
// another size would make a BMP that lies about its pixels. Errors name the
// template by `folder` joined to its name (its bare name when `folder` is empty).
// Returns the templates cut to 54 bytes.
Result<HeaderTemplates> checkHeaderTemplates(HeaderTemplates templates,
                                             const std::string& folder = {});

// Reads the three templates from `folder` and checks them as above.
Result<HeaderTemplates> readHeaderTemplates(const std::string& folder);

}  // namespace vireo::unpack
