#include "support/window_fixture.h"

namespace vireo::test {

WindowFixture::WindowFixture() {
    QByteArray table(256, '\0');
    for (int i = 0; i < 256; ++i) table[i] = char(i);
    writeFile(current.filePath("ASCII"), table);
    window = std::make_unique<ui::MainWindow>(dialogs, current.path());
    window->show();
}

void WindowFixture::open(const QString& path) {
    dialogs.choose(path);
    button("Command1")->click();
}

}  // namespace vireo::test
