#include "core/cli/record_text.h"

#include "core/cli/settings_edit.h"

#include <ostream>

namespace vireo::cli {

nlohmann::json recordJson(const settings::Record& record) {
    nlohmann::json object = nlohmann::json::object();
    for (const Setting& setting : kSettings) {
        if (setting.group)
            object[setting.name] = valuesOf(record, setting);
        else
            object[setting.name] = settings::hintFlagOn(record);
    }
    return object;
}

std::vector<std::string> recordLines(const settings::Record& record) {
    std::vector<std::string> lines;
    for (const Setting& setting : kSettings) {
        std::string shown =
            settings::hintFlagOn(record) ? "主界面提示文字已开启" : "主界面提示文字未开启";
        if (setting.group) {
            shown = captionOf(setting) + "  ";
            bool first = true;
            for (const std::uint8_t value : valuesOf(record, setting)) {
                shown += (first ? "" : " ") + settings::byteText(value);
                first = false;
            }
        }
        lines.push_back(shown + "  (" + setting.name + ')');
    }
    return lines;
}

void writeJson(std::ostream& out, const nlohmann::json& document) {
    out << document.dump(4, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

}  // namespace vireo::cli
