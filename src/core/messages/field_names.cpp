#include "core/messages/field_names.h"

#include "core/images/icons.h"
#include "core/messages/role_names.h"
#include "core/settings/record.h"

namespace vireo {

std::string settingsFieldName(std::uint8_t offset) {
    const auto& colours = settings::kColourFields;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (colours[i].offset == offset)
            return std::string(kTextColourNames[i / 3]) + ' ' + "RGB"[i % 3] + " 分量";
    }
    const auto axis = [offset](const char* name, images::RecordPosition position) {
        if (offset == position.xOffset) return std::string(name) + " X 轴";
        if (offset == position.yOffset) return std::string(name) + " Y 轴";
        return std::string();
    };
    for (const auto& icon : images::kMainScreenIcons) {
        const std::string name = axis(iconName(icon.source), {icon.xOffset, icon.yOffset});
        if (!name.empty()) return name;
    }
    const std::string name = axis(kFileListName, images::kFileListPosition);
    return name.empty() ? std::to_string(offset) : name;
}

}  // namespace vireo
