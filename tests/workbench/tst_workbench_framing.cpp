// The workbench's framing question and text colours: the frame chosen reaches
// derived.json and the source; a colour that does not read is offered the
// nearest that does.
#include "core/images/source_set.h"
#include "core/project/project.h"
#include "gui/widgets/framing_dialog.h"
#include "gui/widgets/project_state.h"
#include "gui/workbench/screen_canvas.h"
#include "gui/workbench/slot_view.h"
#include "gui/workbench/workbench_window.h"
#include "project/project_fixture.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/window_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QTest>

#include <memory>

using namespace vireo;
using images::Source;

namespace {

// A source folder with a white e-book screen, open in the workbench at 2×.
struct Bench {
    Bench() {
        test::writeFile(folder.path(QStringLiteral("ASCII")), test::identityTable());
        const auto& ebook = images::sourceImage(Source::EbookBackground);
        test::writeFile(
            folder.path(QString::fromLatin1(ebook.fileName)),
            test::bmp8(240, 160, QByteArray(1024, char(255)), QByteArray(240 * 160, 0)));
        test::openInState(state, folder);
        window = std::make_unique<workbench::ui::WorkbenchWindow>(dialogs, state, folder.folder());
        window->show();
    }
    test::SourceFolder folder;
    test::ScriptedDialogs dialogs;
    ui::ProjectState state;
    std::unique_ptr<workbench::ui::WorkbenchWindow> window;
    QTemporaryDir elsewhere;
};

}  // namespace

class WorkbenchFramingTest : public QObject {
    Q_OBJECT

private slots:
    void theFrameChosenIsKeptAndShown();
    void theFrameMovesAndZoomsInTheDialog();
    void aTextColourIsChosenOnTheScreen_data();
    void aTextColourIsChosenOnTheScreen();
};

void WorkbenchFramingTest::theFrameChosenIsKeptAndShown() {
    Bench bench;
    QImage halves(320, 160, QImage::Format_RGB32);  // 2:1 into 3:2
    halves.fill(Qt::red);
    QPainter(&halves).fillRect(160, 0, 160, 160, Qt::blue);
    const QString path = bench.elsewhere.filePath(QStringLiteral("halves.png"));
    QVERIFY(halves.save(path));
    // The left half's middle at twice the covering size: 120×80 of red only.
    bench.dialogs.frameWith(ui::Framing{artwork::Fit::Cover, {25, 50, 200}});
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
void WorkbenchFramingTest::theFrameMovesAndZoomsInTheDialog() {
    const images::RgbaImage picture{320, 160, std::vector<std::uint8_t>(320 * 160 * 4, 255)};
    ui::FramingDialog dialog(picture, {QString(), QSize(240, 160), true, {}});
    QWidget* view = dialog.findChild<QWidget*>(QStringLiteral("framePicture"));
    for (int i = 0; i < 20; ++i) QTest::keyClick(view, Qt::Key_Left);
    QVERIFY(dialog.framing().frame == artwork::Frame({38, 50, 100}));
    QTest::keyClick(view, Qt::Key_Plus);  // 110 %: 68 % wide, the centre may go to 35
    QTest::keyClick(view, Qt::Key_Left, Qt::ShiftModifier);
    QVERIFY(dialog.framing().frame == artwork::Frame({35, 50, 110}));
}

void WorkbenchFramingTest::aTextColourIsChosenOnTheScreen_data() {
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<QStringList>("answers");  // offered when it does not read
    QTest::addColumn<QColor>("recorded");
    QTest::newRow("black reads on white") << QColor(0, 0, 0) << QStringList() << QColor(0, 0, 0);
    QTest::newRow("yellow does not: the nearest that does")
        << QColor(255, 255, 0)
        << QStringList{QStringLiteral("用 #9A9A00"), QStringLiteral("仍用所选颜色"),
                       QStringLiteral("取消")}
        << QColor(0x9A, 0x9A, 0);
}

void WorkbenchFramingTest::aTextColourIsChosenOnTheScreen() {
    QFETCH(QColor, chosen);
    QFETCH(QStringList, answers);
    QFETCH(QColor, recorded);
    Bench bench;
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

QTEST_MAIN(WorkbenchFramingTest)
#include "tst_workbench_framing.moc"
