#include "cli/settings_edit.h"

#include <map>

namespace vireo::cli {

namespace {

using settings::Group;

std::vector<std::string> splitAtCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) return parts;
        start = comma + 1;
    }
}

}  // namespace

const std::array<Setting, 11> kSettings = {{
    {"list-colour", "列表文字颜色   R G B", Group::Colours, 0, 3},
    {"selected-colour", "选中文字颜色   R G B", Group::Colours, 3, 3},
    {"ebook-colour", "电子书文字颜色 R G B", Group::Colours, 6, 3},
    {"movie", "  电影 X Y", Group::Positions, 0, 2},
    {"music", "  音乐 X Y", Group::Positions, 2, 2},
    {"image", "图片浏览 X Y", Group::Positions, 4, 2},
    {"game", " FC游戏 X Y", Group::Positions, 6, 2},
    {"ebook", " 电子书 X Y", Group::Positions, 8, 2},
    {"options", "  选项 X Y", Group::Positions, 10, 2},
    {"filelist", "文件列表 X Y", Group::Positions, 12, 2},
    {"hint", "开启主界面提示文字", std::nullopt, 0, 0},
}};

const Setting* findSetting(const std::string& name) {
    for (const Setting& setting : kSettings) {
        if (name == setting.name) return &setting;
    }
    return nullptr;
}

std::vector<std::uint8_t> valuesOf(const settings::Record& record, const Setting& setting) {
    if (!setting.group) return {record[settings::kHintFlagOffset]};
    const settings::Field* fields = settings::fieldsOf(*setting.group);
    std::vector<std::uint8_t> values;
    for (std::size_t i = 0; i < setting.fieldCount; ++i)
        values.push_back(record[fields[setting.firstField + i].offset]);
    return values;
}

StoreValues valuesToStore(const std::vector<Assignment>& assignments) {
    std::map<std::uint8_t, std::uint8_t> byOffset;  // later assignments win
    for (const Assignment& assignment : assignments) {
        const Setting& setting = *assignment.setting;
        if (!setting.group) {
            if (assignment.value != "on" && assignment.value != "off")
                return {{}, Refusal{&setting, std::nullopt}};
            for (const auto& value : settings::hintFlagValues(assignment.value == "on"))
                byOffset[value.offset] = value.value;
            continue;
        }
        const std::vector<std::string> parts = splitAtCommas(assignment.value);
        if (parts.size() != setting.fieldCount) return {{}, Refusal{&setting, std::nullopt}};

        // The group converts all its fields at once; the others get a valid stand-in.
        const Group group = *setting.group;
        std::vector<std::string> texts(settings::fieldCountOf(group), "0");
        std::copy(parts.begin(), parts.end(), texts.begin() + setting.firstField);
        const auto converted = settings::convertGroup(group, texts);
        if (!converted) {
            const std::size_t refused = *converted.error().field;
            return {{}, Refusal{&setting, settings::fieldsOf(group)[refused].offset}};
        }
        const auto& values = converted.value();
        for (std::size_t i = 0; i < setting.fieldCount; ++i) {
            const auto& value = values[setting.firstField + i];
            byOffset[value.offset] = value.value;
        }
    }
    std::vector<settings::FieldValue> values;
    for (const auto& [offset, value] : byOffset) values.push_back({offset, value});
    return {values, std::nullopt};
}

}  // namespace vireo::cli
