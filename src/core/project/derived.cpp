#include "core/project/derived.h"

#include <nlohmann/json.hpp>

#include <limits>

namespace vireo::project {

namespace {

using nlohmann::json;

constexpr int kFormatVersion = 1;

Error invalid(const std::string& path, const std::string& reason) {
    return Error{Error::Kind::Invalid, path, reason};
}

const char* fitWord(artwork::Fit fit) {
    switch (fit) {
    case artwork::Fit::Refuse: return "exact";
    case artwork::Fit::Cover: return "cover";
    case artwork::Fit::Contain: return "contain";
    case artwork::Fit::Stretch: return "stretch";
    }
    return "exact";
}

std::optional<artwork::Fit> fitOfWord(const std::string& word) {
    for (const artwork::Fit fit :
         {artwork::Fit::Refuse, artwork::Fit::Cover, artwork::Fit::Contain, artwork::Fit::Stretch})
        if (word == fitWord(fit)) return fit;
    return std::nullopt;
}

// Hashes travel as 16 hexadecimal digits: JSON numbers lose 64-bit precision elsewhere.
std::string hexOf(std::uint64_t value) {
    static const char digits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = digits[value & 15];
    return text;
}

std::optional<std::uint64_t> hashOf(const json& value) {
    if (!value.is_string()) return std::nullopt;
    const auto& text = value.get_ref<const std::string&>();
    if (text.size() != 16) return std::nullopt;
    std::uint64_t result = 0;
    for (const char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (digit < 0) return std::nullopt;
        result = (result << 4) | static_cast<std::uint64_t>(digit);
    }
    return result;
}

bool safeFileName(const std::string& name) {
    if (name.empty() || name.size() > 255 || name == "." || name == "..") return false;
    for (const char c : name)
        if (c == '/' || c == '\0') return false;
    return true;
}

std::optional<int> byteOf(const json& value) {
    if (!value.is_number_unsigned()) return std::nullopt;
    const auto number = value.get<std::uint64_t>();
    if (number > 255) return std::nullopt;
    return static_cast<int>(number);
}

// One source's entry; `where` names it in the reason.
Result<DerivedEntry> entryOf(const json& object, const std::string& where,
                             const std::string& path) {
    if (!object.is_object()) return invalid(path, where + ": not-an-object");
    DerivedEntry entry;
    bool haveOriginal = false, haveSize = false, haveHash = false, haveSource = false;
    for (const auto& [key, value] : object.items()) {
        const std::string at = where + "." + key;
        if (key == "original") {
            if (!value.is_string() || !safeFileName(value.get_ref<const std::string&>()))
                return invalid(path, at + ": bad-file-name");
            entry.original = value.get<std::string>();
            haveOriginal = true;
        } else if (key == "originalSize") {
            if (!value.is_number_unsigned()) return invalid(path, at + ": not-a-size");
            entry.originalSize = value.get<std::uint64_t>();
            haveSize = true;
        } else if (key == "originalHash" || key == "sourceHash" || key == "backgroundHash" ||
                   key == "iconsHash") {
            const auto hash = hashOf(value);
            if (!hash) return invalid(path, at + ": not-a-hash");
            if (key == "originalHash") {
                entry.originalHash = *hash;
                haveHash = true;
            } else if (key == "sourceHash") {
                entry.sourceHash = *hash;
                haveSource = true;
            } else if (key == "backgroundHash") {
                entry.backgroundHash = *hash;
            } else {
                entry.iconsHash = *hash;
            }
        } else if (key == "fit") {
            const auto fit = value.is_string() ? fitOfWord(value.get<std::string>()) : std::nullopt;
            if (!fit) return invalid(path, at + ": not-a-fit");
            entry.fit = *fit;
        } else if (key == "frame") {
            std::optional<int> part[3];
            if (value.is_array() && value.size() == 3)
                for (std::size_t k = 0; k < 3; ++k)
                    if (value[k].is_number_unsigned() && value[k].get<std::uint64_t>() <= 1000)
                        part[k] = static_cast<int>(value[k].get<std::uint64_t>());
            if (!part[0] || !part[1] || !part[2]) return invalid(path, at + ": not-a-frame");
            entry.frame = artwork::Frame{*part[0], *part[1], *part[2]};
            if (!artwork::validFrame(entry.frame)) return invalid(path, at + ": not-a-frame");
        } else if (key == "position") {
            if (!value.is_array() || value.size() != 2)
                return invalid(path, at + ": not-a-position");
            const auto x = byteOf(value[0]);
            const auto y = byteOf(value[1]);
            if (!x || !y) return invalid(path, at + ": not-a-position");
            entry.position = Position{*x, *y};
        } else {
            return invalid(path, at + ": unknown-key");
        }
    }
    if (!haveOriginal || !haveSize || !haveHash || !haveSource)
        return invalid(path, where + ": missing-key");
    return entry;
}

}  // namespace

std::uint64_t contentHash(const Bytes& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

Result<DerivedRecord> parseDerived(const Bytes& bytes, const std::string& path) {
    if (bytes.size() > kDerivedFileLimit) return invalid(path, "too-large");
    // No exceptions: a refused document comes back discarded.
    const json document = json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (document.is_discarded()) return invalid(path, "not-json");
    if (!document.is_object()) return invalid(path, "not-an-object");
    const auto version = document.find("version");
    if (version == document.end() || !version->is_number_unsigned() ||
        version->get<std::uint64_t>() != static_cast<std::uint64_t>(kFormatVersion))
        return invalid(path, "version");
    const auto sources = document.find("sources");
    if (sources == document.end() || !sources->is_object()) return invalid(path, "sources");
    if (document.size() != 2) return invalid(path, "unknown-key");
    DerivedRecord record;
    for (const auto& [name, value] : sources->items()) {
        const auto role = artwork::sourceNamed(name);
        if (!role) return invalid(path, "sources." + name + ": unknown-source");
        auto entry = entryOf(value, "sources." + name, path);
        if (!entry) return entry.error();
        record[static_cast<std::size_t>(*role)] = std::move(entry).value();
    }
    return record;
}

Bytes serializeDerived(const DerivedRecord& record) {
    json sources = json::object();
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        if (!record[i]) continue;
        const DerivedEntry& entry = *record[i];
        json object = {{"original", entry.original},
                       {"originalSize", entry.originalSize},
                       {"originalHash", hexOf(entry.originalHash)},
                       {"fit", fitWord(entry.fit)},
                       {"sourceHash", hexOf(entry.sourceHash)}};
        // The middle is left unsaid, so that a record without framing reads as before.
        if (entry.frame != artwork::Frame{})
            object["frame"] = {entry.frame.x, entry.frame.y, entry.frame.zoom};
        if (entry.position) object["position"] = {entry.position->x, entry.position->y};
        if (entry.backgroundHash) object["backgroundHash"] = hexOf(*entry.backgroundHash);
        if (entry.iconsHash) object["iconsHash"] = hexOf(*entry.iconsHash);
        sources[images::kSourceSet[i].fileName] = std::move(object);
    }
    const json document = {{"version", kFormatVersion}, {"sources", std::move(sources)}};
    const std::string text = document.dump(2) + "\n";
    return Bytes(text.begin(), text.end());
}

}  // namespace vireo::project
