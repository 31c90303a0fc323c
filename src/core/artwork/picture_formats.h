#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vireo::artwork {

// The picture extensions an artwork folder's files may have, lower case with
// the dot: those of the formats registered as decodable, or before any
// registration those every Qt build reads (".png", ".jpg", ".jpeg", ".bmp",
// ".gif"). WebP and TIFF need Qt's extra image-format plugins.
std::vector<std::string> pictureExtensions();
bool isPictureExtension(const std::string& lowerExtension);

// Registers the formats the running Qt reads, as its readers name them
// ("png", "jpeg", "webp", "tiff", ...); names this program has no extension
// for are ignored.
void setDecodableFormats(const std::vector<std::string>& formats);
// The same, asked of `formats` only when an extension is first looked up:
// finding out what a reader takes may load its plugins, which a start need
// not wait for. A list set by setDecodableFormats stands over it.
void setDecodableFormatsSource(std::function<std::vector<std::string>()> formats);

}  // namespace vireo::artwork
