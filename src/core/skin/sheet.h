#pragma once

#include "core/skin/screen.h"
#include "core/skin/skin_file.h"
#include "core/skin/text_samples.h"

#include <vector>

namespace vireo::skin {

// The picture an author shares: the four screens two by two, each at twice
// its size, main and directory tree above, e-book and music below.
constexpr int kSheetScale = 2;
constexpr int kSheetWidth = 2 * images::kScreenWidth * kSheetScale;
constexpr int kSheetHeight = 2 * images::kScreenHeight * kSheetScale;

// The four screens in sheet order, left to right, then top to bottom.
constexpr Screen kSheetScreens[] = {Screen::Main, Screen::Tree, Screen::Ebook, Screen::Music};

struct Sheet {
    Picture picture;
    // Where the texts go, in sheet pixels; each is kSampleTextHeight × kSheetScale high.
    std::vector<TextSample> texts;
};

// The screens as renderScreen draws them, scaled and placed, and their texts
// moved with them. A skin of the older layout has no texts.
Sheet composeSheet(const SkinFile& skinFile);

}  // namespace vireo::skin
