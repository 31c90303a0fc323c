// In-place writes: patches of an existing file in one write, and a whole
// file written into an existing one.
#include "core/base/binary_file.h"
#include "core/base/system_io.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace vireo {

Result<void> patchFile(const std::string& path, std::uint64_t expectedLength,
                       const std::vector<Patch>& patches) {
    const auto length = regularFileLength(path);
    if (!length) return length.error();
    if (length.value() != expectedLength) return Error{Error::Kind::WrongLength, path, {}};
    std::uint64_t first = expectedLength, end = 0;
    for (const Patch& patch : patches) {
        if (patch.offset > expectedLength || patch.bytes.size() > expectedLength - patch.offset)
            return Error{Error::Kind::Invalid, path, "patch outside the file"};
        if (patch.bytes.empty()) continue;
        first = std::min(first, patch.offset);
        end = std::max<std::uint64_t>(end, patch.offset + patch.bytes.size());
    }
    if (end == 0) return {};

    auto fd = io::openRegular(path, O_RDWR);  // never creates, never truncates
    if (!fd) return fd.error();
    Bytes span(static_cast<std::size_t>(end - first));
    bool ended = false;
    if (!io::readFully(fd.value().get(), span.data(), span.size(), first, ended))
        return ended ? Error{Error::Kind::WrongLength, path, "shrank while written"}
                     : systemError(Error::Kind::Read, path, errno);
    for (const Patch& patch : patches)
        std::copy(patch.bytes.begin(), patch.bytes.end(),
                  span.begin() + static_cast<std::ptrdiff_t>(patch.offset - first));
    if (!io::writeFully(fd.value().get(), span.data(), span.size(), first))
        return systemError(Error::Kind::Write, path, errno);
    if (detail::flushFile(fd.value().get()) != 0)
        return systemError(Error::Kind::Write, path, errno);
    if (!fd.value().close()) return systemError(Error::Kind::Write, path, errno);
    return {};
}

Result<void> writeIntoFile(const std::string& path, const Bytes& data) {
    if (fileTypeAt(path) == Error::FileType::Missing) return writeFileAtomically(path, data);
    auto fd = io::openRegular(path, O_WRONLY);  // never creates
    if (!fd) return fd.error();
    if (::ftruncate(fd.value().get(), 0) != 0) return systemError(Error::Kind::Write, path, errno);
    if (!io::writeFully(fd.value().get(), data.data(), data.size(), 0))
        return systemError(Error::Kind::Write, path, errno);
    if (detail::flushFile(fd.value().get()) != 0)
        return systemError(Error::Kind::Write, path, errno);
    if (!fd.value().close()) return systemError(Error::Kind::Write, path, errno);
    return {};
}

}  // namespace vireo
