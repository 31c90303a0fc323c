// make-demo FOLDER: writes the demo source set (twelve pictures and BACK) into FOLDER.
#include "core/base/binary_file.h"
#include "core/demo/demo_set.h"
#include "core/messages/error_text.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    // All thirteen files or none: a failure leaves an older set as it was.
    std::vector<vireo::OutputFile> outputs;
    for (auto& [name, bytes] : vireo::demo::demoSourceSet())
        outputs.push_back({vireo::joinPath(argv[1], name), std::move(bytes)});
    const auto written = vireo::writeFilesIntoFolder(argv[1], outputs);
    if (!written) {
        std::fprintf(stderr, "%s\n", vireo::describe(written.error()).c_str());
        return 1;
    }
    return 0;
}
