#include "core/images/picture.h"
#include "core/project/project.h"
#include "core/settings/record.h"
#include "core/skin/generation.h"
#include "core/skin/skin_file.h"
#include "core/skin/skin_layout.h"
#include "gui/widgets/framing_dialog.h"
#include "gui/widgets/project_state.h"
#include "gui/workbench/screen_canvas.h"
#include "gui/workbench/slot_view.h"
#include "gui/workbench/workbench_window.h"
#include "project/project_fixture.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

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
// BACK with the default positions, the identity table ASCII beside it, and
// the workbench open on it.
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
        test::writeFile(folder.path(QStringLiteral("ASCII")), test::identityTable());
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

    QString path(const char* name) const { return folder.path(QString::fromLatin1(name)); }
    void drop(Source slot, const QString& file) { test::dropFile(window->slotView(slot), file); }

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
    QTemporaryDir elsewhere;
};

const IconPositions kDefaults = {{{12, 26}, {88, 26}, {164, 26}, {12, 86}, {88, 86}, {164, 86}}};

// Every pixel's colour, row by row from the top.
QList<QRgb> pixelsOf(const QImage& image) {
    QList<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) pixels << image.pixel(x, y);
    return pixels;
}

// The colours the player draws a 64×64 icon's stored pixels in, row by row.
QList<QRgb> drawnColours(const QByteArray& icon, const QByteArray& background) {
    QList<QRgb> colours;
    for (int i = 0; i < 4096; ++i)
        colours << test::pixelOf(icon, 64, i % 64, i / 64, background).rgb();
    return colours;
}

// A 64×64 opaque red disc with transparent corners.
QString roundIcon(const QTemporaryDir& dir) {
    return test::writeRoundIcon(dir.filePath(QStringLiteral("round.png")), QColor(220, 30, 30));
}

// The colour the player shows at screen (x, y) of a background file.
QRgb backgroundAt(const QByteArray& bmp, int x, int y) {
    return test::pixelOf(bmp, 240, x, y).rgb();
}

// What the player shows under the main-screen icon `icon` at `p`: the
// screen with that icon moved off it, the others at their default places.
QRgb underIcon(const Bench& bench, std::size_t icon, QPoint p) {
    IconPositions away = kDefaults;
    away[icon] = {255, 255};
    return bench.expected(away).pixel(p);
}

// The four corner pixels of the 64×64 square at (x, y).
QList<QPoint> cornersAt(int x, int y) {
    return {{x, y}, {x + 63, y}, {x, y + 63}, {x + 63, y + 63}};
}

}  // namespace

class WorkbenchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void dragMovesOneIcon_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("grid");
        QTest::addColumn<QPoint>("by");
        QTest::addColumn<QPoint>("expected");
        QTest::addColumn<int>("hidden");  // icons it hides more of than the default grid does
        QTest::newRow("movie at 1x") << 1 << 0 << 0 << QPoint(20, 10) << QPoint(32, 36) << 2;
        QTest::newRow("options at 4x") << 4 << 5 << 0 << QPoint(20, 10) << QPoint(184, 96) << 0;
        QTest::newRow("grid 8 snaps to the nearest line")
            << 1 << 0 << 8 << QPoint(5, 3) << QPoint(16, 32) << 1;
        QTest::newRow("past the top-left stops at 0")
            << 2 << 0 << 0 << QPoint(-100, -100) << QPoint(0, 0) << 0;
        QTest::newRow("grid 8 past the far end stops at 255")
            << 1 << 0 << 8 << QPoint(400, 400) << QPoint(255, 255) << 0;
    }

    void dragMovesOneIcon() {
        QFETCH(int, zoom);
        QFETCH(int, icon);
        QFETCH(int, grid);
        QFETCH(QPoint, by);
        QFETCH(QPoint, expected);
        QFETCH(int, hidden);
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
        // The canvas marks each part hidden.
        QCOMPARE(int(bench.window->canvas()->overlaps().size()), hidden);
        // An icon wholly off the screen is said to be there.
        QCOMPARE(bench.window->positionText().contains(QStringLiteral("屏幕外")),
                 expected.x() >= 240 || expected.y() >= 160);
    }

    void droppedPngBecomesTheSlot() {
        Bench bench;
        const QString target = bench.state.sourcePath(Source::MovieIcon);
        const QByteArray original = test::readFile(target);
        // Colours the main-screen palette holds, so the player can show them exactly.
        const QByteArray main = bench.folder.files.at(QStringLiteral("main256.bmp"));
        QImage png(64, 64, QImage::Format_RGB32);
        const QList<QRgb> colours =
            drawnColours(main.left(1078) + test::randomBytes(4096, 3), main);
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
        // The picture is kept as the author gave it, beside the twelve, BACK and ASCII.
        QCOMPARE(test::entries(bench.folder.folder()).size(), 15);
        QCOMPARE(test::readFile(bench.folder.path(QStringLiteral("art/movie256.png"))),
                 test::readFile(dropped));
        // The thumbnail is what the player draws where the icon stands (the game
        // icon moved off it): the picture as a viewer shows it.
        bench.state.setFieldText(23, QStringLiteral("96"));
        IconPositions positions = kDefaults;
        positions[3].y = 96;
        QCOMPARE(pixelsOf(slot->thumbnail()), pixelsOf(png));

        QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(test::readFile(target), original);
        QCOMPARE(pixelsOf(slot->thumbnail()),
                 pixelsOf(bench.expected(positions).copy(12, 26, 64, 64)));

        // A slot file too large to keep for undo is not replaced at all.
        const qint64 huge = qint64(images::kPictureReadLimit) + 1;
        QVERIFY(QFile::resize(target, huge));
        const int steps = bench.window->undoStack()->count();
        QVERIFY(test::dropFile(slot, dropped));
        QCOMPARE(QFileInfo(target).size(), huge);
        QCOMPARE(bench.window->undoStack()->count(), steps);
        QVERIFY(bench.dialogs.messages.back().contains(target));
    }

    void foreignColoursAreMarkedAndRemapped() {
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
        test::writeFile(elsewhere.filePath("main.bmp"),
                        test::bmp8(240, 160, test::randomBytes(1024, 12), main.mid(1078)));
        QVERIFY(test::dropFile(bench.window->slotView(Source::MainBackground),
                               elsewhere.filePath("main.bmp")));
        const QByteArray before = test::readFile(bench.state.sourcePath(Source::GameIcon));
        auto* remapAll =
            bench.window->slotView(Source::MainBackground)->findChild<QPushButton*>("remapButton");
        QVERIFY(remapAll->toolTip().contains(QStringLiteral(" 6 个图标")));
        remapAll->click();
        for (const auto& icon : kMainScreenIcons)
            QCOMPARE(bench.window->slotView(icon.source)->verdict(), QStringLiteral("可以使用"));
        QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(test::readFile(bench.state.sourcePath(Source::GameIcon)), before);
    }

    void generatesAndExports_data() {
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
        QTest::newRow("box closed")
            << std::optional<int>() << false << false << "" << QStringList();
        QTest::newRow("a box holds no value")
            << std::optional<int>(0) << false << false << "abc"
            << QStringList{"有设定值不是0到255之间的整数，请在设置面板中改正后再写入"};
    }

    void generatesAndExports() {
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
        // Written first, the skin holds the move; otherwise BACK as it stood.
        QCOMPARE(test::readFile(output).right(32), expectedBack);
        // Whatever was chosen, the moves stay in the boxes, not dropped.
        QCOMPARE(bench.state.fieldText(16), QStringLiteral("14"));

        bench.window->setScreen(skin::Screen::Tree);
        const QString exported = bench.folder.path(QStringLiteral("tree.png"));
        bench.dialogs.chooseSaveAs(exported);
        bench.window->findChild<QPushButton*>(QStringLiteral("exportButton"))->click();
        QCOMPARE(pixelsOf(QImage(exported)),
                 pixelsOf(bench.expected(kDefaults, skin::Screen::Tree)));
    }

    void opensAFolderItself() {
        Bench bench;
        bench.drag(QPoint(40, 60), QPoint(4, 4));
        const test::SourceFolder other(9);
        // The move is not yet in BACK: it is asked about, and cancelling keeps it.
        bench.dialogs.choose(other.path(QStringLiteral("main256.bmp")));
        bench.dialogs.answer(2);
        bench.window->findChild<QPushButton*>(QStringLiteral("openButton"))->click();
        QCOMPARE(bench.state.fieldText(16), QStringLiteral("14"));
        bench.dialogs.choose(other.path(QStringLiteral("main256.bmp")));
        bench.dialogs.answer(1);  // drop them
        bench.window->findChild<QAction*>(QStringLiteral("openFolderAction"))->trigger();
        QCOMPARE(bench.dialogs.questions.size(), 2);
        // The boxes and the screen now show the other folder's record; the old moves are gone.
        QCOMPARE(bench.state.fieldText(16), QString::number(quint8(other.files.at("BACK")[16])));
        QCOMPARE(bench.window->undoStack()->count(), 0);

        // A new window, as after a restart, offers it first under "最近打开".
        vireo::ui::ProjectState state;
        workbench::ui::WorkbenchWindow again(bench.dialogs, state, bench.folder.folder());
        const QList<QAction*> recent =
            again.findChild<QMenu*>(QStringLiteral("recentMenu"))->actions();
        QVERIFY(!recent.isEmpty());
        QCOMPARE(recent.first()->text(), other.folder());
        recent.first()->trigger();
        QCOMPARE(state.folder(), other.folder());
    }

    void draggedRoundIconShowsTheBackgroundWhereItLands() {
        Bench bench;
        // The icon drawn last, so that no other covers it where it lands.
        const auto& top = kMainScreenIcons[kMainScreenIconCount - 1];
        bench.drop(top.source, roundIcon(bench.elsewhere));
        QCOMPARE(bench.dialogs.messages, QStringList());
        const QByteArray main = test::readFile(bench.path("main256.bmp"));
        // It stands at 164,86; at 2× a drag by -128,-72 puts it at 100,50.
        QWidget* canvas = bench.window->canvas();
        const QPoint from(348, 192);
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas, from + QPoint(-64, -36));
        QTest::mouseMove(canvas, from + QPoint(-128, -72));
        // Every frame of the drag already shows what lies under the disc's corners.
        const std::size_t last = kMainScreenIconCount - 1;
        for (const QPoint corner : cornersAt(100, 50))
            QCOMPARE(bench.window->screenPicture().pixel(corner), underIcon(bench, last, corner));
        QCOMPARE(bench.window->positionText(), QStringLiteral("X 100  Y 50"));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, from + QPoint(-128, -72));
        QCOMPARE(bench.state.fieldText(top.xOffset), QStringLiteral("100"));
        // The old spot shows the plain background again where no other icon stands.
        QCOMPARE(bench.window->screenPicture().pixel(227, 149), backgroundAt(main, 227, 149));
    }

    void otherProportionsAskHowToFit() {
        Bench bench;
        const auto& top = kMainScreenIcons[kMainScreenIconCount - 1];  // at 164,86, drawn last
        const QString file = bench.state.sourcePath(top.source);
        const QByteArray before = test::readFile(file);
        QImage wide(128, 96, QImage::Format_RGB32);  // 4:3 into a square
        wide.fill(qRgb(10, 200, 10));
        const QString widePath = bench.elsewhere.filePath(QStringLiteral("wide.png"));
        QVERIFY(wide.save(widePath));

        bench.dialogs.answer(3);  // cancel: nothing changes
        bench.drop(top.source, widePath);
        QCOMPARE(bench.dialogs.questions.size(), 1);
        const QStringList answers = bench.dialogs.answerLists.front();
        QCOMPARE(answers.size(), 4);
        QVERIFY(answers[0].startsWith(QStringLiteral("裁剪填满")));  // cover comes first
        QCOMPARE(test::readFile(file), before);
        QVERIFY(!QFileInfo::exists(bench.path("art")) || QDir(bench.path("art")).isEmpty());

        // Contained, the picture keeps all of itself: 64×48 with the background
        // above and below it (tst_project checks the margins pixel by pixel).
        bench.dialogs.answer(1);
        bench.drop(top.source, widePath);
        QCOMPARE(bench.dialogs.messages, QStringList());
        QCOMPARE(bench.window->screenPicture().pixel(164, 86),
                 underIcon(bench, kMainScreenIconCount - 1, {164, 86}));
    }

    // Positions as BACK holds them: the movie icon at bytes 16 and 17, the music icon at 18 and 19.
    void aBackWrittenOutsideIsShownAndBuilt() {
        Bench bench;
        bench.drop(Source::MovieIcon, roundIcon(bench.elsewhere));
        QWidget* canvas = bench.window->canvas();
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(200, 80));  // the music icon at 88,26
        QTest::keyClick(canvas, Qt::Key_Right);                          // an edit made here
        QByteArray back = test::readFile(bench.path("BACK"));
        back[16] = char(100), back[17] = char(100);
        test::writeFile(bench.path("BACK"), back);
        QTRY_COMPARE(bench.window->iconPositions()[0].x, 100);
        QCOMPARE(bench.window->iconPositions()[1].x, 89);  // kept as edited here
        // Derived at 12,26, the movie icon no longer stands where BACK puts it.
        QVERIFY(bench.window->slotView(Source::MovieIcon)->verdict().contains("已过时"));

        // The edit made here is asked about; BACK as read is no reason to ask again.
        bench.dialogs.answer(0);
        QTest::mouseClick(bench.window->findChild<QPushButton*>("generateButton"), Qt::LeftButton);
        QCOMPARE(bench.dialogs.questions.size(), 1);
        QCOMPARE(bench.dialogs.messages, QStringList{QStringLiteral("完成！")});
        const QByteArray skin = test::readFile(bench.path("BACKIMG"));
        QCOMPARE(int(uchar(skin.at(skin.size() - 32 + 16))), 100);
        QCOMPARE(int(uchar(skin.at(skin.size() - 32 + 18))), 89);

        // With nothing edited here, nothing is asked.
        back = test::readFile(bench.path("BACK"));
        back[17] = char(60);
        test::writeFile(bench.path("BACK"), back);
        QTRY_COMPARE(bench.window->iconPositions()[0].y, 60);
        QTest::mouseClick(bench.window->findChild<QPushButton*>("generateButton"), Qt::LeftButton);
        QCOMPARE(bench.dialogs.questions.size(), 1);
        QCOMPARE(int(uchar(test::readFile(bench.path("BACKIMG")).at(skin.size() - 32 + 17))), 60);
    }

    void aWriteOverABackChangedOutsideAsks() {
        Bench bench;
        QWidget* canvas = bench.window->canvas();
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(200, 80));
        QTest::keyClick(canvas, Qt::Key_Right);
        // Written outside while the window has not yet looked.
        QByteArray back = test::readFile(bench.path("BACK"));
        back[4] = char(77);
        test::writeFile(bench.path("BACK"), back);
        bench.dialogs.answer(0);  // write first
        bench.dialogs.answer(1);  // do not overwrite
        QTest::mouseClick(bench.window->findChild<QPushButton*>("generateButton"), Qt::LeftButton);
        QCOMPARE(bench.dialogs.questions.size(), 2);
        QVERIFY2(bench.dialogs.questions[1].contains(QStringLiteral("别处")),
                 qPrintable(bench.dialogs.questions[1]));
        QCOMPARE(test::readFile(bench.path("BACK")), back);
        QVERIFY(!QFile::exists(bench.path("BACKIMG")));
    }

    void aHandEditedIconIsAskedAbout_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("editKept");
        QTest::addColumn<bool>("originalReplaced");
        QTest::newRow("keep it as the original") << 0 << true << true;
        QTest::newRow("derive over it") << 1 << false << false;
        QTest::newRow("cancel") << 2 << true << false;
    }

    void aHandEditedIconIsAskedAbout() {
        QFETCH(int, answer);
        QFETCH(bool, editKept);
        QFETCH(bool, originalReplaced);
        Bench bench;
        bench.drop(Source::MovieIcon, roundIcon(bench.elsewhere));
        QByteArray edited = test::readFile(bench.path("movie256.bmp"));
        edited[1078 + 32 * 64 + 32] = char(uchar(edited.at(1078 + 32 * 64 + 32)) ^ 1);
        test::writeFile(bench.path("movie256.bmp"), edited);
        const auto handEditShown = [&] {
            return bench.window->slotView(Source::MovieIcon)->verdict().contains("已手动修改");
        };
        QTRY_VERIFY(handEditShown());
        QWidget* canvas = bench.window->canvas();
        bench.dialogs.answer(answer);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(60, 80));  // the movie icon at 12,26
        QTest::keyClick(canvas, Qt::Key_Right);
        QCOMPARE(bench.dialogs.questions.size(), 1);
        QVERIFY2(bench.dialogs.questions[0].contains(bench.path("movie256.bmp")),
                 qPrintable(bench.dialogs.questions[0]));
        // The disc's centre pixel: the edit, or the disc's colour derived again.
        const QByteArray now = test::readFile(bench.path("movie256.bmp"));
        QCOMPARE(now.at(1078 + 32 * 64 + 32) == edited.at(1078 + 32 * 64 + 32), editKept);
        QCOMPARE(QFile::exists(bench.path("art/movie256.bmp")), originalReplaced);
        QCOMPARE(QFile::exists(bench.path("art/movie256.png")), !originalReplaced);
        QCOMPARE(handEditShown(), answer == 2);
    }

    // Nudges of one icon are one step, undone with the bytes derived for them;
    // Ctrl+Z in the middle of a drag puts the icon back where the drag found it.
    void nudgesAndDragsAreUndoneAsSteps() {
        Bench bench;
        bench.drop(Source::MovieIcon, roundIcon(bench.elsewhere));
        const QByteArray fresh = test::readFile(bench.path("movie256.bmp"));
        QUndoStack* history = bench.window->undoStack();
        const int steps = history->count();
        QWidget* canvas = bench.window->canvas();
        QTest::keyClick(canvas, Qt::Key_Right);  // nothing selected: no step
        QCOMPARE(history->count(), steps);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(60, 80));  // the movie icon at 12,26
        for (int k = 0; k < 3; ++k) QTest::keyClick(canvas, Qt::Key_Right);
        QTest::keyClick(canvas, Qt::Key_Down);
        QCOMPARE(bench.window->positionText(), QStringLiteral("X 15  Y 27"));
        QVERIFY(test::readFile(bench.path("movie256.bmp")) != fresh);
        QCOMPARE(history->count(), steps + 1);
        QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(bench.window->positionText(), QStringLiteral("X 12  Y 26"));
        QCOMPARE(test::readFile(bench.path("movie256.bmp")), fresh);
        QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(bench.window->positionText(), QStringLiteral("X 15  Y 27"));

        // A nudge of another icon is a step of its own.
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(200, 80));  // the music icon at 88,26
        QTest::keyClick(canvas, Qt::Key_Right);
        QCOMPARE(history->count(), steps + 2);

        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(200, 80));
        QTest::mouseMove(canvas, QPoint(240, 120));
        QCOMPARE(bench.state.fieldText(18), QStringLiteral("109"));
        QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier);
        // Back where the drag found it, and the step before the drag is still there.
        QCOMPARE(bench.state.fieldText(18), QStringLiteral("89"));
        QCOMPARE(bench.state.fieldText(19), QStringLiteral("26"));
        QCOMPARE(history->index(), steps + 2);
        QTest::mouseMove(canvas, QPoint(260, 140));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(260, 140));
        QCOMPARE(bench.state.fieldText(18), QStringLiteral("89"));
        QCOMPARE(history->count(), steps + 2);
        QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(bench.state.fieldText(18), QStringLiteral("88"));
    }

    void theFrameChosenIsKeptAndShown() {
        Bench bench;
        QImage halves(320, 160, QImage::Format_RGB32);  // 2:1 into 3:2
        halves.fill(Qt::red);
        QPainter(&halves).fillRect(160, 0, 160, 160, Qt::blue);
        const QString path = bench.elsewhere.filePath(QStringLiteral("halves.png"));
        QVERIFY(halves.save(path));
        // The left half's middle at twice the covering size: 120×80 of red only.
        bench.dialogs.frameWith(vireo::ui::Framing{artwork::Fit::Cover, {25, 50, 200}});
        QVERIFY(test::dropFile(bench.window->slotView(Source::MainBackground), path));
        QCOMPARE(bench.dialogs.messages, QStringList());
        QCOMPARE(bench.dialogs.framingQuestions.size(), 1);
        QCOMPARE(bench.dialogs.framingQuestions[0].target, QSize(240, 160));
        const QByteArray main = test::readFile(bench.folder.path(QStringLiteral("main256.bmp")));
        for (const QPoint at : {QPoint(0, 0), QPoint(239, 0), QPoint(0, 159), QPoint(239, 159)})
            QCOMPARE(test::pixelOf(main, 240, at.x(), at.y()), QColor(Qt::red));
        const QJsonObject derived =
            QJsonDocument::fromJson(
                test::readFile(bench.folder.path(QStringLiteral("art/derived.json"))))
                .object();
        QCOMPARE(derived["sources"]["main256.bmp"]["frame"].toArray(), QJsonArray({25, 50, 200}));

        // Dropped again, the question starts from the frame kept.
        bench.dialogs.frameWith(std::nullopt);
        QVERIFY(test::dropFile(bench.window->slotView(Source::MainBackground), path));
        QCOMPARE(bench.dialogs.framingQuestions.size(), 2);
        QVERIFY(bench.dialogs.framingQuestions[1].initial.frame == artwork::Frame({25, 50, 200}));
    }

    // 2:1 into 3:2 at 100 %: the part is 75 % of the width, its centre 38 to 62 % across.
    void theFrameMovesAndZoomsInTheDialog() {
        const images::RgbaImage picture{320, 160, std::vector<std::uint8_t>(320 * 160 * 4, 255)};
        vireo::ui::FramingDialog dialog(picture, {QString(), QSize(240, 160), true, {}});
        QWidget* view = dialog.findChild<QWidget*>(QStringLiteral("framePicture"));
        for (int i = 0; i < 20; ++i) QTest::keyClick(view, Qt::Key_Left);
        QVERIFY(dialog.framing().frame == artwork::Frame({38, 50, 100}));
        QTest::keyClick(view, Qt::Key_Plus);  // 110 %: 68 % wide, the centre may go to 35
        QTest::keyClick(view, Qt::Key_Left, Qt::ShiftModifier);
        QVERIFY(dialog.framing().frame == artwork::Frame({35, 50, 110}));
    }

    void aTextColourIsChosenOnTheScreen_data() {
        QTest::addColumn<QColor>("chosen");
        QTest::addColumn<QStringList>("answers");  // offered when it does not read
        QTest::addColumn<QColor>("recorded");
        QTest::newRow("black reads on white")
            << QColor(0, 0, 0) << QStringList() << QColor(0, 0, 0);
        QTest::newRow("yellow does not: the nearest that does")
            << QColor(255, 255, 0)
            << QStringList{QStringLiteral("用 #9A9A00"), QStringLiteral("仍用所选颜色"),
                           QStringLiteral("取消")}
            << QColor(0x9A, 0x9A, 0);
    }

    void aTextColourIsChosenOnTheScreen() {
        QFETCH(QColor, chosen);
        QFETCH(QStringList, answers);
        QFETCH(QColor, recorded);
        Bench bench;
        const QString ebook = bench.state.sourcePath(Source::EbookBackground);
        test::writeFile(ebook,
                        test::bmp8(240, 160, QByteArray(1024, char(255)), QByteArray(38400, 0)));
        bench.state.announceFileChanged(ebook);
        bench.window->setScreen(skin::Screen::Ebook);
        bench.dialogs.pickColour(chosen);
        bench.dialogs.answer(0);
        // The e-book sample stands at 8,8: 16,16 at 2×.
        QTest::mouseClick(bench.window->canvas(), Qt::LeftButton, {}, QPoint(40, 28));
        QCOMPARE(bench.dialogs.answerLists,
                 answers.isEmpty() ? QList<QStringList>() : QList<QStringList>{answers});
        if (!answers.isEmpty())
            QVERIFY(bench.dialogs.questions[0].contains(QStringLiteral("低于 3:1")));
        const images::Colour colour = bench.state.project()->record().colours[2];
        QCOMPARE(QColor(colour.red, colour.green, colour.blue), recorded);
    }
};

QTEST_MAIN(WorkbenchWindowTest)
#include "tst_workbench_window.moc"
