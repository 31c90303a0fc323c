#include "core/package/package.h"
#include "gui/widgets/project_state.h"
#include "gui/workbench/screen_canvas.h"
#include "gui/workbench/workbench_window.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <memory>

using namespace vireo;

namespace {

// A workbench with no folder open, its current directory a fresh folder.
struct Bench {
    Bench() {
        window =
            std::make_unique<workbench::ui::WorkbenchWindow>(dialogs, state, current.path() + '/');
        window->show();
    }
    void click(const char* button) const {
        QPushButton* found = window->findChild<QPushButton*>(button);
        QVERIFY(found);
        found->click();
    }

    QTemporaryDir current;
    test::ScriptedDialogs dialogs;
    vireo::ui::ProjectState state;
    std::unique_ptr<workbench::ui::WorkbenchWindow> window;
};

}  // namespace

class WorkbenchShareTest : public QObject {
    Q_OBJECT

private slots:
    // "新建皮肤…" makes the project and opens it (what is in the way of a new
    // project is refused by the command line's and the core's tests);
    // "导出皮肤包…" writes the package the command line would make of it, with
    // the texts of the form, and proposes the author and licence again.
    void newSkinIsMadeAndExportedAsAPackage() {
        // What an earlier run remembered would hide a form that forgets.
        QSettings(QSettings::IniFormat, QSettings::UserScope, "vireo-skin-builder", "workbench")
            .remove("package");
        Bench bench;
        const QString project = bench.current.filePath("mine");
        bench.dialogs.chooseSaveAs(project);
        bench.click("newSkinButton");
        QCOMPARE(bench.state.folder(), project + '/');
        // "导出预览图": the sheet of the open project (the sheet's own test
        // checks where each screen sits).
        bench.dialogs.chooseSaveAs(bench.current.filePath("sheet.png"));
        bench.click("exportSheetButton");
        QCOMPARE(QImage(bench.current.filePath("sheet.png")).size(), QSize(960, 640));

        QAction* action = bench.window->findChild<QAction*>("exportPackageAction");
        QVERIFY(action);
        const QString path = bench.current.filePath("蓝天.vskin");
        bench.dialogs.fillWith(QStringList{"蓝天", "小王", "MIT"});
        bench.dialogs.chooseSaveAs(path);
        action->trigger();
        QCOMPARE(bench.dialogs.messages, QStringList());
        const auto read = package::readPackageFile(path.toStdString());
        QVERIFY(read.ok());
        QCOMPARE(QString::fromStdString(read.value().manifest->author), QStringLiteral("小王"));
        QVERIFY(read.value().preview && read.value().preview->size() > 8);
        // sources, BACK, BACKIMG, twelve originals and derived.json
        QCOMPARE(read.value().files.size(), std::size_t(27));
        for (const package::Entry& entry : read.value().files)
            if (entry.name != "BACKIMG")  // built, not on disk
                QCOMPARE(test::fromBytes(entry.bytes),
                         test::readFile(project + '/' + QString::fromStdString(entry.name)));

        bench.dialogs.fillWith(std::nullopt);
        action->trigger();
        QCOMPARE(bench.dialogs.formValues.last(), (QStringList{"mine", "小王", "MIT"}));
    }

    // White list text over the demo's pale tree is marked; its blue is not.
    // The e-book's black on pale paper reads well.
    void faintTextsAreMarked() {
        Bench bench;
        bench.dialogs.chooseSaveAs(bench.current.filePath("mine"));
        bench.click("newSkinButton");
        bench.window->setScreen(skin::Screen::Tree);
        auto* canvas = bench.window->canvas();
        QCOMPARE(canvas->toolTip(), QString());
        for (std::uint8_t offset = 0; offset < 3; ++offset)
            bench.state.setFieldText(offset, QStringLiteral("255"));
        bench.window->redraw();
        QVERIFY2(canvas->toolTip().contains(QStringLiteral("列表文字")),
                 qPrintable(canvas->toolTip()));
        QVERIFY(!canvas->toolTip().contains(QStringLiteral("选中文字")));
        bench.window->setScreen(skin::Screen::Ebook);
        QCOMPARE(canvas->toolTip(), QString());
    }
};

QTEST_MAIN(WorkbenchShareTest)
#include "tst_workbench_share.moc"
