#include "core/skin/sheet.h"

#include <algorithm>

namespace vireo::skin {

Sheet composeSheet(const SkinFile& skinFile) {
    Sheet sheet{{kSheetWidth, kSheetHeight,
                 std::vector<std::uint32_t>(static_cast<std::size_t>(kSheetWidth) * kSheetHeight)},
                {}};
    const auto record = textRecordOf(skinFile);
    constexpr int kQuadrantWidth = images::kScreenWidth * kSheetScale;
    constexpr int kQuadrantHeight = images::kScreenHeight * kSheetScale;
    for (std::size_t i = 0; i < std::size(kSheetScreens); ++i) {
        const int left = static_cast<int>(i % 2) * kQuadrantWidth;
        const int top = static_cast<int>(i / 2) * kQuadrantHeight;
        const Picture screen = scaleNearest(renderScreen(skinFile, kSheetScreens[i]), kSheetScale);
        for (int y = 0; y < screen.height; ++y) {
            const auto row = screen.pixels.begin() + static_cast<std::ptrdiff_t>(y) * screen.width;
            std::copy(row, row + screen.width,
                      sheet.picture.pixels.begin() +
                          static_cast<std::ptrdiff_t>(top + y) * kSheetWidth + left);
        }
        if (!record) continue;
        for (TextSample text : textSamples(*record, kSheetScreens[i])) {
            text.x = left + text.x * kSheetScale;
            text.y = top + text.y * kSheetScale;
            sheet.texts.push_back(text);
        }
    }
    return sheet;
}

}  // namespace vireo::skin
