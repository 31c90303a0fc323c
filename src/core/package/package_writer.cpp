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

// Where libzip writes the archive: straight into one block reserved for its
// whole size, rather than into a buffer of small pieces copied out after.
struct ZipSink {
    Bytes bytes;
    std::uint64_t at = 0;
    bool committed = false;

    static zip_int64_t call(void* self, void* data, zip_uint64_t length, zip_source_cmd_t command) {
        return static_cast<ZipSink*>(self)->answer(data, length, command);
    }

    zip_int64_t answer(void* data, zip_uint64_t length, zip_source_cmd_t command) {
        switch (command) {
        case ZIP_SOURCE_SUPPORTS:
            return ZIP_SOURCE_SUPPORTS_SEEKABLE | ZIP_SOURCE_SUPPORTS_WRITABLE;
        case ZIP_SOURCE_STAT: {
            if (length < sizeof(zip_stat_t)) return -1;
            auto* stat = static_cast<zip_stat_t*>(data);
            zip_stat_init(stat);
            stat->size = bytes.size();
            stat->valid |= ZIP_STAT_SIZE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_OPEN:
        case ZIP_SOURCE_BEGIN_WRITE:
        case ZIP_SOURCE_REMOVE:
            if (command != ZIP_SOURCE_OPEN) bytes.clear();
            at = 0;
            return 0;
        case ZIP_SOURCE_READ: {
            const auto count = std::min<std::uint64_t>(
                length, bytes.size() - std::min<std::uint64_t>(at, bytes.size()));
            std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), count,
                        static_cast<std::uint8_t*>(data));
            at += count;
            return static_cast<zip_int64_t>(count);
        }
        case ZIP_SOURCE_WRITE: {
            const auto* from = static_cast<const std::uint8_t*>(data);
            if (at > bytes.size()) bytes.resize(at);
            const auto over = std::min<std::uint64_t>(length, bytes.size() - at);
            std::copy_n(from, over, bytes.begin() + static_cast<std::ptrdiff_t>(at));
            bytes.insert(bytes.end(), from + over, from + length);
            at += length;
            return static_cast<zip_int64_t>(length);
        }
        case ZIP_SOURCE_SEEK:
        case ZIP_SOURCE_SEEK_WRITE: {
            if (length < sizeof(zip_source_args_seek_t)) return -1;
            const auto* seek = static_cast<const zip_source_args_seek_t*>(data);
            const std::int64_t base = seek->whence == SEEK_SET ? 0
                                      : seek->whence == SEEK_CUR
                                          ? static_cast<std::int64_t>(at)
                                          : static_cast<std::int64_t>(bytes.size());
            if (base + seek->offset < 0) return -1;
            at = static_cast<std::uint64_t>(base + seek->offset);
            return 0;
        }
        case ZIP_SOURCE_TELL:
        case ZIP_SOURCE_TELL_WRITE: return static_cast<zip_int64_t>(at);
        case ZIP_SOURCE_COMMIT_WRITE: committed = true; return 0;
        case ZIP_SOURCE_ERROR:
            if (length < 2 * sizeof(int)) return -1;
            static_cast<int*>(data)[0] = ZIP_ER_WRITE;
            static_cast<int*>(data)[1] = 0;
            return 2 * sizeof(int);
        default:
            // Closing, rolling back and freeing leave nothing to do: the sink owns its block.
            return 0;
        }
    }
};

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
    std::vector<const Bytes*> blocks;
    for (const Entry* file : ordered) blocks.push_back(&file->bytes);
    const std::vector<std::string> digestOfEntry = sha256HexOfEach(blocks);
    for (std::size_t i = 0; i < ordered.size(); ++i) digests[ordered[i]->name] = digestOfEntry[i];
    json["sha256"] = digests;
    const std::string text = json.dump(2) + "\n";
    const Entry manifestEntry{kManifestName, Bytes(text.begin(), text.end())};
    ordered.insert(ordered.begin(), &manifestEntry);

    ZipSink sink;
    std::size_t estimate = 0;
    for (const Entry* file : ordered) estimate += file->bytes.size() + 2 * file->name.size() + 128;
    reserveBlock(sink.bytes, estimate);
    zip_error_t error{};
    zip_source_t* source = zip_source_function_create(&ZipSink::call, &sink, &error);
    if (!source) return failed(path, "zip sink");
    zip_t* archive = zip_open_from_source(source, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(source);
        return failed(path, "zip open");
    }
    for (const Entry* file : ordered) {
        zip_source_t* data = zip_source_buffer(archive, file->bytes.data(), file->bytes.size(), 0);
        const zip_int64_t index =
            data ? zip_file_add(archive, file->name.c_str(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (data) zip_source_free(data);
            zip_discard(archive);
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
            return failed(path, file->name);
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return failed(path, "zip close");
    }
    if (!sink.committed) return failed(path, "zip close");
    return std::move(sink.bytes);
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
