#pragma once

#include "core/base/binary_file.h"
#include "core/base/result.h"
#include "core/images/source_set.h"

#include <array>
#include <string>

namespace vireo::skin {

struct SkinSources {
    images::SourcePaths pictures;  // in the order of images::kSourceSet
    std::string settings;          // the 32-byte settings file
};

// The whole skin in memory: every region read whole from its source, each
// source opened for reading only. Fails on the first file that cannot be read.
Result<Bytes> assembleSkin(const SkinSources& sources);

// The sources' contents, already read, in the order of images::kSourceSet.
struct SkinSourceBytes {
    std::array<Bytes, images::kSourceCount> pictures;
    Bytes settings;
};

// The same assembly over bytes in memory, for callers that hold the files'
// contents. A source too short for one of its regions is a ShortRead naming
// the source's file name (or BACK); bytes beyond the regions are ignored.
Result<Bytes> assembleSkin(const SkinSourceBytes& sources);

// Assembles the skin and replaces `outputPath` with it whole. On failure the
// file that was there before is left untouched.
Result<void> generateSkin(const SkinSources& sources, const std::string& outputPath);

}  // namespace vireo::skin
