// vireo-skin-reference TEMPLATE OUTPUT VERSION: writes TEMPLATE with its
// markers filled from the commands' parsers (the bash completion and the
// manual pages of vireo-skin, made at build time).
#include "core/base/binary_file.h"
#include "core/cli/reference.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: vireo-skin-reference TEMPLATE OUTPUT VERSION\n";
        return 2;
    }
    const auto text = vireo::readWholeFile(argv[1], 1 << 20);
    if (!text) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 2;
    }
    const auto filled = vireo::cli::fillTemplate(
        std::string(text.value().begin(), text.value().end()), vireo::cli::referenceWords(argv[3]));
    if (!filled) {
        std::cerr << argv[1] << ": " << filled.error().detail << " @" << filled.error().path
                  << "@\n";
        return 1;
    }
    const std::string& out = filled.value();
    if (!vireo::writeFileAtomically(argv[2], vireo::Bytes(out.begin(), out.end()))) {
        std::cerr << argv[2] << ": cannot be written\n";
        return 2;
    }
    return 0;
}
