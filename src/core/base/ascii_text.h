#pragma once

#include <string>

namespace vireo {

// `text` with A–Z made a–z and every other byte as it is: file names compared
// without regard to case, whatever the locale.
inline std::string asciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace vireo
