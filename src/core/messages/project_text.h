#pragma once

#include <optional>
#include <string>

namespace vireo {

// The Chinese words for a reason code the project core puts in Error::detail
// ("changed-outside", "files-in-the-way", ...) or for a refusal of its
// art/derived.json ("sources.movie256.bmp.position: not-a-position"); nullopt
// for any other detail, which the caller shows as it is.
std::optional<std::string> projectReason(const std::string& detail);

}  // namespace vireo
