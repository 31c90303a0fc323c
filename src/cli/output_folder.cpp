#include "cli/output_folder.h"

#include "base/binary_file.h"

#include <filesystem>
#include <system_error>

namespace vireo::cli {

Result<void> writeFilesInto(const std::string& folder, const std::vector<skin::NamedFile>& files) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        std::filesystem::create_directories(folder, ec);
        if (ec) return Error{Error::Kind::Write, folder, ec.message()};
    }
    for (const skin::NamedFile& file : files) {
        auto written = writeFileAtomically(joinPath(folder, file.name), file.bytes);
        if (!written) return written;
    }
    return {};
}

}  // namespace vireo::cli
