#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vireo::workbench {

// An opaque picture, row by row from the top, each pixel 0xFFRRGGBB.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

}  // namespace vireo::workbench
