#include "core/images/picture.h"
#include "core/settings/record.h"
#include "core/skin/generation.h"
#include "core/skin/skin_file.h"
#include "core/skin/skin_layout.h"
#include "gui/widgets/project_state.h"
#include "gui/workbench/screen_canvas.h"
#include "gui/workbench/slot_view.h"
#include "gui/workbench/workbench_window.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include <memory>
#include <optional>

Q_DECLARE_METATYPE(std::optional<int>)

using namespace vireo;
using namespace vireo::workbench;
using images::kMainScreenIconCount;
using images::kMainScreenIcons;
using images::Source;

namespace {

// A verified folder in the shared state, the panel's boxes loaded from its
// BACK with the default positions, and the workbench open on it.
struct Bench {
    explicit Bench(quint32 key = 1) : folder(key) {
        // Each icon carries the table it is drawn with, as a clean skin's do.
        for (std::size_t i = 0; i < images::kSourceCount; ++i) {
            const QString name = QString::fromLatin1(images::kSourceSet[i].fileName);
            const auto& table = folder.files.at(QString::fromLatin1(
                images::sourceImage(skin::paletteSourceOf(Source(i))).fileName));
            folder.files[name].replace(54, 1024, table.mid(54, 1024));
            test::writeFile(folder.path(name), folder.files[name]);
        }
        QByteArray back = folder.files.at(QStringLiteral("BACK"));
        for (const auto& field : settings::kPositionFields)
            back[field.offset] = char(field.defaultValue);
        folder.files[QStringLiteral("BACK")] = back;
        test::writeFile(folder.path(QStringLiteral("BACK")), back);

        test::openInState(state, folder);

        window = std::make_unique<workbench::ui::WorkbenchWindow>(dialogs, state, folder.folder());
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // The screen the player would show with the icons at `positions`.
    QImage expected(const IconPositions& positions,
                    skin::Screen screen = skin::Screen::Main) const {
        skin::SkinSourceBytes sources;
        for (std::size_t i = 0; i < images::kSourceCount; ++i)
            sources.pictures[i] = test::toBytes(test::readFile(state.sourcePaths()[i]));
        sources.settings = test::toBytes(test::readFile(state.settingsPath()));
        for (std::size_t i = 0; i < kMainScreenIconCount; ++i) {
            sources.settings[kMainScreenIcons[i].xOffset] = std::uint8_t(positions[i].x);
            sources.settings[kMainScreenIcons[i].yOffset] = std::uint8_t(positions[i].y);
        }
        const auto picture = skin::renderScreen(
            skin::skinFileOf(skin::assembleSkin(sources).value(), "BACKIMG").value(), screen);
        QImage image(picture.width, picture.height, QImage::Format_RGB32);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) image.setPixel(x, y, picture.at(x, y));
        return image;
    }

    QStringList fieldTexts() const {
        QStringList texts;
        for (std::uint8_t offset = 0; offset < 32; ++offset) texts << state.fieldText(offset);
        return texts;
    }

    void drag(QPoint from, QPoint by) {
        QWidget* canvas = window->canvas();
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas, from + by / 2);
        QTest::mouseMove(canvas, from + by);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, from + by);
    }

    test::SourceFolder folder;
    test::ScriptedDialogs dialogs;
    vireo::ui::ProjectState state;
    std::unique_ptr<workbench::ui::WorkbenchWindow> window;
};

const IconPositions kDefaults = {{{12, 26}, {88, 26}, {164, 26}, {12, 86}, {88, 86}, {164, 86}}};

// Every pixel's colour, row by row from the top.
QList<QRgb> pixelsOf(const QImage& image) {
    QList<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) pixels << image.pixel(x, y);
    return pixels;
}

// The colours the player draws an icon's stored pixels in, row by row.
QList<QRgb> drawnColours(const QByteArray& icon, const QByteArray& background) {
    QList<QRgb> colours;
    for (int i = 1078; i < icon.size(); ++i) {
        const int entry = 54 + 4 * quint8(icon[i]);
        colours << qRgb(quint8(background[entry + 2]), quint8(background[entry + 1]),
                        quint8(background[entry]));
    }
    return colours;
}

}  // namespace

class WorkbenchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void dragMovesOneIcon_data();
    void dragMovesOneIcon();
    void nudges_data();
    void nudges();
    void stateChangeMovesIcon();
    void droppedPngBecomesTheSlot();
    void foreignColoursAreMarkedAndRemapped();
    void generatesAndExports_data();
    void generatesAndExports();
    void opensAFolderItself();
    void backgroundMenuOpensTheWorkbench();
    void failedRunTooltipNamesEveryFinding();
};

void WorkbenchWindowTest::dragMovesOneIcon_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("grid");
    QTest::addColumn<QPoint>("by");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("movie at 1x") << 1 << 0 << 0 << QPoint(20, 10) << QPoint(32, 36);
    QTest::newRow("options at 4x") << 4 << 5 << 0 << QPoint(20, 10) << QPoint(184, 96);
    QTest::newRow("grid 8 snaps to the nearest line")
        << 1 << 0 << 8 << QPoint(5, 3) << QPoint(16, 32);
    QTest::newRow("past the top-left stops at 0")
        << 2 << 0 << 0 << QPoint(-100, -100) << QPoint(0, 0);
    QTest::newRow("grid 8 past the far end stops at 255")
        << 1 << 0 << 8 << QPoint(400, 400) << QPoint(255, 255);
}

void WorkbenchWindowTest::dragMovesOneIcon() {
    QFETCH(int, zoom);
    QFETCH(int, icon);
    QFETCH(int, grid);
    QFETCH(QPoint, by);
    QFETCH(QPoint, expected);
    Bench bench;
    bench.window->setZoom(zoom);
    bench.window->setGrid(grid);
    QStringList texts = bench.fieldTexts();
    const Position start = kDefaults[std::size_t(icon)];
    bench.drag(QPoint(start.x + 30, start.y + 30) * zoom, by * zoom);

    IconPositions moved = kDefaults;
    moved[std::size_t(icon)] = {expected.x(), expected.y()};
    texts[kMainScreenIcons[std::size_t(icon)].xOffset] = QString::number(expected.x());
    texts[kMainScreenIcons[std::size_t(icon)].yOffset] = QString::number(expected.y());
    QCOMPARE(bench.fieldTexts(), texts);
    QCOMPARE(bench.window->screenPicture(), bench.expected(moved));
    // Where it hides more of another icon than the default grid does, the
    // canvas marks the part hidden.
    std::size_t hidden = 0;
    const QRect dragged(expected, QSize(64, 64));
    for (std::size_t other = 0; other < kMainScreenIconCount; ++other) {
        const QRect common =
            dragged.intersected(QRect(kDefaults[other].x, kDefaults[other].y, 64, 64));
        if (other != std::size_t(icon) && common.width() * common.height() > 64 * 4) ++hidden;
    }
    QCOMPARE(bench.window->canvas()->overlaps().size(), hidden);
    // An icon wholly off the screen is said to be there.
    QCOMPARE(bench.window->positionText().contains(QStringLiteral("屏幕外")),
             expected.x() >= 240 || expected.y() >= 160);
    // BACK stays the panel's to write.
    QCOMPARE(test::readFile(bench.state.settingsPath()),
             bench.folder.files.at(QStringLiteral("BACK")));
}

void WorkbenchWindowTest::nudges_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("grid");
    QTest::addColumn<int>("expected");
    QTest::newRow("8 left stops at 0") << 3 << -8 << 0 << 0;
    QTest::newRow("off the grid to the next line") << 3 << 1 << 4 << 4;
    QTest::newRow("on the grid a whole step") << 4 << 1 << 4 << 8;
    QTest::newRow("back off the grid to the line below") << 7 << -1 << 4 << 4;
    QTest::newRow("grid 8 past the top clamps") << 248 << 1 << 8 << 255;
}

void WorkbenchWindowTest::nudges() {
    QFETCH(int, value);
    QFETCH(int, delta);
    QFETCH(int, grid);
    QFETCH(int, expected);
    QCOMPARE(nudgePosition(value, delta, grid), expected);
}

void WorkbenchWindowTest::stateChangeMovesIcon() {
    Bench bench;
    bench.window->setZoom(1);
    // What typing "200" and "abc" into the panel's boxes does: a text that
    // holds no position leaves that axis where BACK puts it.
    bench.state.setFieldText(20, QStringLiteral("abc"));
    bench.state.setFieldText(21, QStringLiteral("5"));
    IconPositions moved = kDefaults;
    moved[2] = {164, 5};
    QCOMPARE(bench.window->screenPicture(), bench.expected(moved));
    bench.drag(QPoint(170, 10), QPoint(-4, 0));  // picked up where it is shown
    QCOMPARE(bench.state.fieldText(20), QStringLiteral("160"));
}

void WorkbenchWindowTest::droppedPngBecomesTheSlot() {
    Bench bench;
    const QString target = bench.state.sourcePath(Source::MovieIcon);
    const QByteArray original = test::readFile(target);
    // Colours the main-screen palette holds, so the player can show them exactly.
    const QByteArray main = bench.folder.files.at(QStringLiteral("main256.bmp"));
    QImage png(64, 64, QImage::Format_RGB32);
    const QList<QRgb> colours = drawnColours(main.left(1078) + test::randomBytes(4096, 3), main);
    for (int i = 0; i < 4096; ++i) png.setPixel(i % 64, i / 64, colours[i]);
    QTemporaryDir elsewhere;
    const QString dropped = elsewhere.filePath(QStringLiteral("new icon.png"));
    QVERIFY(png.save(dropped));

    workbench::ui::SlotView* slot = bench.window->slotView(Source::MovieIcon);
    test::writeFile(elsewhere.filePath(QStringLiteral("notes.png")), "not a picture");
    QVERIFY(test::dropFile(slot, elsewhere.filePath(QStringLiteral("notes.png"))));
    QCOMPARE(test::readFile(target), original);
    QCOMPARE(bench.dialogs.messages.size(), 1);
    QVERIFY(bench.dialogs.messages.front().contains(QStringLiteral("notes.png")));
    QCOMPARE(bench.window->undoStack()->count(), 0);

    QVERIFY(test::dropFile(slot, dropped));
    QCOMPARE(bench.dialogs.messages.size(), 1);
    QCOMPARE(test::readFile(target).size(), 5174);
    QCOMPARE(slot->verdict(), QStringLiteral("可以使用"));
    // The picture is kept as the author gave it, beside the twelve and BACK.
    QCOMPARE(test::entries(bench.folder.folder()).size(), 14);
    QCOMPARE(test::readFile(bench.folder.path(QStringLiteral("art/movie256.png"))),
             test::readFile(dropped));
    // The player shows the picture as a viewer does, and the thumbnail is
    // what it draws where the icon stands (the game icon moved off it).
    bench.state.setFieldText(23, QStringLiteral("96"));
    IconPositions positions = kDefaults;
    positions[3].y = 96;
    const QImage screen = bench.expected(positions);
    QCOMPARE(pixelsOf(screen.copy(12, 26, 64, 64)), pixelsOf(png));
    QCOMPARE(pixelsOf(slot->thumbnail()), pixelsOf(png));
    QCOMPARE(bench.window->screenPicture(), screen);

    QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(test::readFile(target), original);
    QCOMPARE(pixelsOf(slot->thumbnail()), pixelsOf(bench.expected(positions).copy(12, 26, 64, 64)));

    // A slot file too large to keep for undo is not replaced at all.
    const qint64 huge = qint64(images::kPictureReadLimit) + 1;
    QVERIFY(QFile::resize(target, huge));
    const int steps = bench.window->undoStack()->count();
    QVERIFY(test::dropFile(slot, dropped));
    QCOMPARE(QFileInfo(target).size(), huge);
    QCOMPARE(bench.window->undoStack()->count(), steps);
    QVERIFY(bench.dialogs.messages.back().contains(target));
}

void WorkbenchWindowTest::foreignColoursAreMarkedAndRemapped() {
    Bench bench;
    const QByteArray main = bench.folder.files.at(QStringLiteral("main256.bmp"));
    // The music icon's own table is the main palette turned by one entry:
    // every colour is still there, at another index.
    const QByteArray table = main.mid(54, 1024);
    const QByteArray icon =
        test::bmp8(64, 64, table.mid(4) + table.left(4), test::randomBytes(4096, 11));
    QTemporaryDir elsewhere;
    test::writeFile(elsewhere.filePath(QStringLiteral("music.bmp")), icon);
    workbench::ui::SlotView* slot = bench.window->slotView(Source::MusicIcon);
    // Put there by hand: a source with no original is its own, kept whole.
    test::writeFile(bench.state.sourcePath(Source::MusicIcon), icon);
    bench.state.announceFileChanged(bench.state.sourcePath(Source::MusicIcon));

    // Marked exactly where the player's colour is not the icon's own.
    const QList<QRgb> drawn = drawnColours(icon, main);
    const QList<QRgb> own = drawnColours(icon, icon);
    QVERIFY(slot->verdict().contains(QStringLiteral("像素的颜色")));
    QCOMPARE(pixelsOf(slot->thumbnail()), drawn);
    for (int i = 0; i < 4096; ++i)
        QCOMPARE(slot->shown().pixel(i % 64, i / 64) != drawn[i], own[i] != drawn[i]);
    QPushButton* remap = slot->findChild<QPushButton*>(QStringLiteral("remapButton"));
    QVERIFY(remap->isVisible());
    remap->click();
    QCOMPARE(slot->verdict(), QStringLiteral("可以使用"));
    QVERIFY(!remap->isVisible());
    QCOMPARE(pixelsOf(slot->thumbnail()), own);

    // A new main background marks all six icons; one click remaps them, one undo restores them.
    const QByteArray background = test::bmp8(240, 160, test::randomBytes(1024, 12), main.mid(1078));
    test::writeFile(elsewhere.filePath(QStringLiteral("main.bmp")), background);
    QVERIFY(test::dropFile(bench.window->slotView(Source::MainBackground),
                           elsewhere.filePath(QStringLiteral("main.bmp"))));
    QPushButton* remapAll = bench.window->slotView(Source::MainBackground)
                                ->findChild<QPushButton*>(QStringLiteral("remapButton"));
    QVERIFY(remapAll->toolTip().contains(QStringLiteral(" 6 个图标")));
    const QByteArray before = test::readFile(bench.state.sourcePath(Source::GameIcon));
    remapAll->click();
    QVERIFY(!remapAll->isVisible());
    for (const auto& icon : kMainScreenIcons)
        QCOMPARE(bench.window->slotView(icon.source)->verdict(), QStringLiteral("可以使用"));
    QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(test::readFile(bench.state.sourcePath(Source::GameIcon)), before);
    QVERIFY(remapAll->isVisible());
}

void WorkbenchWindowTest::generatesAndExports_data() {
    QTest::addColumn<std::optional<int>>("answer");
    QTest::addColumn<bool>("written");  // BACK holds the move afterwards
    QTest::addColumn<bool>("built");
    QTest::addColumn<QString>("listRed");  // typed into the panel's first box, if any
    QTest::addColumn<QStringList>("refusal");
    QTest::newRow("write first, then build")
        << std::optional<int>(0) << true << true << "" << QStringList();
    QTest::newRow("build with BACK as it stands")
        << std::optional<int>(1) << false << true << "" << QStringList();
    QTest::newRow("cancel") << std::optional<int>(2) << false << false << "" << QStringList();
    QTest::newRow("box closed") << std::optional<int>() << false << false << "" << QStringList();
    QTest::newRow("a box holds no value")
        << std::optional<int>(0) << false << false << "abc"
        << QStringList{"有设定值不是0到255之间的整数，请在设置面板中改正后再写入"};
}

void WorkbenchWindowTest::generatesAndExports() {
    QFETCH(std::optional<int>, answer);
    QFETCH(bool, written);
    QFETCH(bool, built);
    QFETCH(QString, listRed);
    QFETCH(QStringList, refusal);
    Bench bench;
    test::writeFile(bench.folder.path(QStringLiteral("ASCII")), test::identityTable());
    if (!listRed.isEmpty()) bench.state.setFieldText(0, listRed);
    const QByteArray back = test::readFile(bench.state.settingsPath());
    bench.drag(QPoint(40, 60), QPoint(4, 4));  // the movie icon from 12,26 to 14,28
    IconPositions moved = kDefaults;
    moved[0] = {14, 28};
    const QImage shown = bench.expected(moved);
    bench.dialogs.answer(answer);
    bench.window->findChild<QPushButton*>(QStringLiteral("generateButton"))->click();
    QCOMPARE(bench.dialogs.questions.size(), 1);
    QVERIFY(bench.dialogs.questions.front().contains(QStringLiteral("尚未写入BACK")));
    QCOMPARE(bench.dialogs.answerLists.front().size(), 3);

    QByteArray expectedBack = back;
    if (written) {
        expectedBack[16] = char(14);
        expectedBack[17] = char(28);
    }
    QCOMPARE(test::readFile(bench.state.settingsPath()), expectedBack);
    const QString output = bench.folder.path(QStringLiteral("BACKIMG"));
    QCOMPARE(QFileInfo::exists(output), built);
    if (!built) {
        QCOMPARE(bench.dialogs.messages, refusal);
        return;
    }
    QCOMPARE(bench.dialogs.messages, QStringList{QStringLiteral("完成！")});
    const auto skinFile = skin::readSkinFile(output.toStdString());
    QVERIFY(skinFile);
    const auto picture = skin::renderScreen(skinFile.value(), skin::Screen::Main);
    QImage rendered(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) rendered.setPixel(x, y, picture.at(x, y));
    // Written first, the skin is what the screen showed; otherwise it is BACK's.
    QCOMPARE(pixelsOf(rendered), pixelsOf(written ? shown : bench.expected(kDefaults)));
    // Whatever was chosen, the moves stay in the boxes, not dropped.
    QCOMPARE(bench.state.fieldText(16), QStringLiteral("14"));

    bench.window->setScreen(skin::Screen::Tree);
    const QString exported = bench.folder.path(QStringLiteral("tree.png"));
    bench.dialogs.chooseSaveAs(exported);
    bench.window->findChild<QPushButton*>(QStringLiteral("exportButton"))->click();
    QCOMPARE(pixelsOf(QImage(exported)), pixelsOf(bench.expected(kDefaults, skin::Screen::Tree)));
}

void WorkbenchWindowTest::opensAFolderItself() {
    Bench bench;
    bench.drag(QPoint(40, 60), QPoint(4, 4));
    const test::SourceFolder other(9);
    auto* open = bench.window->findChild<QPushButton*>(QStringLiteral("openButton"));
    // The move is not yet in BACK: it is asked about, and cancelling keeps it.
    bench.dialogs.choose(other.path(QStringLiteral("main256.bmp")));
    bench.dialogs.answer(2);
    open->click();
    QCOMPARE(bench.dialogs.questions.size(), 1);
    QCOMPARE(bench.state.folder(), bench.folder.folder());
    QCOMPARE(bench.state.fieldText(16), QStringLiteral("14"));
    bench.dialogs.choose(other.path(QStringLiteral("main256.bmp")));
    bench.dialogs.answer(1);  // drop them
    bench.window->findChild<QAction*>(QStringLiteral("openFolderAction"))->trigger();
    QCOMPARE(bench.state.settingsPath(), other.path(QStringLiteral("BACK")));
    // The panel's boxes now hold the other folder's record, and the old moves are gone.
    const QByteArray back = other.files.at(QStringLiteral("BACK"));
    QCOMPARE(bench.window->undoStack()->count(), 0);
    IconPositions positions;
    for (std::size_t i = 0; i < kMainScreenIconCount; ++i) {
        const auto& icon = kMainScreenIcons[i];
        QCOMPARE(bench.state.fieldText(icon.xOffset), QString::number(quint8(back[icon.xOffset])));
        positions[i] = {quint8(back[icon.xOffset]), quint8(back[icon.yOffset])};
    }
    QCOMPARE(pixelsOf(bench.window->screenPicture()), pixelsOf(bench.expected(positions)));

    // A new window, as after a restart, offers it first under "最近打开".
    vireo::ui::ProjectState state;
    workbench::ui::WorkbenchWindow again(bench.dialogs, state, bench.folder.folder());
    const QList<QAction*> recent = again.findChild<QMenu*>(QStringLiteral("recentMenu"))->actions();
    QVERIFY(!recent.isEmpty());
    QCOMPARE(recent.first()->text(), other.folder());
    recent.first()->trigger();
    QCOMPARE(state.folder(), other.folder());
}

void WorkbenchWindowTest::backgroundMenuOpensTheWorkbench() {
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
    QCOMPARE(items, (QStringList{"解包窗口", "调色板", "工作台", "打开皮肤…"}));

    menu->actions().at(2)->trigger();
    menu->actions().at(2)->trigger();  // brought forward, not opened twice
    const auto workbenches = [] {
        QList<workbench::ui::WorkbenchWindow*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* bench = qobject_cast<workbench::ui::WorkbenchWindow*>(w);
                bench && bench->isVisible())
                found << bench;
        return found;
    };
    QCOMPARE(workbenches().size(), 1);
    workbench::ui::WorkbenchWindow* bench = workbenches().front();
    QVERIFY(!bench->parentWidget());
    // It works on the main window's state: a panel's box moves its icon.
    f.state().setFieldText(16, QStringLiteral("100"));
    QCOMPARE(bench->iconPositions()[0].x, 100);

    f.button("Command3")->click();
    QVERIFY(workbenches().isEmpty());
}

void WorkbenchWindowTest::failedRunTooltipNamesEveryFinding() {
    test::WindowFixture f;
    test::writeFile(f.source.path("tree_main256.bmp"),
                    f.source.files.at("tree_main256.bmp").left(5000));
    test::writeFile(f.source.path("music256.bmp"), QByteArray("GIF89a"));
    f.openSources();
    // The report keeps naming the first fault only, as the verification words it.
    QCOMPARE(f.label("test1")->text(),
             QStringLiteral("目录树背景 音乐图标  校验未通过，无法生成文件"));
    const QString tooltip = f.label("test1")->toolTip();
    QVERIFY2(tooltip.startsWith("tree_main256.bmp：\n"), qPrintable(tooltip));
    QVERIFY(tooltip.contains("    tree_main256.bmp 的长度为 5000 字节，应为 39478 字节"));
    QVERIFY(tooltip.contains("music256.bmp：\n    music256.bmp 实际是 GIF 文件"));
    QVERIFY(!tooltip.contains("\nmain256.bmp："));
    // What to do is said with the windows' own buttons, never with a command.
    QVERIFY(tooltip.contains("“选择图片…”"));
    for (const char* command : {"convert", "import", "vireo-skin"})
        QVERIFY2(!tooltip.contains(QLatin1String(command)), command);

    for (const char* name : {"tree_main256.bmp", "music256.bmp"})
        test::writeFile(f.source.path(name), f.source.files.at(name));
    f.openSources();
    QVERIFY(f.label("test1")->toolTip().isEmpty());
}

QTEST_MAIN(WorkbenchWindowTest)
#include "tst_workbench_window.moc"
