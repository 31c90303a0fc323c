#pragma once

#include "base/result.h"
#include "images/verification.h"

#include <cstddef>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vireo::cli {

constexpr char kProgram[] = "vireo-skin";

// Exit statuses of vireo-skin.
enum ExitStatus {
    kDone = 0,
    kRefused = 1,  // the input was checked and refused
    kFailed = 2,   // wrong usage, or a file that could not be read or written
};

// What the command line needs to know of its installation.
struct Environment {
    // Where `render` looks for the PNG writer module, in order.
    std::vector<std::string> pngModuleDirs;
    // The folder of the running program, where `new` looks for its pictures.
    std::string programDir;
};

// Where a command writes: results to `out`, errors to `err`.
struct Io {
    std::ostream& out;
    std::ostream& err;
    const Environment& environment;
};

using Arguments = std::vector<std::string>;

// Prints "vireo-skin: <sentence naming the file>", with the system's reason
// where the sentence has none, and returns the status the error calls for: a
// refusal for a checked input, a failure otherwise. File names in messages are
// always printed through escapeForTerminal (messages/error_text.h).
int fail(Io& io, const Error& error);

// Refuses to write `output` over one of `inputs`: the same file by device and
// inode, through links and hard links too. Prints the sentence naming both and
// returns kFailed; nullopt when `output` is none of them (or does not exist).
// Every command that writes a file calls it before anything is written.
std::optional<int> refuseOutputOverInput(Io& io, const std::string& output,
                                         const std::vector<std::string>& inputs);

// Prints the message and the help; wrong usage.
int usage(Io& io, const std::string& message, const std::string& help);

// Reports a finished skin that could not be read: a length of neither layout
// is the unpacker's refusal, anything else as fail() does.
int refuseSkin(Io& io, const std::string& path, const Error& error);

// One command's parser. Arguments stay the bytes they came as: a file name is
// handed to the system exactly as given. Options may come before, between or
// after the positional arguments; "--" ends the options. "--name=value",
// "--name value", "-name" and "-o value" are all accepted.
class CommandParser {
public:
    CommandParser(std::string command, std::string description);

    void addArgument(std::string name, std::string description);
    // An option taking a value when `valueName` is given, a flag otherwise.
    void addOption(std::string longName, std::string description, std::string valueName = {},
                   char shortName = 0, std::string defaultValue = {});

    // Parses what follows the command. Returns an exit status when the command
    // must not run: after --help, or on wrong usage.
    std::optional<int> parse(const Arguments& arguments, Io& io);

    bool isSet(const std::string& longName) const;
    // The last value given, or the default.
    std::string value(const std::string& longName) const;
    std::vector<std::string> values(const std::string& longName) const;
    const std::string& argument(std::size_t index) const { return positional_.at(index); }

    std::string help() const;

private:
    struct Option {
        std::string longName;
        char shortName;
        std::string valueName;
        std::string description;
        std::string defaultValue;
    };
    struct Positional {
        std::string name;
        std::string description;
    };
    const Option* find(const std::string& name) const;

    std::string command_;
    std::string description_;
    std::vector<Option> options_;
    std::vector<Positional> arguments_;
    std::map<std::string, std::vector<std::string>> given_;
    std::vector<std::string> positional_;
};

// Two-column help rows, the first column padded to the widest entry.
std::string helpRows(const std::vector<std::pair<std::string, std::string>>& rows);

// verify and build: a missing source folder, and the window's two stages over
// DIR. BACK comes from DIR or from --back, never from the current directory,
// so that a script's result does not depend on where it runs.
std::optional<Error> missingFolder(const std::string& dir);
// The error for a regular file that cannot be opened for reading (which the
// length checks alone would call missing); nullopt for one that can, or for
// nothing there at all.
std::optional<Error> unreadableFile(const std::string& path);
// The BACK a folder command uses: --back, else the folder's own.
std::string settingsPathOf(const std::string& dir, const CommandParser& command);
void addBackOption(CommandParser& command);
images::Verification verifyFolder(const std::string& dir, const CommandParser& command);

// The commands.
int runVerify(const Arguments& arguments, Io& io);
int runBuild(const Arguments& arguments, Io& io);
int runInspect(const Arguments& arguments, Io& io);
int runUnpack(const Arguments& arguments, Io& io);
int runRender(const Arguments& arguments, Io& io);
int runSettings(const Arguments& arguments, Io& io);
int runDoctor(const Arguments& arguments, Io& io);
int runConvert(const Arguments& arguments, Io& io);
int runImport(const Arguments& arguments, Io& io);
int runNew(const Arguments& arguments, Io& io);
int runUpdate(const Arguments& arguments, Io& io);

}  // namespace vireo::cli
