#include "images/verification.h"
#include "support/window_fixture.h"
#include "widgets/project_state.h"
#include "workbench/ui/slot_view.h"
#include "workbench/ui/workbench_window.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

using namespace vireo;

class WorkbenchFromMainWindow : public QObject {
    Q_OBJECT

private slots:
    void backgroundMenuOpensTheWorkbench();
    void failedRunTooltipNamesEveryFinding();
};

void WorkbenchFromMainWindow::backgroundMenuOpensTheWorkbench() {
    test::WindowFixture f;
    f.openSources();
    // Right button on a label is not the background.
    const auto rightClick = [&](QPoint at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, f.window->mapToGlobal(at));
        QApplication::sendEvent(f.window.get(), &event);
        return f.window->findChild<QMenu*>(QStringLiteral("backgroundMenu"));
    };
    QVERIFY(!rightClick(f.label("test1")->geometry().center())->isVisible());
    QMenu* menu = rightClick(QPoint(4, 4));
    QVERIFY(menu->isVisible());
    QStringList items;
    for (QAction* action : menu->actions()) items << action->text();
    QCOMPARE(items, (QStringList{"解包窗口", "调色板", "工作台"}));

    menu->actions().at(2)->trigger();
    menu->actions().at(2)->trigger();  // brought forward, not opened twice
    const auto workbenches = [] {
        QList<workbench::ui::WorkbenchWindow*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* bench = qobject_cast<workbench::ui::WorkbenchWindow*>(w); bench && bench->isVisible())
                found << bench;
        return found;
    };
    QCOMPARE(workbenches().size(), 1);
    workbench::ui::WorkbenchWindow* bench = workbenches().front();
    QVERIFY(!bench->parentWidget());
    // It works on the main window's state: moving an icon fills the panel's box.
    f.state().setFieldText(16, QStringLiteral("100"));
    QCOMPARE(bench->iconPositions()[0].x, 100);
    QCOMPARE(bench->slotView(images::Source::MainBackground)->thumbnail().size(), QSize(240, 160));

    f.button("Command3")->click();
    QVERIFY(workbenches().isEmpty());
}

void WorkbenchFromMainWindow::failedRunTooltipNamesEveryFinding() {
    test::WindowFixture f;
    test::writeFile(f.source.path("tree_main256.bmp"), f.source.files.at("tree_main256.bmp").left(5000));
    test::writeFile(f.source.path("music256.bmp"), QByteArray("GIF89a"));
    f.openSources();
    // The report keeps naming the first fault only, as the verification words it.
    const auto run = images::verifySourceSet(f.source.folder().toStdString(), f.current.path().toStdString());
    QCOMPARE(f.label("test1")->text(), QString::fromStdString(run.report));
    const QString tooltip = f.label("test1")->toolTip();
    QVERIFY2(tooltip.startsWith("tree_main256.bmp：\n"), qPrintable(tooltip));
    QVERIFY(tooltip.contains("    tree_main256.bmp 的长度为 5000 字节，应为 39478 字节"));
    QVERIFY(tooltip.contains("music256.bmp：\n    music256.bmp 实际是 GIF 文件"));
    QVERIFY(!tooltip.contains("\nmain256.bmp："));

    for (const char* name : {"tree_main256.bmp", "music256.bmp"})
        test::writeFile(f.source.path(name), f.source.files.at(name));
    f.openSources();
    QVERIFY(f.label("test1")->toolTip().isEmpty());
}

QTEST_MAIN(WorkbenchFromMainWindow)
#include "tst_workbench_main.moc"
