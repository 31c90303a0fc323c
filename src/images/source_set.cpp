#include "images/source_set.h"

namespace vireo::images {

const std::array<SourceImage, kSourceCount> kSourceSet = {{
    {"main256.bmp", "主界面背景", "fmain1", 240, 160, "主界面背景 ", "主界面背景 ", true},
    {"tree_main256.bmp", "目录树背景", "ftree1", 240, 160, "目录树背景 ", "目录树背景 ", true},
    {"ebook_main256.bmp", "电子书背景", "febook1", 240, 160, "电子书背景 ", "电子书背景 ", true},
    {"movie256.bmp", "电影图标", "fmovie1", 64, 64, "电影图标 ", "电影图标 ", false},
    {"music256.bmp", "音乐图标", "fmusic1", 64, 64, "音乐图标 ", "音乐图标 ", false},
    {"ebook256.bmp", "电子书图标", "febook2", 64, 64, "电子书图标 ", "电子书图标 ", false},
    // The options icon is reported as the help icon when its length is wrong.
    {"help256.bmp", "选项图标", "fhelp1", 64, 64, "选项图标 ", "帮助图标 ", false},
    {"game256.bmp", "FC游戏图标", "fgame1", 64, 64, "FC游戏图标 ", "FC游戏图标 ", false},
    {"image256.bmp", "图片浏览图标", "fimage1", 64, 64, "图片浏览图标 ", "图片浏览图标 ", false},
    {"ft256.bmp", "文件夹图标", "ft1", 16, 16, "文件夹图标 ", "文件夹图标 ", false},
    {"fu256.bmp", "上级目录图标", "fu1", 16, 16, "上级目录图标 ", "上级目录图标 ", false},
    {"music_main256.bmp", "音乐播放背景", "fmu1", 240, 160, "音乐播放背景 ", "音乐播放背景 ", true},
}};

const SourceImage& sourceImage(Source source) {
    return kSourceSet[static_cast<std::size_t>(source)];
}

SourcePaths derivePaths(const std::string& folder) {
    SourcePaths paths;
    for (std::size_t i = 0; i < kSourceCount; ++i) paths[i] = folder + kSourceSet[i].fileName;
    return paths;
}

}  // namespace vireo::images
