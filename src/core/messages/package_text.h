#pragma once

#include <optional>
#include <string>

namespace vireo {

// The words for a skin package's refusal ("vskin:CODE:ENTRY" in
// Error::detail): the entry, as the package names it (the command line
// escapes it for the terminal, as every file name), and what is wrong
// with it, e.g. "条目 art/main256.png 解压后超过允许的大小"; nullopt for
// any other detail.
std::optional<std::string> packageReason(const std::string& detail);

}  // namespace vireo
