#include "core/artwork/picture_formats.h"

#include <algorithm>
#include <array>
#include <mutex>

namespace vireo::artwork {

namespace {

struct FormatExtensions {
    const char* format;  // as Qt's readers name it
    std::vector<std::string> extensions;
    bool everyBuild;  // read by every Qt build, without extra plugins
};

const std::array<FormatExtensions, 6>& knownFormats() {
    static const std::array<FormatExtensions, 6> known = {{
        {"png", {".png"}, true},
        {"jpeg", {".jpg", ".jpeg"}, true},
        {"bmp", {".bmp"}, true},
        {"gif", {".gif"}, true},
        {"webp", {".webp"}, false},
        {"tiff", {".tif", ".tiff"}, false},
    }};
    return known;
}

std::mutex registeredMutex;
bool registered = false;
std::vector<std::string> registeredFormats;
std::function<std::vector<std::string>()> formatsSource;

}  // namespace

void setDecodableFormats(const std::vector<std::string>& formats) {
    const std::lock_guard<std::mutex> lock(registeredMutex);
    registered = true;
    registeredFormats = formats;
}

void setDecodableFormatsSource(std::function<std::vector<std::string>()> formats) {
    const std::lock_guard<std::mutex> lock(registeredMutex);
    formatsSource = std::move(formats);
}

std::vector<std::string> pictureExtensions() {
    const std::lock_guard<std::mutex> lock(registeredMutex);
    if (!registered && formatsSource) {
        registeredFormats = formatsSource();
        registered = true;
    }
    std::vector<std::string> out;
    for (const FormatExtensions& known : knownFormats()) {
        const bool readable = registered
                                  ? std::find(registeredFormats.begin(), registeredFormats.end(),
                                              known.format) != registeredFormats.end()
                                  : known.everyBuild;
        if (readable) out.insert(out.end(), known.extensions.begin(), known.extensions.end());
    }
    return out;
}

bool isPictureExtension(const std::string& lowerExtension) {
    const auto all = pictureExtensions();
    return std::find(all.begin(), all.end(), lowerExtension) != all.end();
}

}  // namespace vireo::artwork
