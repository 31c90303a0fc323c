#include "core/package/entry_names.h"
#include "core/package/package.h"
#include "core/package/sha256.h"
#include "core/package/zip_library.h"

#include <zip.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <algorithm>

namespace vireo::package {

namespace {

// 1980-01-01 00:00, the first time a zip can hold: no clock, no time zone.
constexpr zip_uint16_t kDosTime = 0;
constexpr zip_uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;
constexpr zip_uint32_t kFileAttributes = (S_IFREG | 0644u) << 16;

// Pictures that are compressed already are stored: deflating them again
// gains nothing and costs most of the time a package takes.
bool storedAsIs(const EntryRule& rule, const std::string& name) {
    if (rule.kind == EntryKind::Preview) return true;
    if (rule.kind != EntryKind::Original) return false;
    const auto dot = name.rfind('.');
    std::string extension = name.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension != ".bmp" && extension != ".tif" && extension != ".tiff";
}

Error failed(const std::string& path, const std::string& what) {
    return Error{Error::Kind::Write, path, what};
}

std::string digestOf(const Bytes& bytes) {
    return sha256Hex(bytes.data(), bytes.size());
}

}  // namespace

std::string refusalDetail(const std::string& code, const std::string& entry) {
    return kRefusalPrefix + code + ":" + entry;
}

bool looksLikeZip(const Bytes& bytes) {
    return bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K' &&
           ((bytes[2] == 3 && bytes[3] == 4) || (bytes[2] == 5 && bytes[3] == 6));
}

Result<Bytes> writePackage(const std::vector<Entry>& files, const Manifest& manifest,
                           const std::string& path) {
    if (!zipLibraryAvailable())
        return Error{Error::Kind::Write, path, refusalDetail(kNoLibrary, VIREO_ZIP_LIBRARY)};
    std::vector<const Entry*> ordered;
    for (const Entry& file : files) {
        const EntryRule rule = ruleFor(file.name);
        if (rule.kind == EntryKind::Unknown || rule.kind == EntryKind::Manifest)
            return Error{Error::Kind::Invalid, path, refusalDetail(kBadManifest, file.name)};
        ordered.push_back(&file);
    }
    std::stable_sort(ordered.begin(), ordered.end(), [](const Entry* a, const Entry* b) {
        const int left = orderOf(ruleFor(a->name), a->name);
        const int right = orderOf(ruleFor(b->name), b->name);
        return left != right ? left < right : a->name < b->name;
    });

    nlohmann::ordered_json json;
    json["format"] = 1;
    json["name"] = manifest.name;
    json["author"] = manifest.author;
    json["licence"] = manifest.licence;
    json["description"] = manifest.description;
    json["tool"] = manifest.toolVersion;
    nlohmann::ordered_json digests = nlohmann::ordered_json::object();
    for (const Entry* file : ordered) digests[file->name] = digestOf(file->bytes);
    json["sha256"] = digests;
    const std::string text = json.dump(2) + "\n";
    const Entry manifestEntry{kManifestName, Bytes(text.begin(), text.end())};
    ordered.insert(ordered.begin(), &manifestEntry);

    zip_error_t error{};
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer) return failed(path, "zip buffer");
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(buffer);
        return failed(path, "zip open");
    }
    // The buffer is read back after the archive is closed, which frees its source.
    zip_source_keep(buffer);
    for (const Entry* file : ordered) {
        zip_source_t* data = zip_source_buffer(archive, file->bytes.data(), file->bytes.size(), 0);
        const zip_int64_t index =
            data ? zip_file_add(archive, file->name.c_str(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (data) zip_source_free(data);
            zip_discard(archive);
            zip_source_free(buffer);
            return failed(path, file->name);
        }
        const auto at = static_cast<zip_uint64_t>(index);
        const zip_int32_t method =
            storedAsIs(ruleFor(file->name), file->name) ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        if (zip_file_set_dostime(archive, at, kDosTime, kDosDate, 0) != 0 ||
            zip_set_file_compression(archive, at, method, 9) != 0 ||
            zip_file_set_external_attributes(archive, at, 0, ZIP_OPSYS_UNIX, kFileAttributes) !=
                0) {
            zip_discard(archive);
            zip_source_free(buffer);
            return failed(path, file->name);
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        zip_source_free(buffer);
        return failed(path, "zip close");
    }
    Bytes out;
    zip_stat_t stat;
    zip_stat_init(&stat);
    bool read = zip_source_stat(buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
                zip_source_open(buffer) == 0;
    if (read) {
        out.resize(stat.size);
        read =
            zip_source_read(buffer, out.data(), out.size()) == static_cast<zip_int64_t>(out.size());
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    if (!read) return failed(path, "zip buffer");
    return out;
}

Result<Manifest> parseManifest(const Bytes& bytes, const std::string& path) {
    const auto json = nlohmann::json::parse(bytes.begin(), bytes.end(), nullptr, false);
    const Error refused{Error::Kind::Invalid, path, refusalDetail(kBadManifest, kManifestName)};
    if (json.is_discarded() || !json.is_object()) return refused;
    Manifest manifest;
    const auto text = [&](const char* key, std::string& into) {
        const auto found = json.find(key);
        if (found == json.end()) return true;
        if (!found->is_string()) return false;
        into = found->get<std::string>();
        return true;
    };
    if (!text("name", manifest.name) || !text("author", manifest.author) ||
        !text("licence", manifest.licence) || !text("description", manifest.description) ||
        !text("tool", manifest.toolVersion))
        return refused;
    const auto digests = json.find("sha256");
    if (digests != json.end() && !digests->is_object()) return refused;
    return manifest;
}

}  // namespace vireo::package
