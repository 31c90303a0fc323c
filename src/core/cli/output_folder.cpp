#include "core/cli/output_folder.h"

#include "core/base/binary_file.h"
#include "core/messages/error_text.h"

#include <ostream>

#include <sys/stat.h>

namespace vireo::cli {

std::vector<std::string> pathsIn(const std::string& folder,
                                 const std::vector<skin::NamedFile>& files) {
    std::vector<std::string> paths;
    for (const skin::NamedFile& file : files) paths.push_back(joinPath(folder, file.name));
    return paths;
}

std::vector<std::string> existingPaths(const std::vector<std::string>& paths) {
    std::vector<std::string> existing;
    for (const std::string& path : paths) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0) existing.push_back(path);
    }
    return existing;
}

std::optional<int> refuseExisting(Io& io, const std::vector<std::string>& outputs, bool force) {
    if (force) return std::nullopt;
    const auto existing = existingPaths(outputs);
    if (existing.empty()) return std::nullopt;
    io.err << kProgram << ": "
           << "这些文件已经存在，用 --force 才会替换：" << '\n';
    for (const std::string& path : existing) io.err << "  " << escapeForTerminal(path) << '\n';
    return kRefused;
}

Result<void> writeFilesInto(const std::string& folder, const std::vector<skin::NamedFile>& files) {
    std::vector<OutputFile> outputs;
    for (const skin::NamedFile& file : files)
        outputs.push_back({joinPath(folder, file.name), file.bytes});
    return writeFilesIntoFolder(folder, outputs);
}

}  // namespace vireo::cli
