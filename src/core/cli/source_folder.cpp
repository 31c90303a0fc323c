#include "core/cli/source_folder.h"

#include "core/base/binary_file.h"

namespace vireo::cli {

std::optional<Error> missingFolder(const std::string& dir) {
    const Error::FileType type = fileTypeAt(dir);
    if (type == Error::FileType::Folder) return std::nullopt;
    if (type == Error::FileType::Missing) return Error{Error::Kind::NotFound, dir, {}};
    return Error{Error::Kind::NotFound, dir, {}, Error::Cause::NotFolder, type};
}

std::optional<Error> unreadableFile(const std::string& path) {
    if (fileTypeAt(path) != Error::FileType::Regular) return std::nullopt;
    auto readable = checkReadable(path);
    if (readable) return std::nullopt;
    return readable.error();
}

std::string settingsPathOf(const std::string& dir, const CommandParser& command) {
    return command.isSet("back") ? command.value("back") : joinPath(dir, images::kSettingsFileName);
}

void addBackOption(CommandParser& command) {
    command.addOption("back", "用 FILE 作为 BACK 设置文件（默认取 DIR 中的 BACK）。", "FILE");
}

images::Verification verifyFolder(const std::string& dir, const CommandParser& command) {
    // The folder with its trailing separator, as the verification takes it.
    std::string folder = dir.empty() ? std::string(".") : dir;
    if (folder.back() != '/') folder += '/';
    return images::verifySourceSetWithSettings(folder, settingsPathOf(folder, command));
}

}  // namespace vireo::cli
