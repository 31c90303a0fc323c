#include "support/window_fixture.h"

#include "core/images/source_set.h"
#include "core/settings/record.h"
#include "gui/widgets/project_state.h"

#include <QTest>

namespace vireo::test {

WindowFixture::WindowFixture() {
    writeFile(current.filePath("ASCII"), identityTable());
    window = std::make_unique<ui::MainWindow>(dialogs, current.path());
    window->show();
    // The settings area comes after the first frame, as a user first finds it.
    if (!QTest::qWaitFor([this] { return box("Text1") != nullptr; })) qFatal("no settings area");
}

void WindowFixture::open(const QString& path) {
    dialogs.choose(path);
    button("Command1")->click();
}

void openInState(ui::ProjectState& state, const SourceFolder& folder) {
    std::array<QString, images::kSourceCount> paths;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        paths[i] = folder.path(QString::fromLatin1(images::kSourceSet[i].fileName));
    state.setSourceSet(folder.folder(), paths, true);
    state.setSettingsPath(folder.path(QStringLiteral("BACK")));
    for (const auto& field : settings::kPositionFields)
        state.setFieldText(field.offset, QString::number(field.defaultValue));
}

}  // namespace vireo::test
