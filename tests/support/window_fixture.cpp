#include "support/window_fixture.h"

namespace vireo::test {

WindowFixture::WindowFixture() {
    writeFile(current.filePath("ASCII"), identityTable());
    window = std::make_unique<ui::MainWindow>(dialogs, current.path());
    window->show();
}

void WindowFixture::open(const QString& path) {
    dialogs.choose(path);
    button("Command1")->click();
}

}  // namespace vireo::test
