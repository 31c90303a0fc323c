#include "core/base/binary_file.h"
#include "core/base/temporary_files.h"
#include "core/cli/command_line.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <iostream>
#include <ostream>
#include <streambuf>

namespace {

// The folder of the running program, from the kernel rather than argv[0],
// which may be a bare name found on PATH.
std::string programDir(const char* argv0) {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    std::string path = length > 0 ? std::string(buffer, static_cast<std::size_t>(length))
                                  : std::string(argv0 ? argv0 : "");
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Standard output that remembers why the first write failed, so that the
// message can give the system's reason however long ago the write was.
class StandardOutput : public std::streambuf {
public:
    StandardOutput() { setp(buffer_, buffer_ + sizeof buffer_); }
    int failure() const { return failure_; }

protected:
    int_type overflow(int_type c) override {
        if (sync() != 0) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }
    int sync() override {
        for (const char* next = pbase(); next < pptr() && failure_ == 0;) {
            const ssize_t put =
                ::write(STDOUT_FILENO, next, static_cast<std::size_t>(pptr() - next));
            if (put > 0)
                next += put;
            else if (put == 0 || errno != EINTR)
                failure_ = put == 0 ? EIO : errno;
        }
        setp(buffer_, buffer_ + sizeof buffer_);
        return failure_ == 0 ? 0 : -1;
    }

private:
    char buffer_[1 << 16];
    int failure_ = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv, argv + argc);
    // Installed, the PNG writer sits in lib/vireo-skin beside bin; built, next to the program.
    const std::string dir = programDir(argc > 0 ? argv[0] : nullptr);
    const vireo::cli::Environment environment{{dir + "/../lib/vireo-skin", dir}, dir};
    // A temporary file beside an output must not outlive Ctrl-C or a kill.
    vireo::installTemporaryFileCleanup();
    StandardOutput output;
    std::ostream out(&output);
    int status = vireo::cli::runCommandLine(arguments, out, std::cerr, environment);
    // `inspect --json > /dev/full` must not end as a success with nothing
    // written: standard output is checked once all of it is out.
    out.flush();
    if (!out || output.failure() != 0) {
        vireo::cli::Io io{out, std::cerr, environment};
        status = vireo::cli::fail(
            io, vireo::systemError(vireo::Error::Kind::Write, "标准输出", output.failure()));
    }
    std::cerr.flush();
    return status;
}
