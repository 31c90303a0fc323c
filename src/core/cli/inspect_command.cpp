#include "core/cli/command.h"
#include "core/cli/package_skin.h"
#include "core/cli/record_text.h"
#include "core/messages/error_text.h"
#include "core/messages/skin_info_text.h"
#include "core/skin/skin_file.h"
#include "core/unpack/skin_info.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace vireo::cli {

namespace {

using nlohmann::json;

// The older layout's record by the unpacker's arrangement.
json shortSkinJson(const unpack::SkinSettings& decoded) {
    static const char* const kColours[] = {"list-colour", "selected-colour", "ebook-colour"};
    static const char* const kPositions[] = {"movie", "music", "ebook", "about", "help", "folder"};
    json object = json::object();
    for (std::size_t i = 0; i < decoded.colours.size(); ++i) {
        const auto& c = decoded.colours[i];
        object[kColours[i]] = {c.red, c.green, c.blue};
    }
    for (std::size_t i = 0; i < decoded.positions.size(); ++i) {
        const auto& p = decoded.positions[i];
        object[kPositions[i]] = {p.x, p.y};
    }
    object["hint"] = decoded.hintOn;
    return object;
}

const char* layoutName(skin::Layout layout) {
    return layout == skin::Layout::Skin ? "skin" : "short-skin";
}

// The manifest's fields under the names skin.json gives them; null for a
// package made by hand, which has none.
json manifestJson(const std::optional<package::Manifest>& manifest) {
    if (!manifest) return nullptr;
    return json{{"name", manifest->name},
                {"author", manifest->author},
                {"licence", manifest->licence},
                {"description", manifest->description},
                {"tool", manifest->toolVersion}};
}

settings::Record recordOf(const Bytes& bytes) {
    settings::Record record{};
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return record;
}

}  // namespace

CommandParser inspectParser() {
    CommandParser command("inspect", "按长度识别皮肤文件的布局，列出各区域和其中的设置。");
    command.addArgument("FILE", "皮肤文件（182,816 或 178,720 字节），或皮肤包（.vskin）。");
    command.addOption("json", "以 JSON 输出。");
    return command;
}

int runInspect(const Arguments& arguments, Io& io) {
    CommandParser command = inspectParser();
    if (auto status = command.parse(arguments, io)) return *status;

    const std::string& path = command.argument(0);
    std::optional<package::Package> package;
    const auto read = readSkinOrPackage(path, &package);
    if (!read) return refuseSkin(io, path, read.error());
    const skin::SkinFile& skinFile = read.value();
    const auto regions = skin::regionsOf(skinFile.layout);
    const Bytes record = skin::settingsRecordOf(skinFile);
    json settingsJson;
    std::vector<std::string> settingsLines;
    if (skinFile.layout == skin::Layout::Skin) {
        settingsJson = recordJson(recordOf(record));
        settingsLines = recordLines(recordOf(record));
    } else {
        const auto decoded = unpack::decodeRecord(record).value();
        settingsJson = shortSkinJson(decoded);
        // The unpacker's labels, without the file location shown above.
        const auto texts = skinInfoTexts(decoded, path);
        settingsLines.assign(texts.begin(), texts.end() - 1);
    }

    if (command.isSet("json")) {
        json regionList = json::array();
        for (const auto& region : regions)
            regionList.push_back(
                json{{"offset", region.offset}, {"length", region.length}, {"what", region.what}});
        json inspected{{"file", path},
                       {"layout", layoutName(skinFile.layout)},
                       {"length", skinFile.bytes.size()},
                       {"regions", regionList},
                       {"settings", settingsJson}};
        if (package) inspected["manifest"] = manifestJson(package->manifest);
        writeJson(io.out, inspected);
        return kDone;
    }

    io.out << "文件位置：" << escapeForTerminal(path) << '\n';
    if (package && package->manifest)
        for (const std::string& line : manifestLines(*package->manifest)) io.out << line << '\n';
    io.out << layoutName(skinFile.layout) << ", " << skinFile.bytes.size() << " bytes\n";
    io.out << " offset length  what\n";
    for (const auto& region : regions) {
        char numbers[32];
        std::snprintf(numbers, sizeof numbers, "%7u %6u  ", unsigned(region.offset),
                      unsigned(region.length));
        io.out << numbers << region.what << '\n';
    }
    for (const std::string& line : settingsLines) io.out << line << '\n';
    return kDone;
}

}  // namespace vireo::cli
