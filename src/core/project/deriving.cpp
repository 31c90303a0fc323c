#include "core/project/project.h"

#include "core/artwork/derive.h"
#include "core/images/bmp.h"
#include "core/images/icons.h"
#include "core/project/project_core.h"
#include "core/skin/skin_layout.h"

#include <sys/stat.h>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace vireo::project {

namespace {

using images::Source;
constexpr std::size_t kCount = images::kSourceCount;

Source sourceAt(std::size_t i) {
    return static_cast<Source>(i);
}

bool isBackgroundAt(std::size_t i) {
    return artwork::isBackground(sourceAt(i));
}
// An icon placed on the main screen, over the main background.
bool isLargeIcon(std::size_t i) {
    const images::Icon* icon = images::iconOf(sourceAt(i));
    return icon && icon->position;
}
std::size_t paletteOf(std::size_t i) {
    return indexOf(skin::paletteSourceOf(sourceAt(i)));
}

// Where icon `i` is drawn, which its backdrop depends on: a 64×64 icon at
// its own position, a 16×16 one where the file list begins.
Position drawnAt(std::size_t i, const SkinRecord& record) {
    const auto item = isLargeIcon(i) ? *positionItemOf(sourceAt(i)) : RecordItem::FileListPosition;
    return record.positions[positionIndex(item)];
}

std::uint64_t hashCombined(std::uint64_t hash, std::uint64_t value) {
    Bytes bytes(8);
    for (int k = 0; k < 8; ++k)
        bytes[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(value >> (8 * k));
    return hash * 1099511628211ull ^ contentHash(bytes);
}

// The hash of the icons' originals (and fits) a background's palette serves.
std::uint64_t iconsHashOf(const OriginalInfos& infos, std::size_t background) {
    std::uint64_t hash = 0;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (isBackgroundAt(i) || paletteOf(i) != background || !infos[i]) continue;
        hash = hashCombined(hashCombined(hashCombined(hash, i), infos[i]->hash),
                            static_cast<std::uint64_t>(infos[i]->fit));
        // A framed icon serves other colours; an unframed one hashes as it always has.
        const artwork::Frame& frame = infos[i]->frame;
        if (frame != artwork::Frame{})
            hash = hashCombined(hash, static_cast<std::uint64_t>(frame.x) << 32 |
                                          static_cast<std::uint64_t>(frame.y) << 16 |
                                          static_cast<std::uint64_t>(frame.zoom));
    }
    return hash;
}

std::optional<std::uint64_t> hashOfSource(const ProjectCore& core, std::size_t i) {
    if (!core.sources[i]) return std::nullopt;
    return contentHash(*core.sources[i]);
}

// Two main-screen icons at these positions share at least one pixel.
bool squaresMeet(Position a, Position b) {
    return std::abs(a.x - b.x) < images::kIconSide && std::abs(a.y - b.y) < images::kIconSide;
}

// What icon `i` was drawn over: its background's bytes and, for a main-screen
// icon, each icon the player draws before it that reaches into its square,
// with its bytes and position. With none such it is the background's hash,
// as derived.json has always recorded it. `hashOf` gives a source's hash, or
// nullopt where there is no source.
template <typename HashOf>
std::optional<std::uint64_t> backdropHash(std::size_t i, const SkinRecord& record,
                                          const HashOf& hashOf) {
    std::optional<std::uint64_t> hash = hashOf(paletteOf(i));
    if (!hash || !isLargeIcon(i)) return hash;
    for (const images::PlacedIcon& before : images::kMainScreenIcons) {
        const std::size_t j = indexOf(before.source);
        if (j == i) break;
        const Position at = drawnAt(j, record);
        const std::optional<std::uint64_t> own = hashOf(j);
        if (!own || !squaresMeet(at, drawnAt(i, record))) continue;
        hash =
            hashCombined(hashCombined(hashCombined(*hash, j), *own),
                         static_cast<std::uint64_t>(at.x) << 8 | static_cast<std::uint64_t>(at.y));
    }
    return hash;
}

bool entryStale(const ProjectCore& core, const OriginalInfos& infos, std::size_t i,
                const SkinRecord& record) {
    const auto& entry = core.derived[i];
    const OriginalInfo& info = *infos[i];
    if (!entry || entry->original != info.name || entry->originalSize != info.size ||
        entry->originalHash != info.hash || entry->fit != info.fit || entry->frame != info.frame ||
        !core.sourceUsable(i))
        return true;
    if (isBackgroundAt(i)) return entry->iconsHash != iconsHashOf(infos, i);
    const auto hashNow = [&](std::size_t k) { return hashOfSource(core, k); };
    if (entry->backgroundHash != backdropHash(i, record, hashNow)) return true;
    return entry->position != drawnAt(i, record);
}

// `which` grown by what it drags along: a background whose palette serves a
// changed icon's original, every icon drawn over a background in it, and
// every main-screen icon drawn after one in it over whose square that one
// lies, or lay when it was last derived.
std::array<bool, kCount> withWhatTheyDragAlong(const ProjectCore& core, const OriginalInfos& infos,
                                               const std::vector<Source>& which,
                                               const SkinRecord& record) {
    std::array<bool, kCount> wanted{};
    for (const Source source : which) wanted[indexOf(source)] = infos[indexOf(source)].has_value();
    for (std::size_t i = 0; i < kCount; ++i) {
        if (!wanted[i] || isBackgroundAt(i)) continue;
        const std::size_t background = paletteOf(i);
        const auto& entry = core.derived[background];
        if (infos[background] && (!entry || entry->iconsHash != iconsHashOf(infos, background)))
            wanted[background] = true;
    }
    for (std::size_t b = 0; b < kCount; ++b) {
        if (!wanted[b] || !isBackgroundAt(b)) continue;
        for (std::size_t i = 0; i < kCount; ++i) {
            const bool drawnOverIt =
                paletteOf(i) == b || (b == indexOf(Source::MainBackground) && isLargeIcon(i));
            if (!isBackgroundAt(i) && drawnOverIt && infos[i]) wanted[i] = true;
        }
    }
    for (const images::PlacedIcon& earlier : images::kMainScreenIcons) {
        const std::size_t j = indexOf(earlier.source);
        if (!wanted[j]) continue;
        const auto& entry = core.derived[j];
        bool after = false;
        for (const images::PlacedIcon& later : images::kMainScreenIcons) {
            const std::size_t k = indexOf(later.source);
            if (!after || !infos[k]) {
                after = after || k == j;
                continue;
            }
            const Position at = drawnAt(k, record);
            if (squaresMeet(drawnAt(j, record), at) ||
                (entry && entry->position && squaresMeet(*entry->position, at)))
                wanted[k] = true;
        }
    }
    return wanted;
}

}  // namespace

DerivedEntry derivedEntryFor(const OriginalInfo& info, std::size_t i, const SkinRecord& record,
                             const OriginalInfos& infos, const std::array<Bytes, kCount>& after) {
    DerivedEntry entry;
    entry.original = info.name;
    entry.originalSize = info.size;
    entry.originalHash = info.hash;
    entry.fit = info.fit;
    entry.frame = info.frame;
    entry.sourceHash = contentHash(after[i]);
    if (isBackgroundAt(i)) {
        entry.iconsHash = iconsHashOf(infos, i);
        return entry;
    }
    entry.backgroundHash =
        backdropHash(i, record, [&](std::size_t k) -> std::optional<std::uint64_t> {
            if (after[k].empty()) return std::nullopt;
            return contentHash(after[k]);
        });
    entry.position = drawnAt(i, record);
    return entry;
}

Result<Bytes> derivedFileFor(const std::string& artFolder, const std::array<Bytes, kCount>& sources,
                             const settings::Record& record, artwork::Fit fit,
                             const std::array<artwork::Frame, kCount>& frames) {
    auto found = artwork::findOriginals(artFolder);
    if (!found) return found.error();
    OriginalInfos infos;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (!found.value()[i]) continue;
        auto bytes = readWholeFile(*found.value()[i], images::kPictureReadLimit);
        if (!bytes) return bytes.error();
        infos[i] = OriginalInfo{fileTitleOf(*found.value()[i]),
                                *found.value()[i],
                                bytes.value().size(),
                                contentHash(bytes.value()),
                                fit,
                                frames[i]};
    }
    DerivedRecord derived;
    const SkinRecord typed = skinRecordOf(record);
    for (std::size_t i = 0; i < kCount; ++i)
        if (infos[i]) derived[i] = derivedEntryFor(*infos[i], i, typed, infos, sources);
    return serializeDerived(derived);
}

DerivedRecord keptAsItStands(const ProjectCore& core, const OriginalInfos& infos, std::size_t i) {
    DerivedRecord derived = core.derived;
    std::array<Bytes, kCount> now;
    for (std::size_t k = 0; k < kCount; ++k)
        if (core.sources[k]) now[k] = *core.sources[k];
    derived[i] = derivedEntryFor(*infos[i], i, core.edited, infos, now);
    // The icon's colours are already its background's, so that background
    // needs no new palette: it is fresh with the new original too.
    if (!isBackgroundAt(i) && derived[paletteOf(i)])
        derived[paletteOf(i)]->iconsHash = iconsHashOf(infos, paletteOf(i));
    return derived;
}

bool ProjectCore::sourceUsable(std::size_t i) const {
    if (!sources[i]) return false;
    const images::BmpScan scan = images::scanBmp(*sources[i]);
    const images::SourceImage& image = images::kSourceSet[i];
    return scan.picture && scan.picture->width == image.width &&
           scan.picture->height == image.height;
}

bool ProjectCore::handEdited(std::size_t i) const {
    return derived[i] && sourceUsable(i) && contentHash(*sources[i]) != derived[i]->sourceHash;
}

OriginalInfos currentOriginals(const ProjectCore& core, std::optional<artwork::Fit> fit) {
    OriginalInfos infos;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (!core.originals[i]) continue;
        const std::string path = core.artFolder() + *core.originals[i];
        const auto stamp = core.stamps.find(path);
        if (stamp == core.stamps.end() || !stamp->second.present) continue;
        const auto& entry = core.derived[i];
        const artwork::Fit used = fit ? *fit : entry ? entry->fit : core.options.fit;
        infos[i] = OriginalInfo{*core.originals[i], path, stamp->second.length,
                                stamp->second.hash, used, entry ? entry->frame : artwork::Frame{}};
    }
    return infos;
}

std::vector<Source> staleFor(const ProjectCore& core, const OriginalInfos& infos,
                             const SkinRecord& record) {
    std::vector<Source> stale;
    const auto derivedFile = core.stamps.find(core.derivedPath());
    // Without a readable derived.json nothing is known to be stale.
    if (derivedFile == core.stamps.end() || !derivedFile->second.present || core.derivedProblem)
        return stale;
    for (std::size_t i = 0; i < kCount; ++i)
        if (infos[i] && entryStale(core, infos, i, record)) stale.push_back(sourceAt(i));
    return stale;
}

Result<Derivation> deriveSources(const ProjectCore& core, const OriginalInfos& infos,
                                 const std::vector<Source>& which, const SkinRecord& record,
                                 HandEdits handEdits) {
    auto wanted = withWhatTheyDragAlong(core, infos, which, record);
    Derivation result;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (!wanted[i] || !core.handEdited(i) || handEdits == HandEdits::Overwrite) continue;
        if (handEdits == HandEdits::Refuse)
            return Error{Error::Kind::Invalid, core.paths[i], kHandEdited};
        wanted[i] = false;
        result.kept.push_back(sourceAt(i));
    }
    std::array<std::optional<artwork::FittedOriginal>, kCount> originals;
    artwork::DeriveJob job;
    job.record = bytesOf(record);
    job.options = core.options;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (core.sources[i]) {
            const images::BmpScan scan = images::scanBmp(*core.sources[i]);
            if (scan.picture) job.existing[i] = scan.storedOrder();
        }
        if (!wanted[i]) continue;
        auto original = artwork::loadOriginal(infos[i]->readFrom, sourceAt(i), core.decoder,
                                              infos[i]->fit, false, infos[i]->frame);
        if (!original) return original.error();
        originals[i] = std::move(original).value();
        job.originals[i] = &*originals[i];
        job.wanted[i] = true;
    }
    auto made = artwork::deriveSet(job);
    if (!made) {
        Error error = made.error();
        // The derive road names a source by its file name; the user needs the folder too.
        if (const auto named = artwork::sourceNamed(error.path))
            error.path = core.paths[indexOf(*named)];
        return error;
    }
    result.derived = core.derived;
    std::array<Bytes, kCount> after;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (wanted[i])
            after[i] = images::writeSourceBmp(*made.value()[i]);
        else if (core.sources[i])
            after[i] = *core.sources[i];
    }
    for (std::size_t i = 0; i < kCount; ++i) {
        if (!wanted[i]) continue;
        result.derived[i] = derivedEntryFor(*infos[i], i, record, infos, after);
        if (core.sources[i] && *core.sources[i] == after[i]) continue;  // the same bytes again
        result.written.push_back(sourceAt(i));
        result.files.push_back({core.paths[i], after[i]});
    }
    return result;
}

}  // namespace vireo::project
