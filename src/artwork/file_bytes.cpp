#include "artwork/file_bytes.h"

#include <algorithm>
#include <filesystem>

namespace vireo::artwork {

std::string nonFileKind(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    switch (status.type()) {
    case fs::file_type::regular: return {};
    case fs::file_type::not_found:
    case fs::file_type::none: return "不存在";
    case fs::file_type::directory: return "文件夹";
    case fs::file_type::fifo: return "FIFO";
    case fs::file_type::block:
    case fs::file_type::character: return "设备";
    case fs::file_type::socket: return "套接字";
    default: return "特殊文件";
    }
}

Result<FileStart> readFileStart(const std::string& path, std::size_t limit) {
    const auto length = fileLength(path);
    if (!length) return Error{Error::Kind::NotFound, path, {}};
    const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(*length, limit));
    auto block = readBlock(path, 0, take);
    if (!block) return block.error();
    return FileStart{std::move(block).value(), *length};
}

}  // namespace vireo::artwork
