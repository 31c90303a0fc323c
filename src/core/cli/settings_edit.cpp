#include "core/cli/settings_edit.h"

#include "core/images/icons.h"
#include "core/messages/role_names.h"

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
    {"list-colour", Group::Colours, 0, 3},
    {"selected-colour", Group::Colours, 3, 3},
    {"ebook-colour", Group::Colours, 6, 3},
    {"movie", Group::Positions, 0, 2},
    {"music", Group::Positions, 2, 2},
    {"image", Group::Positions, 4, 2},
    {"game", Group::Positions, 6, 2},
    {"ebook", Group::Positions, 8, 2},
    {"options", Group::Positions, 10, 2},
    {"filelist", Group::Positions, 12, 2},
    {"hint", std::nullopt, 0, 0},
}};

namespace {

// Columns a terminal gives `text`: two for each character outside ASCII (all
// of them Chinese here), one for the rest.
std::size_t columnsOf(const std::string& text) {
    std::size_t columns = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) ++columns;
        if (byte >= 0xC0) columns += 2;
    }
    return columns;
}

}  // namespace

std::string captionOf(const Setting& setting) {
    if (!setting.group) return "开启主界面提示文字";
    if (*setting.group == settings::Group::Colours) {
        const std::string name = kTextColourNames[setting.firstField / 3];
        return name + std::string(15 - columnsOf(name), ' ') + "R G B";
    }
    const std::size_t pair = setting.firstField / 2;
    const std::string name = pair < images::kMainScreenIconCount
                                 ? iconName(images::kMainScreenIcons[pair].source)
                                 : kFileListName;
    return std::string(8 - columnsOf(name), ' ') + name + " X Y";
}

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
