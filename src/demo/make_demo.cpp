// make-demo FOLDER: writes the demo source set (twelve pictures and BACK) into FOLDER.
#include "demo/demo_set.h"
#include "messages/error_text.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(argv[1], ec);
    const auto written = vireo::demo::writeDemoSourceSet(argv[1]);
    if (!written) {
        std::fprintf(stderr, "%s\n", vireo::describe(written.error()).c_str());
        return 1;
    }
    return 0;
}
