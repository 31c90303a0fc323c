#include "settings/record.h"
#include "skin/generation.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "widgets/project_state.h"
#include "workbench/render.h"
#include "workbench/ui/save_dialog.h"
#include "workbench/ui/screen_canvas.h"
#include "workbench/ui/slot_view.h"
#include "workbench/ui/workbench_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include <memory>

using namespace vireo;
using namespace vireo::workbench;
using images::Source;

namespace {

class ScriptedSave final : public workbench::ui::SaveDialog {
public:
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&) override { return reply; }
    std::optional<QString> reply;
};

// A verified folder in the shared state, the panel's boxes loaded from its
// BACK with the default positions, and the workbench open on it.
struct Bench {
    explicit Bench(quint32 key = 1) : folder(key) {
        QByteArray back = folder.files.at(QStringLiteral("BACK"));
        for (const auto& field : settings::kPositionFields) back[field.offset] = char(field.defaultValue);
        folder.files[QStringLiteral("BACK")] = back;
        test::writeFile(folder.path(QStringLiteral("BACK")), back);

        std::array<QString, images::kSourceCount> paths;
        for (std::size_t i = 0; i < images::kSourceCount; ++i)
            paths[i] = folder.path(QString::fromLatin1(images::kSourceSet[i].fileName));
        state.setSourceSet(folder.folder(), paths, true);
        state.setSettingsPath(folder.path(QStringLiteral("BACK")));
        for (const auto& field : settings::kPositionFields)
            state.setFieldText(field.offset, QString::number(field.defaultValue));
        for (const auto& field : settings::kColourFields)
            state.setFieldText(field.offset, QString::number(quint8(back[field.offset])));
        state.setHintOn(back[settings::kHintFlagOffset] != 0);

        window = std::make_unique<workbench::ui::WorkbenchWindow>(dialogs, state, folder.folder());
        window->setSaveDialog(save);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // The screen the player would show with the icons at `positions`.
    QImage expected(const IconPositions& positions, Screen screen = Screen::Main) const {
        skin::SkinSourceBytes sources;
        for (std::size_t i = 0; i < images::kSourceCount; ++i)
            sources.pictures[i] = test::toBytes(test::readFile(state.sourcePaths()[i]));
        sources.settings = test::toBytes(test::readFile(state.settingsPath()));
        for (std::size_t i = 0; i < kIconCount; ++i) {
            sources.settings[kIcons[i].xOffset] = std::uint8_t(positions[i].x);
            sources.settings[kIcons[i].yOffset] = std::uint8_t(positions[i].y);
        }
        const Picture picture = renderPlayerScreen(skin::assembleSkin(sources).value(), screen);
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
    ScriptedSave save;
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

void dropOn(QWidget* target, const QString& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
}

}  // namespace

class WorkbenchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensAsTheFourthWindow();
    void dragMovesOneIcon_data();
    void dragMovesOneIcon();
    void dragSnapsAndClamps_data();
    void dragSnapsAndClamps();
    void undoAndRedoMovesByKeys();
    void stateChangeMovesIcon();
    void droppedBmpBecomesTheSlot();
    void refusedDropLeavesTheSlot();
    void generatesAndExports();
    void opensAFolderItself();
};

void WorkbenchWindowTest::opensAsTheFourthWindow() {
    Bench bench;
    QCOMPARE(bench.window->objectName(), QStringLiteral("Form4"));
    QCOMPARE(bench.window->windowTitle(), QStringLiteral("VIREO 皮肤工作台"));
    QVERIFY(!bench.window->parentWidget());
    QCOMPARE(bench.window->screenPicture(), bench.expected(kDefaults));
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        QCOMPARE(bench.window->slotView(Source(i))->verdict(), QStringLiteral("大小正确"));
}

void WorkbenchWindowTest::dragMovesOneIcon_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("icon");
    QTest::newRow("movie at 1x") << 1 << 0;
    QTest::newRow("game at 2x") << 2 << 3;
    QTest::newRow("options at 4x") << 4 << 5;
}

void WorkbenchWindowTest::dragMovesOneIcon() {
    QFETCH(int, zoom);
    QFETCH(int, icon);
    Bench bench;
    bench.window->setZoom(zoom);
    const QStringList before = bench.fieldTexts();
    const Position start = kDefaults[std::size_t(icon)];
    bench.drag(QPoint(start.x + 30, start.y + 30) * zoom, QPoint(20, 10) * zoom);

    IconPositions moved = kDefaults;
    moved[std::size_t(icon)] = {start.x + 20, start.y + 10};
    QStringList after = before;
    after[kIcons[std::size_t(icon)].xOffset] = QString::number(start.x + 20);
    after[kIcons[std::size_t(icon)].yOffset] = QString::number(start.y + 10);
    QCOMPARE(bench.fieldTexts(), after);
    QCOMPARE(bench.window->screenPicture(), bench.expected(moved));
    // BACK stays the panel's to write.
    QCOMPARE(test::readFile(bench.state.settingsPath()), bench.folder.files.at(QStringLiteral("BACK")));
}

void WorkbenchWindowTest::dragSnapsAndClamps_data() {
    QTest::addColumn<int>("grid");
    QTest::addColumn<QPoint>("by");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("grid 8 snaps to the nearest line") << 8 << QPoint(5, 3) << QPoint(16, 32);
    QTest::newRow("grid 4 snaps") << 4 << QPoint(1, 1) << QPoint(12, 28);
    QTest::newRow("past the top-left stops at 0") << 0 << QPoint(-100, -100) << QPoint(0, 0);
    QTest::newRow("past the bottom-right stops at 255") << 0 << QPoint(400, 400) << QPoint(255, 255);
    QTest::newRow("grid 8 at the far end stops at 255") << 8 << QPoint(400, 400) << QPoint(255, 255);
}

void WorkbenchWindowTest::dragSnapsAndClamps() {
    QFETCH(int, grid);
    QFETCH(QPoint, by);
    QFETCH(QPoint, expected);
    Bench bench;
    bench.window->setZoom(1);
    bench.window->setGrid(grid);
    bench.drag(QPoint(20, 30), by);
    QCOMPARE(bench.state.fieldText(16), QString::number(expected.x()));
    QCOMPARE(bench.state.fieldText(17), QString::number(expected.y()));
    IconPositions moved = kDefaults;
    moved[0] = {expected.x(), expected.y()};
    QCOMPARE(bench.window->screenPicture(), bench.expected(moved));
}

void WorkbenchWindowTest::undoAndRedoMovesByKeys() {
    Bench bench;
    bench.window->setZoom(1);
    QWidget* canvas = bench.window->canvas();
    bench.drag(QPoint(100, 40), QPoint(20, 10));  // music: 88,26 -> 108,36
    QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(bench.state.fieldText(18), QStringLiteral("109"));
    QCOMPARE(bench.state.fieldText(19), QStringLiteral("44"));

    const auto undo = [&] { QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier); };
    const auto redo = [&] {
        QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    };
    undo();
    QCOMPARE(bench.state.fieldText(19), QStringLiteral("36"));
    undo();
    undo();
    QCOMPARE(bench.state.fieldText(18), QStringLiteral("88"));
    QCOMPARE(bench.state.fieldText(19), QStringLiteral("26"));
    QCOMPARE(bench.window->screenPicture(), bench.expected(kDefaults));
    redo();
    redo();
    redo();
    QCOMPARE(bench.state.fieldText(18), QStringLiteral("109"));
    QCOMPARE(bench.state.fieldText(19), QStringLiteral("44"));
    IconPositions moved = kDefaults;
    moved[1] = {109, 44};
    QCOMPARE(bench.window->screenPicture(), bench.expected(moved));
}

void WorkbenchWindowTest::stateChangeMovesIcon() {
    Bench bench;
    bench.window->setZoom(1);
    // What typing "200" and "5" into the picture browser's boxes does.
    bench.state.setFieldText(20, QStringLiteral("200"));
    bench.state.setFieldText(21, QStringLiteral("5"));
    IconPositions moved = kDefaults;
    moved[2] = {200, 5};
    QCOMPARE(bench.window->screenPicture(), bench.expected(moved));
    // A text that holds no position leaves the icon where BACK puts it.
    bench.state.setFieldText(20, QStringLiteral("abc"));
    moved[2] = {164, 5};
    QCOMPARE(bench.window->screenPicture(), bench.expected(moved));
    // The icon is picked up where it is now shown.
    bench.drag(QPoint(170, 10), QPoint(-4, 0));
    QCOMPARE(bench.state.fieldText(20), QStringLiteral("160"));
}

void WorkbenchWindowTest::droppedBmpBecomesTheSlot() {
    Bench bench;
    const QString target = bench.state.sourcePath(Source::MovieIcon);
    const QByteArray original = test::readFile(target);
    const QByteArray picture =
        test::bmp8(64, 64, test::randomBytes(1024, 40), test::randomBytes(4096, 41));
    QTemporaryDir elsewhere;
    const QString dropped = elsewhere.filePath(QStringLiteral("new icon.bmp"));
    test::writeFile(dropped, picture);

    workbench::ui::SlotView* slot = bench.window->slotView(Source::MovieIcon);
    dropOn(slot, dropped);
    QCOMPARE(test::readFile(target), picture);
    QVERIFY(bench.dialogs.messages.isEmpty());
    QCOMPARE(test::entries(bench.folder.folder()).size(), 13);

    // The thumbnail is what the player draws where the icon stands, with the
    // game icon below moved off it.
    bench.state.setFieldText(23, QStringLiteral("96"));
    IconPositions positions = kDefaults;
    positions[3].y = 96;
    const QImage screen = bench.expected(positions);
    QCOMPARE(bench.window->screenPicture(), screen);
    QCOMPARE(pixelsOf(slot->thumbnail()), pixelsOf(screen.copy(12, 26, 64, 64)));

    QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(test::readFile(target), original);
    QCOMPARE(pixelsOf(slot->thumbnail()), pixelsOf(bench.expected(positions).copy(12, 26, 64, 64)));
    QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(test::readFile(target), picture);
}

void WorkbenchWindowTest::refusedDropLeavesTheSlot() {
    Bench bench;
    const QString target = bench.state.sourcePath(Source::MainBackground);
    QTemporaryDir elsewhere;
    const QString dropped = elsewhere.filePath(QStringLiteral("icon.bmp"));
    test::writeFile(dropped, test::bmp8(64, 64, test::randomBytes(1024, 1), test::randomBytes(4096, 2)));
    dropOn(bench.window->slotView(Source::MainBackground), dropped);
    QCOMPARE(test::readFile(target), bench.folder.files.at(QStringLiteral("main256.bmp")));
    QCOMPARE(bench.dialogs.messages.size(), 1);
    QVERIFY(bench.dialogs.messages.front().contains(dropped));
    QCOMPARE(bench.window->undoStack()->count(), 0);
}

void WorkbenchWindowTest::generatesAndExports() {
    Bench bench;
    bench.window->findChild<QPushButton*>(QStringLiteral("generateButton"))->click();
    QCOMPARE(bench.dialogs.messages, QStringList{QStringLiteral("完成！")});
    skin::SkinSources sources;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        sources.pictures[i] = bench.state.sourcePaths()[i].toStdString();
    sources.settings = bench.state.settingsPath().toStdString();
    QCOMPARE(test::toBytes(test::readFile(bench.folder.path(QStringLiteral("BACKIMG")))),
             skin::assembleSkin(sources).value());

    bench.window->setScreen(Screen::Tree);
    bench.save.reply = bench.folder.path(QStringLiteral("tree.png"));
    bench.window->findChild<QPushButton*>(QStringLiteral("exportButton"))->click();
    QCOMPARE(pixelsOf(QImage(*bench.save.reply)), pixelsOf(bench.expected(kDefaults, Screen::Tree)));

    // A move not yet written into BACK is not in the skin, and the user is told.
    bench.window->setScreen(Screen::Main);
    bench.drag(QPoint(40, 60), QPoint(4, 4));
    bench.dialogs.messages.clear();
    bench.window->findChild<QPushButton*>(QStringLiteral("generateButton"))->click();
    QCOMPARE(bench.dialogs.messages.size(), 2);
    QVERIFY(bench.dialogs.messages.front().contains(QStringLiteral("尚未写入BACK")));
    QCOMPARE(bench.dialogs.messages.back(), QStringLiteral("完成！"));
    QCOMPARE(test::toBytes(test::readFile(bench.folder.path(QStringLiteral("BACKIMG")))),
             skin::assembleSkin(sources).value());

    test::writeFile(bench.state.settingsPath(), QByteArray(31, '\0'));
    bench.window->findChild<QPushButton*>(QStringLiteral("generateButton"))->click();
    QCOMPARE(bench.dialogs.messages.last(), QStringLiteral("BACK文件找不到或大小不正确，不能生成皮肤"));

}

void WorkbenchWindowTest::opensAFolderItself() {
    Bench bench;
    bench.drag(QPoint(40, 60), QPoint(4, 4));
    QCOMPARE(bench.window->undoStack()->count(), 1);

    const test::SourceFolder other(9);
    bench.dialogs.choose(other.path(QStringLiteral("movie256.bmp")));
    QPushButton* open = bench.window->findChild<QPushButton*>(QStringLiteral("openButton"));
    open->click();
    QCOMPARE(bench.dialogs.messages, QStringList{QStringLiteral("请打开main256.bmp")});
    QCOMPARE(bench.state.folder(), bench.folder.folder());

    bench.dialogs.choose(other.path(QStringLiteral("main256.bmp")));
    open->click();
    QCOMPARE(bench.dialogs.messages.size(), 1);
    QCOMPARE(bench.state.folder(), other.folder());
    QVERIFY(bench.state.verified());
    QCOMPARE(bench.state.settingsPath(), other.path(QStringLiteral("BACK")));
    // The panel's boxes now hold the other folder's record, and the old moves are gone.
    const QByteArray back = other.files.at(QStringLiteral("BACK"));
    for (const auto& field : settings::kPositionFields)
        QCOMPARE(bench.state.fieldText(field.offset), QString::number(quint8(back[field.offset])));
    QCOMPARE(bench.window->undoStack()->count(), 0);
    IconPositions positions;
    for (std::size_t i = 0; i < kIconCount; ++i)
        positions[i] = {quint8(back[kIcons[i].xOffset]), quint8(back[kIcons[i].yOffset])};
    QCOMPARE(pixelsOf(bench.window->screenPicture()), pixelsOf(bench.expected(positions)));
}

QTEST_MAIN(WorkbenchWindowTest)
#include "tst_workbench_window.moc"
