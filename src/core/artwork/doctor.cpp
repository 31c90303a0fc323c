#include "core/artwork/doctor.h"

#include "core/images/icons.h"
#include "core/settings/record.h"
#include "core/skin/icon_overlaps.h"
#include "core/skin/skin_layout.h"

#include <algorithm>
#include <filesystem>

namespace vireo::artwork {

bool DoctorReport::ok() const {
    // Warnings do not keep a skin from being built.
    return std::all_of(files.begin(), files.end(), [](const FileReport& f) {
        return std::none_of(f.findings.begin(), f.findings.end(), [](const Finding& finding) {
            return skin::severityOf(finding.code) == Severity::Error;
        });
    });
}

namespace {

// Missing, not a file or unreadable: the file cannot be examined further.
std::optional<Finding> presence(const std::string& path) {
    const Error::FileType type = fileTypeAt(path);
    if (type == Error::FileType::Missing) return Finding{ProblemCode::Missing, {}, {}};
    if (type != Error::FileType::Regular) return Finding{ProblemCode::NotAFile, {}, {}, 0, type};
    return std::nullopt;
}

// The settings file: there, readable and 32 bytes long.
FileReport settingsReport(const std::string& path, const std::string& name) {
    FileReport file{name, path, {}, true};
    std::optional<Finding> finding = presence(path);
    if (auto readable = checkReadable(path); !finding && !readable) {
        const std::string& why = readable.error().detail;
        finding = Finding{ProblemCode::Missing, why.empty() ? "?" : why, {}};
    }
    const auto length = fileLength(path);
    if (!finding && (!length || *length != settings::kRecordLength))
        finding = Finding{ProblemCode::WrongLength, length ? std::to_string(*length) : "?",
                          std::to_string(settings::kRecordLength)};
    if (finding) file.findings.push_back(*finding);
    return file;
}

using Scans = std::array<std::optional<images::BmpScan>, images::kSourceCount>;

// The background as the player shows it: its first stored row at the top.
std::optional<skin::Picture> screenPicture(const Scans& scans, images::Source background) {
    const auto& scan = scans[static_cast<std::size_t>(background)];
    if (!scan || !scan->picture) return std::nullopt;
    const images::IndexedPicture stored = scan->storedOrder();
    skin::Picture picture{stored.width, stored.height, {}};
    for (const std::uint8_t index : stored.indices) {
        const images::Colour& c = stored.palette[index];
        picture.pixels.push_back(0xFF000000u | (std::uint32_t(c.red) << 16) |
                                 (std::uint32_t(c.green) << 8) | c.blue);
    }
    return picture;
}

// A warning for each text that is hard to read over its background.
void checkContrast(FileReport& back, const Scans& scans) {
    const auto record = settings::readRecord(back.path);
    if (!record) return;
    for (const auto& [screen, background] :
         {std::pair(skin::Screen::Tree, images::Source::TreeBackground),
          std::pair(skin::Screen::Ebook, images::Source::EbookBackground)}) {
        const auto picture = screenPicture(scans, background);
        if (!picture) continue;  // reported with its own file
        for (const skin::TextSample& text : skin::textSamples(record.value(), screen)) {
            const double ratio = skin::textContrast(text, *picture);
            if (ratio >= skin::kMinimumContrast) continue;
            Finding finding{ProblemCode::LowContrast, {}, {}};
            finding.ratio = ratio;
            finding.text = text.role;
            back.findings.push_back(finding);
        }
    }
}

// A warning for each pair of icons where the later one hides more of the
// earlier than the default grid ever does.
void checkOverlap(FileReport& back) {
    const auto record = settings::readRecord(back.path);
    if (!record) return;
    const auto& icons = images::kMainScreenIcons;
    for (const skin::IconOverlap& overlap : skin::excessOverlaps(record.value())) {
        Finding finding{ProblemCode::IconsOverlap,
                        images::sourceImage(icons[overlap.hidden].source).fileName,
                        images::sourceImage(icons[overlap.over].source).fileName};
        finding.count = static_cast<std::uint64_t>(overlap.pixels());
        back.findings.push_back(finding);
    }
}

}  // namespace

Result<DoctorReport> doctorFolder(const std::string& folder,
                                  const std::optional<std::string>& backPath) {
    std::error_code error;
    std::filesystem::directory_iterator listing(folder, error);
    if (error) return Error{Error::Kind::Open, folder, error.message()};

    DoctorReport report{folder, {}};
    Scans scans;
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        const images::SourceImage& source = images::kSourceSet[i];
        FileReport file{source.fileName, joinPath(folder, source.fileName), {}};
        std::vector<Finding>& findings = file.findings;
        if (auto absent = presence(file.path)) {
            findings.push_back(*absent);
        } else if (auto start = readFileStart(file.path, images::kPictureReadLimit)) {
            scans[i] = images::scanBmp(start.value().bytes, start.value().length);
            findings = diagnoseBmp(*scans[i], static_cast<images::Source>(i));
        } else {
            // Exists but cannot be read: for the player as good as missing.
            findings.push_back({ProblemCode::Missing,
                                start.error().detail.empty() ? "?" : start.error().detail,
                                {}});
        }
        report.files.push_back(std::move(file));
    }
    // Icons are drawn with a background's palette, whatever their own table says.
    for (std::size_t i = 0; i < images::kSourceCount; ++i) {
        const auto role = static_cast<images::Source>(i);
        const auto drawnWith = static_cast<std::size_t>(skin::paletteSourceOf(role));
        if (drawnWith == i || !scans[i] || !scans[drawnWith] || !scans[drawnWith]->picture)
            continue;
        if (auto differ = iconColourFinding(*scans[i], scans[drawnWith]->picture->palette))
            report.files[i].findings.push_back(*differ);
    }

    const std::string back = backPath ? *backPath : joinPath(folder, images::kSettingsFileName);
    FileReport file =
        settingsReport(back, backPath ? fileTitleOf(*backPath) : images::kSettingsFileName);
    if (file.findings.empty()) {
        checkContrast(file, scans);
        checkOverlap(file);
    }
    report.files.push_back(std::move(file));
    return report;
}

}  // namespace vireo::artwork
