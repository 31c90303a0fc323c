#pragma once

#include "core/base/binary_file.h"
#include "core/base/result.h"
#include "core/images/region.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vireo::skin {

// The two layouts of a finished skin, told apart by length alone.
enum class Layout {
    Skin,       // 182,816 bytes, as generation writes it
    ShortSkin,  // 178,720 bytes, the older layout the unpacker window reads
};

std::optional<Layout> layoutOfLength(std::uint64_t length);

// A whole skin file. Readers of it rely on `bytes` being exactly the length
// of `layout`, as readSkinFile makes it.
struct SkinFile {
    Layout layout;
    Bytes bytes;
};

// Reads a finished skin whole. A length that is neither layout's is refused
// as WrongLength before anything is read.
Result<SkinFile> readSkinFile(const std::string& path);

// A finished skin already held in memory, e.g. one assembleSkin made from
// bytes: its length must be one layout's (WrongLength naming `path` otherwise).
Result<SkinFile> skinFileOf(Bytes bytes, const std::string& path);

// Every region of `layout` in file order.
std::vector<images::Region> regionsOf(Layout layout);

// The 32-byte settings record at the end of either layout.
Bytes settingsRecordOf(const SkinFile& skinFile);

}  // namespace vireo::skin
