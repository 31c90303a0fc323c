#include "core/cli/command.h"

#include "core/base/binary_file.h"
#include "core/messages/error_text.h"

#include <ostream>

namespace vireo::cli {

void report(Io& io, const Error& error) {
    Error shown = error;
    shown.path = escapeForTerminal(error.path);
    io.err << kProgram << ": " << describe(shown);
    // The sentence says what went wrong only for the causes it knows; for
    // anything else the system's own words follow.
    const bool systemSaid = error.cause == Error::Cause::Other;
    if ((error.kind == Error::Kind::Invalid || systemSaid) && !error.detail.empty())
        io.err << "（" << escapeForTerminal(reasonWords(error.detail)) << "）";
    io.err << '\n';
}

int fail(Io& io, const Error& error) {
    report(io, error);
    return error.kind == Error::Kind::WrongLength || error.kind == Error::Kind::Invalid ? kRefused
                                                                                        : kFailed;
}

std::optional<int> refuseOutputOverInput(Io& io, const std::string& output,
                                         const std::vector<std::string>& inputs) {
    // A new output can be none of them: asked once, not once per input.
    if (fileTypeAt(output) == Error::FileType::Missing) return std::nullopt;
    for (const std::string& input : inputs) {
        if (input.empty() || !sameFile(input, output)) continue;
        io.err << kProgram << ": "
               << describe(Error{
                      Error::Kind::Invalid, escapeForTerminal(output), {}, Error::Cause::SameFile});
        if (input != output) io.err << "（" << escapeForTerminal(input) << "）";
        io.err << '\n';
        return kFailed;
    }
    return std::nullopt;
}

int refuseSkin(Io& io, const std::string& path, const Error& error) {
    if (error.kind != Error::Kind::WrongLength) return fail(io, error);
    Error shown = error;
    shown.path = escapeForTerminal(path);
    io.err << kProgram << ": " << describeWrongSkin(shown) << '\n';
    return kRefused;
}

}  // namespace vireo::cli
