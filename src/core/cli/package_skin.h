#pragma once

#include "core/base/result.h"
#include "core/package/package.h"
#include "core/skin/skin_file.h"

#include <optional>
#include <string>
#include <vector>

namespace vireo::cli {

// A finished skin, or the skin a package carries (its BACKIMG, or one built
// from its sources and BACK when a hand-made zip has none). `package` is
// filled when the file was a package. A file that is neither is refused as
// readSkinFile refuses it.
Result<skin::SkinFile> readSkinOrPackage(const std::string& path,
                                         std::optional<package::Package>* package = nullptr);

// The manifest as unpack and inspect print it, one labelled line a field,
// escaped for the terminal; the description and the tool only when given.
std::vector<std::string> manifestLines(const package::Manifest& manifest);

// True for a refusal that says the file is no zip at all.
bool isNotZip(const Error& error);

}  // namespace vireo::cli
