#pragma once

#include "core/base/result.h"
#include "core/cli/command_io.h"
#include "core/cli/command_parser.h"
#include "core/cli/source_folder.h"

#include <optional>
#include <string>
#include <vector>

namespace vireo::cli {

// Prints "vireo-skin: <sentence naming the file>", with the system's reason
// where the sentence has none, and returns the status the error calls for: a
// refusal for a checked input, a failure otherwise. File names in messages are
// always printed through escapeForTerminal (core/messages/error_text.h).
int fail(Io& io, const Error& error);
// The same line without a status, for the further problems of one run.
void report(Io& io, const Error& error);

// Refuses to write `output` over one of `inputs`: the same file by device and
// inode, through links and hard links too. Prints the sentence naming both and
// returns kFailed; nullopt when `output` is none of them (or does not exist).
// Every command that writes a file calls it before anything is written.
std::optional<int> refuseOutputOverInput(Io& io, const std::string& output,
                                         const std::vector<std::string>& inputs);

// Reports a finished skin that could not be read: a length of neither layout
// is the unpacker's refusal, anything else as fail() does.
int refuseSkin(Io& io, const std::string& path, const Error& error);

// The commands, each with the parser that holds its arguments and options
// (its help, and the completion and manual pages made from them at build time).
CommandParser verifyParser();
int runVerify(const Arguments& arguments, Io& io);
CommandParser buildParser();
int runBuild(const Arguments& arguments, Io& io);
CommandParser inspectParser();
int runInspect(const Arguments& arguments, Io& io);
CommandParser unpackParser();
int runUnpack(const Arguments& arguments, Io& io);
CommandParser renderParser();
int runRender(const Arguments& arguments, Io& io);
CommandParser settingsParser();
int runSettings(const Arguments& arguments, Io& io);
CommandParser doctorParser();
int runDoctor(const Arguments& arguments, Io& io);
CommandParser convertParser();
int runConvert(const Arguments& arguments, Io& io);
CommandParser importParser();
int runImport(const Arguments& arguments, Io& io);
CommandParser newParser();
int runNew(const Arguments& arguments, Io& io);
CommandParser updateParser();
int runUpdate(const Arguments& arguments, Io& io);
CommandParser packParser();
int runPack(const Arguments& arguments, Io& io);

}  // namespace vireo::cli
