#include "core/artwork/new_project.h"
#include "core/project/project.h"

namespace vireo::project {

Result<std::vector<artwork::OutputFile>> newProjectFiles(const std::string& demoArt,
                                                         artwork::PictureDecoder& decoder) {
    auto made = artwork::newProjectFiles(demoArt, decoder);
    if (!made) return made.error();
    std::vector<artwork::OutputFile> files = std::move(made).value();
    std::array<Bytes, images::kSourceCount> sources;
    settings::Record record{};
    for (const artwork::OutputFile& file : files) {
        if (const auto source = artwork::sourceNamed(file.name))
            sources[static_cast<std::size_t>(*source)] = file.bytes;
        else if (file.name == images::kSettingsFileName)
            std::copy(file.bytes.begin(), file.bytes.end(), record.begin());
    }
    // The originals in art/ are byte for byte the demo's, so they are described from there.
    auto derived = derivedFileFor(demoArt, sources, record, artwork::ImportOptions{}.convert.fit);
    if (!derived) return derived.error();
    files.push_back(
        {joinPath(artwork::kArtFolderName, kDerivedFileName), std::move(derived).value()});
    return files;
}

}  // namespace vireo::project
