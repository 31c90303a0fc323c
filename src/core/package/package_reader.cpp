#include "core/base/ascii_text.h"
#include "core/package/entry_names.h"
#include "core/package/package.h"
#include "core/package/sha256.h"
#include "core/package/zip_library.h"

#include <zip.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <set>

namespace vireo::package {

namespace {

// Read in blocks, so that an entry is never inflated far past its limit,
// whatever size its header claims.
constexpr std::size_t kBlock = 64 * 1024;

struct Refusal {
    std::string code;
    std::string entry;
};

class Archive {
public:
    explicit Archive(zip_t* archive) : archive_(archive) {}
    ~Archive() {
        if (archive_) zip_discard(archive_);
    }
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;
    zip_t* get() const { return archive_; }

private:
    zip_t* archive_;
};

// Why a name cannot be written anywhere under a folder, or nullopt.
std::optional<std::string> unsafeName(const std::string& name) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) return std::string(kControlCharacter);
    }
    if (name.empty() || name.front() == '/' || name.find('\\') != std::string::npos)
        return std::string(kUnsafePath);
    // "C:x" is a path on another drive to some unzippers.
    if (name.size() >= 2 && name[1] == ':') return std::string(kUnsafePath);
    std::size_t start = 0;
    while (start <= name.size()) {
        const auto end = std::min(name.find('/', start), name.size());
        const std::string part = name.substr(start, end - start);
        if (part == ".." || part == ".") return std::string(kUnsafePath);
        // Only a folder entry ends in a separator; "a//b" is refused.
        if (part.empty() && end != name.size()) return std::string(kUnsafePath);
        start = end + 1;
    }
    return std::nullopt;
}

// An entry's raw facts, as the central directory has them.
struct RawEntry {
    zip_uint64_t index;
    std::string name;
    bool folder;
    zip_uint64_t size;
};

std::optional<Refusal> checkEntry(zip_t* archive, zip_uint64_t index, RawEntry& raw) {
    const char* name = zip_get_name(archive, index, ZIP_FL_ENC_RAW);
    if (!name) return Refusal{kDamaged, "#" + std::to_string(index)};
    raw.index = index;
    raw.name = name;
    if (auto why = unsafeName(raw.name)) return Refusal{*why, raw.name};
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, index, ZIP_FL_ENC_RAW, &stat) != 0)
        return Refusal{kDamaged, raw.name};
    // A name that holds a zero byte is cut short where the central directory is read.
    if ((stat.valid & ZIP_STAT_NAME) && stat.name && raw.name != stat.name)
        return Refusal{kControlCharacter, raw.name};
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return Refusal{kEncrypted, raw.name};
    raw.size = (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0;
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return Refusal{kDamaged, raw.name};
    raw.folder = raw.name.back() == '/';
    if (system == ZIP_OPSYS_UNIX) {
        const mode_t mode = attributes >> 16;
        if (S_ISLNK(mode)) return Refusal{kLink, raw.name};
        if (S_ISCHR(mode) || S_ISBLK(mode) || S_ISFIFO(mode) || S_ISSOCK(mode))
            return Refusal{kDevice, raw.name};
        if (S_ISDIR(mode) && !raw.folder) return Refusal{kUnsafePath, raw.name};
    }
    if (raw.folder && raw.size != 0) return Refusal{kDamaged, raw.name};
    return std::nullopt;
}

// Inflates one entry, stopping one block past `limit`.
std::optional<Refusal> inflate(zip_t* archive, const RawEntry& raw, std::uint64_t limit,
                               Bytes& out) {
    zip_file_t* file = zip_fopen_index(archive, raw.index, 0);
    if (!file) {
        const zip_error_t* error = zip_get_error(archive);
        const int code = error ? error->zip_err : ZIP_ER_INTERNAL;
        if (code == ZIP_ER_ENCRNOTSUPP || code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD)
            return Refusal{kEncrypted, raw.name};
        return Refusal{kDamaged, raw.name};
    }
    out.clear();
    reserveBlock(out, static_cast<std::size_t>(std::min<std::uint64_t>(raw.size, limit)));
    std::array<std::uint8_t, kBlock> block;
    std::optional<Refusal> refused;
    for (;;) {
        const zip_int64_t got = zip_fread(file, block.data(), block.size());
        if (got < 0) {
            const zip_error_t* error = zip_file_get_error(file);
            const bool crc = error && error->zip_err == ZIP_ER_CRC;
            refused = Refusal{crc ? kCrc : kDamaged, raw.name};
            break;
        }
        if (got == 0) break;
        // Past the size the header claims is a bomb as much as past the limit:
        // memory stays within what the header said, which the limit bounds.
        if (out.size() + static_cast<std::size_t>(got) > std::min<std::uint64_t>(limit, raw.size)) {
            refused = Refusal{kTooLarge, raw.name};
            break;
        }
        out.insert(out.end(), block.begin(), block.begin() + got);
    }
    zip_fclose(file);
    if (!refused && out.size() != raw.size) refused = Refusal{kDamaged, raw.name};
    return refused;
}

// The folder every entry sits in when a zip was made of a project's folder
// ("myskin/main256.bmp"), or empty when the files are at the root.
std::string commonFolder(const std::vector<RawEntry>& entries) {
    std::string folder;
    for (const RawEntry& entry : entries) {
        const auto slash = entry.name.find('/');
        if (slash == std::string::npos) return {};
        const std::string first = entry.name.substr(0, slash + 1);
        if (first == kArtPrefix) return {};
        if (folder.empty())
            folder = first;
        else if (first != folder)
            return {};
    }
    return folder;
}

// The first name that an earlier entry has already, or empty.
std::string secondOfOneName(zip_t* archive) {
    std::set<std::string> seen;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count && static_cast<std::uint64_t>(i) < kMaxEntries; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        if (name && !seen.insert(name).second) return name;
    }
    return {};
}

Result<Package> refuse(const std::string& path, const Refusal& refusal) {
    return Error{Error::Kind::Invalid, path, refusalDetail(refusal.code, refusal.entry)};
}

// The zip cannot be opened at all: a cut-off file still starts as one.
Refusal openFailure(int code, const Bytes& bytes) {
    if (code == ZIP_ER_NOZIP) return Refusal{looksLikeZip(bytes) ? kCutOff : kNotZip, {}};
    if (code == ZIP_ER_INCONS || code == ZIP_ER_EOF || code == ZIP_ER_READ || code == ZIP_ER_SEEK)
        return Refusal{looksLikeZip(bytes) ? kCutOff : kDamaged, {}};
    return Refusal{kDamaged, {}};
}

}  // namespace

Result<Package> readPackage(const Bytes& bytes, const std::string& path) {
    if (!zipLibraryAvailable()) return refuse(path, {kNoLibrary, VIREO_ZIP_LIBRARY});
    if (bytes.size() > kPackageLimit) return refuse(path, {kPackageTooLarge, {}});
    zip_error_t error{};
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) return refuse(path, {kDamaged, {}});
    zip_t* opened = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!opened) {
        const Refusal refused = openFailure(error.zip_err, bytes);
        // The strict open refuses two entries of one name without naming
        // them; the lenient one lets the check below name the second.
        zip_t* lenient = error.zip_err != ZIP_ER_NOZIP
                             ? zip_open_from_source(source, ZIP_RDONLY, &error)
                             : nullptr;
        const std::optional<std::string> twice =
            lenient ? std::optional<std::string>(secondOfOneName(lenient)) : std::nullopt;
        if (lenient)
            zip_discard(lenient);  // frees the source too
        else
            zip_source_free(source);
        if (twice && !twice->empty()) return refuse(path, {kDuplicate, *twice});
        return refuse(path, refused);
    }
    const Archive archive(opened);
    const zip_int64_t count = zip_get_num_entries(opened, 0);
    if (count < 0) return refuse(path, {kDamaged, {}});
    if (static_cast<std::uint64_t>(count) > kMaxEntries) return refuse(path, {kTooManyEntries, {}});

    std::vector<RawEntry> entries;
    std::set<std::string> seen;
    std::uint64_t total = 0;
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
        RawEntry raw;
        if (auto refused = checkEntry(opened, i, raw)) return refuse(path, *refused);
        // Folders and files differ only by the separator; "Art/x" and "art/x"
        // are one file on some file systems.
        std::string key = asciiLower(raw.name);
        if (!key.empty() && key.back() == '/') key.pop_back();
        if (!seen.insert(key).second) return refuse(path, {kDuplicate, raw.name});
        total += raw.size;
        if (total > kPackageLimit) return refuse(path, {kPackageTooLarge, raw.name});
        entries.push_back(raw);
    }

    const std::string top = commonFolder(entries);
    Package package;
    std::map<std::string, Bytes> known;
    std::array<bool, images::kSourceCount> hasOriginal{};
    std::uint64_t inflated = 0;
    for (const RawEntry& raw : entries) {
        if (raw.folder) continue;
        const std::string name = raw.name.substr(top.size());
        const EntryRule rule = ruleFor(name);
        if (rule.kind == EntryKind::Unknown) {
            package.skipped.push_back(raw.name);
            continue;
        }
        if (rule.kind == EntryKind::Original) {
            auto& slot = hasOriginal[static_cast<std::size_t>(*rule.source)];
            if (slot) return refuse(path, {kDuplicate, raw.name});
            slot = true;
        }
        // What the header claims is refused before anything is inflated.
        if (rule.exactLength && raw.size != *rule.exactLength)
            return refuse(path, {kWrongLength, raw.name});
        if (raw.size > rule.limit) return refuse(path, {kTooLarge, raw.name});
        Bytes data;
        if (auto refused = inflate(opened, raw, rule.limit, data)) return refuse(path, *refused);
        inflated += data.size();
        if (inflated > kPackageLimit) return refuse(path, {kPackageTooLarge, raw.name});
        known[name] = std::move(data);
    }

    if (const auto found = known.find(kManifestName); found != known.end()) {
        auto manifest = parseManifest(found->second, path);
        if (!manifest) return manifest.error();
        package.manifest = std::move(manifest).value();
        const auto json =
            nlohmann::json::parse(found->second.begin(), found->second.end(), nullptr, false);
        const auto digests = json.find("sha256");
        if (digests != json.end()) {
            std::vector<const std::string*> names;
            std::vector<const Bytes*> blocks;
            for (const auto& [name, bytesOf] : known)
                if (name != kManifestName) names.push_back(&name), blocks.push_back(&bytesOf);
            const std::vector<std::string> actual = sha256HexOfEach(blocks);
            for (std::size_t i = 0; i < names.size(); ++i) {
                const auto digest = digests->find(*names[i]);
                if (digest == digests->end() || !digest->is_string() ||
                    digest->get<std::string>() != actual[i])
                    return refuse(path, {kDigest, top + *names[i]});
            }
            for (const auto& item : digests->items())
                if (!known.count(item.key())) return refuse(path, {kMissing, item.key()});
        }
        package.manifestBytes = std::move(found->second);
        known.erase(found);
    }
    if (const auto found = known.find(kPreviewName); found != known.end()) {
        package.preview = std::move(found->second);
        known.erase(found);
    }
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (!known.count(images::kSourceSet[i].fileName))
            return refuse(path, {kMissing, top + images::kSourceSet[i].fileName});
    if (!known.count(images::kSettingsFileName))
        return refuse(path, {kMissing, top + images::kSettingsFileName});
    for (auto& [name, data] : known) package.files.push_back({name, std::move(data)});
    std::stable_sort(package.files.begin(), package.files.end(),
                     [](const Entry& a, const Entry& b) {
                         const int left = orderOf(ruleFor(a.name), a.name);
                         const int right = orderOf(ruleFor(b.name), b.name);
                         return left != right ? left < right : a.name < b.name;
                     });
    return package;
}

Result<Package> readPackageFile(const std::string& path) {
    auto bytes = readWholeFile(path, kPackageLimit);
    if (!bytes) {
        if (bytes.error().cause == Error::Cause::TooLarge)
            return refuse(path, {kPackageTooLarge, {}});
        return bytes.error();
    }
    return readPackage(bytes.value(), path);
}

}  // namespace vireo::package
