#include "images/source_set.h"

namespace vireo::images {

const std::array<SourceImage, kSourceCount> kSourceSet = {{
    {"main256.bmp", "主界面背景", "fmain1", kScreenWidth, kScreenHeight, "主界面背景 ", "主界面背景 "},
    {"tree_main256.bmp", "目录树背景", "ftree1", kScreenWidth, kScreenHeight, "目录树背景 ", "目录树背景 "},
    {"ebook_main256.bmp", "电子书背景", "febook1", kScreenWidth, kScreenHeight, "电子书背景 ", "电子书背景 "},
    {"movie256.bmp", "电影图标", "fmovie1", kIconSide, kIconSide, "电影图标 ", "电影图标 "},
    {"music256.bmp", "音乐图标", "fmusic1", kIconSide, kIconSide, "音乐图标 ", "音乐图标 "},
    {"ebook256.bmp", "电子书图标", "febook2", kIconSide, kIconSide, "电子书图标 ", "电子书图标 "},
    // The options icon is reported as the help icon when its length is wrong.
    {"help256.bmp", "选项图标", "fhelp1", kIconSide, kIconSide, "选项图标 ", "帮助图标 "},
    {"game256.bmp", "FC游戏图标", "fgame1", kIconSide, kIconSide, "FC游戏图标 ", "FC游戏图标 "},
    {"image256.bmp", "图片浏览图标", "fimage1", kIconSide, kIconSide, "图片浏览图标 ", "图片浏览图标 "},
    {"ft256.bmp", "文件夹图标", "ft1", kSmallIconSide, kSmallIconSide, "文件夹图标 ", "文件夹图标 "},
    {"fu256.bmp", "上级目录图标", "fu1", kSmallIconSide, kSmallIconSide, "上级目录图标 ", "上级目录图标 "},
    {"music_main256.bmp", "音乐播放背景", "fmu1", kScreenWidth, kScreenHeight, "音乐播放背景 ", "音乐播放背景 "},
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
