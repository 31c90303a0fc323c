#include "core/images/source_set.h"

namespace vireo::images {

const std::array<SourceImage, kSourceCount> kSourceSet = {{
    {"main256.bmp", "fmain1", kScreenWidth, kScreenHeight},
    {"tree_main256.bmp", "ftree1", kScreenWidth, kScreenHeight},
    {"ebook_main256.bmp", "febook1", kScreenWidth, kScreenHeight},
    {"movie256.bmp", "fmovie1", kIconSide, kIconSide},
    {"music256.bmp", "fmusic1", kIconSide, kIconSide},
    {"ebook256.bmp", "febook2", kIconSide, kIconSide},
    {"help256.bmp", "fhelp1", kIconSide, kIconSide},
    {"game256.bmp", "fgame1", kIconSide, kIconSide},
    {"image256.bmp", "fimage1", kIconSide, kIconSide},
    {"ft256.bmp", "ft1", kSmallIconSide, kSmallIconSide},
    {"fu256.bmp", "fu1", kSmallIconSide, kSmallIconSide},
    {"music_main256.bmp", "fmu1", kScreenWidth, kScreenHeight},
}};

const SourceImage& sourceImage(Source source) {
    return kSourceSet[indexOf(source)];
}

SourcePaths derivePaths(const std::string& folder) {
    SourcePaths paths;
    for (std::size_t i = 0; i < kSourceCount; ++i) paths[i] = folder + kSourceSet[i].fileName;
    return paths;
}

}  // namespace vireo::images
