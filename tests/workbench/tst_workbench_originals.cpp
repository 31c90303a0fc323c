// The workbench over the originals in art/: sources derived again after a
// drag, a typed position or a fit, a drag cancelled by Ctrl+Z, and BACK or
// an icon changed outside.
#include "core/images/source_set.h"
#include "core/project/project.h"
#include "core/settings/record.h"
#include "core/workbench/layout.h"
#include "gui/artwork/qt_picture_decoder.h"
#include "gui/widgets/project_state.h"
#include "gui/workbench/screen_canvas.h"
#include "gui/workbench/slot_view.h"
#include "gui/workbench/workbench_window.h"
#include "project/project_fixture.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/window_fixture.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include <memory>

using namespace vireo;
using images::kMainScreenIconCount;
using images::kMainScreenIcons;
using images::Source;

namespace {

// A source folder with the default positions in BACK, open in the workbench at 2×.
struct Workbench {
    Workbench() {
        QByteArray back = folder.files.at(QStringLiteral("BACK"));
        for (const auto& field : settings::kPositionFields)
            back[field.offset] = char(field.defaultValue);
        test::writeFile(folder.path(QStringLiteral("BACK")), back);
        test::writeFile(folder.path(QStringLiteral("ASCII")), test::identityTable());
        test::openInState(state, folder);
        window = std::make_unique<workbench::ui::WorkbenchWindow>(dialogs, state, folder.folder());
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    QString path(const char* name) const { return folder.path(QString::fromLatin1(name)); }

    void drop(Source slot, const QString& file) { test::dropFile(window->slotView(slot), file); }

    test::SourceFolder folder;
    test::ScriptedDialogs dialogs;
    ui::ProjectState state;
    std::unique_ptr<workbench::ui::WorkbenchWindow> window;
    QTemporaryDir elsewhere;
};

// A 64×64 opaque red disc with transparent corners.
QString roundIcon(const QTemporaryDir& dir) {
    return test::writeRoundIcon(dir.filePath(QStringLiteral("round.png")), QColor(220, 30, 30));
}

// The colour the player shows at screen (x, y) of a background file.
QRgb backgroundAt(const QByteArray& bmp, int x, int y) {
    return test::pixelOf(bmp, 240, x, y).rgb();
}

// The colour the player shows for pixel (x, y) of a 64×64 icon file drawn
// with the palette of `background`.
QRgb iconColourAt(const QByteArray& icon, const QByteArray& background, int x, int y) {
    const int entry = 54 + 4 * quint8(icon[1078 + y * 64 + x]);
    return qRgb(quint8(background[entry + 2]), quint8(background[entry + 1]),
                quint8(background[entry]));
}

// The four corner pixels of the 64×64 square at (x, y).
QList<QPoint> cornersAt(int x, int y) {
    return {{x, y}, {x + 63, y}, {x, y + 63}, {x + 63, y + 63}};
}

}  // namespace

class WorkbenchOriginalsTest : public QObject {
    Q_OBJECT

private slots:
    void draggedRoundIconShowsTheBackgroundWhereItLands();
    void ctrlZDuringADragCancelsIt();
    void typedPositionDerivesOnceValid();
    void aFolderInASlotIsNamedAsSuch();
    void otherProportionsAskHowToFit();
    void aBackWrittenOutsideIsShownAndBuilt();
    void aWriteOverABackChangedOutsideAsks();
    void aHandEditedIconIsAskedAbout_data();
    void aHandEditedIconIsAskedAbout();
    void anUnreadableDerivedFileIsToldOnOpening();
    void aRunOfNudgesIsUndoneInOneStep();
};

void WorkbenchOriginalsTest::draggedRoundIconShowsTheBackgroundWhereItLands() {
    Workbench bench;
    // The icon drawn last, so that no other covers it where it lands.
    const auto& top = kMainScreenIcons[kMainScreenIconCount - 1];
    const QString file = bench.state.sourcePath(top.source);
    bench.drop(top.source, roundIcon(bench.elsewhere));
    QCOMPARE(bench.dialogs.messages, QStringList());
    const QByteArray main = test::readFile(bench.path("main256.bmp"));
    // It stands at 164,86; at 2× a drag by -128,-72 puts it at 100,50.
    QWidget* canvas = bench.window->canvas();
    const QPoint from(348, 192);
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas, from + QPoint(-64, -36));
    QTest::mouseMove(canvas, from + QPoint(-128, -72));
    // Every frame of the drag already shows the background around the disc.
    for (const QPoint corner : cornersAt(100, 50))
        QCOMPARE(bench.window->screenPicture().pixel(corner),
                 backgroundAt(main, corner.x(), corner.y()));
    QCOMPARE(bench.window->positionText(), QStringLiteral("X 100  Y 50"));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, from + QPoint(-128, -72));
    QCOMPARE(bench.state.fieldText(top.xOffset), QStringLiteral("100"));
    // Released, the source is derived again: the screen and the icon's file agree.
    const QByteArray icon = test::readFile(file);
    for (const QPoint corner : cornersAt(100, 50)) {
        const QRgb expected = backgroundAt(main, corner.x(), corner.y());
        QCOMPARE(bench.window->screenPicture().pixel(corner), expected);
        QCOMPARE(iconColourAt(icon, main, corner.x() - 100, corner.y() - 50), expected);
    }
    // The old spot shows the plain background again where no other icon stands.
    QCOMPARE(bench.window->screenPicture().pixel(227, 149), backgroundAt(main, 227, 149));
}

void WorkbenchOriginalsTest::ctrlZDuringADragCancelsIt() {
    Workbench bench;
    QUndoStack* history = bench.window->undoStack();
    QWidget* canvas = bench.window->canvas();
    QTest::keyClick(canvas, Qt::Key_Right);                          // nothing selected: no step
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(200, 80));  // the music icon at 88,26
    QTest::keyClick(canvas, Qt::Key_Right);
    QCOMPARE(history->count(), 1);
    QCOMPARE(bench.window->positionText(), QStringLiteral("X 89  Y 26"));

    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(200, 80));
    QTest::mouseMove(canvas, QPoint(240, 120));
    QCOMPARE(bench.state.fieldText(18), QStringLiteral("109"));
    QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier);
    // Back where the drag found it, and the step before the drag is still there.
    QCOMPARE(bench.state.fieldText(18), QStringLiteral("89"));
    QCOMPARE(bench.state.fieldText(19), QStringLiteral("26"));
    QCOMPARE(history->index(), 1);
    QTest::mouseMove(canvas, QPoint(260, 140));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(260, 140));
    QCOMPARE(bench.state.fieldText(18), QStringLiteral("89"));
    QCOMPARE(history->count(), 1);
    QTest::keyClick(bench.window.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(bench.state.fieldText(18), QStringLiteral("88"));
}

void WorkbenchOriginalsTest::typedPositionDerivesOnceValid() {
    Workbench bench;
    const auto& top = kMainScreenIcons[kMainScreenIconCount - 1];
    const QString file = bench.state.sourcePath(top.source);
    bench.drop(top.source, roundIcon(bench.elsewhere));
    const QByteArray main = test::readFile(bench.path("main256.bmp"));
    const int steps = bench.window->undoStack()->count();
    // Typed as the panel's boxes pass it on: an invalid text derives nothing.
    bench.state.setFieldText(top.xOffset, QStringLiteral("3x"));
    QTest::qWait(600);
    QCOMPARE(bench.window->undoStack()->count(), steps);
    bench.state.setFieldText(top.xOffset, QStringLiteral("100"));
    bench.state.setFieldText(top.yOffset, QStringLiteral("50"));
    QTRY_COMPARE(bench.window->undoStack()->count(), steps + 1);
    const QByteArray icon = test::readFile(file);
    for (const QPoint corner : cornersAt(100, 50))
        QCOMPARE(iconColourAt(icon, main, corner.x() - 100, corner.y() - 50),
                 backgroundAt(main, corner.x(), corner.y()));
}

void WorkbenchOriginalsTest::aFolderInASlotIsNamedAsSuch() {
    Workbench bench;
    QVERIFY(QFile::remove(bench.path("music256.bmp")));
    QVERIFY(QDir().mkdir(bench.path("music256.bmp")));
    bench.state.announceFileChanged(bench.path("music256.bmp"));
    const QString verdict = bench.window->slotView(Source::MusicIcon)->verdict();
    QVERIFY2(verdict.contains(QStringLiteral("文件夹")), qPrintable(verdict));
    QVERIFY2(!verdict.contains(QStringLiteral("不存在")), qPrintable(verdict));
}

void WorkbenchOriginalsTest::otherProportionsAskHowToFit() {
    Workbench bench;
    const auto& top = kMainScreenIcons[kMainScreenIconCount - 1];  // at 164,86, uncovered
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
    // above and below it.
    bench.dialogs.answer(1);
    bench.drop(top.source, widePath);
    QCOMPARE(bench.dialogs.messages, QStringList());
    const QByteArray main = test::readFile(bench.path("main256.bmp"));
    const QByteArray icon = test::readFile(file);
    for (const QPoint corner : cornersAt(164, 86))
        QCOMPARE(iconColourAt(icon, main, corner.x() - 164, corner.y() - 86),
                 backgroundAt(main, corner.x(), corner.y()));
    QCOMPARE(bench.window->screenPicture().pixel(164, 86), backgroundAt(main, 164, 86));
}

// Positions as BACK holds them: the movie icon at bytes 16 and 17, the music icon at 18 and 19.
void WorkbenchOriginalsTest::aBackWrittenOutsideIsShownAndBuilt() {
    Workbench bench;
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

void WorkbenchOriginalsTest::aWriteOverABackChangedOutsideAsks() {
    Workbench bench;
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

void WorkbenchOriginalsTest::aHandEditedIconIsAskedAbout_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("editKept");
    QTest::addColumn<bool>("originalReplaced");
    QTest::newRow("keep it as the original") << 0 << true << true;
    QTest::newRow("derive over it") << 1 << false << false;
    QTest::newRow("cancel") << 2 << true << false;
}

void WorkbenchOriginalsTest::aHandEditedIconIsAskedAbout() {
    QFETCH(int, answer);
    QFETCH(bool, editKept);
    QFETCH(bool, originalReplaced);
    Workbench bench;
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

void WorkbenchOriginalsTest::anUnreadableDerivedFileIsToldOnOpening() {
    Workbench bench;
    bench.drop(Source::MovieIcon, roundIcon(bench.elsewhere));
    test::writeFile(bench.path("art/derived.json"), "{\"version\":1,");
    // Opened again, in a window of its own.
    test::ScriptedDialogs dialogs;
    dialogs.answer(0);
    ui::ProjectState state;
    test::openInState(state, bench.folder);
    workbench::ui::WorkbenchWindow window(dialogs, state, bench.folder.folder());
    QCOMPARE(dialogs.questions.size(), 1);
    QVERIFY2(dialogs.questions[0].contains(QStringLiteral("derived.json")),
             qPrintable(dialogs.questions[0]));
    artwork::QtPictureDecoder decoder;
    project::Project reopened(decoder, {});
    QVERIFY(reopened.openFolder(bench.folder.folder().toStdString()).ok());
    QVERIFY(reopened.derivedProblem() == nullptr);
    QVERIFY(reopened.staleSources().empty());
}

void WorkbenchOriginalsTest::aRunOfNudgesIsUndoneInOneStep() {
    Workbench bench;
    bench.drop(Source::MovieIcon, roundIcon(bench.elsewhere));
    const QByteArray fresh = test::readFile(bench.path("movie256.bmp"));
    QUndoStack* history = bench.window->undoStack();
    const int steps = history->count();
    QWidget* canvas = bench.window->canvas();
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
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(200, 80));  // the music icon
    QTest::keyClick(canvas, Qt::Key_Right);
    QCOMPARE(history->count(), steps + 2);
}

QTEST_MAIN(WorkbenchOriginalsTest)
#include "tst_workbench_originals.moc"
