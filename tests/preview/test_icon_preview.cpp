#include "app/ui/main_window.h"
#include "images/source_set.h"
#include "preview/ui/icon_preview.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace vireo;
using vireo::test::writeFile;

namespace {

// The boxes in order with the picture each shows.
const char* const kPictures[] = {"main256.bmp",  "movie256.bmp", "music256.bmp", "ebook256.bmp",
                                 "game256.bmp",  "help256.bmp",  "image256.bmp"};

struct Rig {
    test::SourceFolder source;
    QTemporaryDir current;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<ui::MainWindow> window;
    ui::IconPreview* preview = nullptr;

    Rig() {
        window = std::make_unique<ui::MainWindow>(dialogs, current.path());
        preview = window->findChild<ui::IconPreview*>();
        if (!preview) qFatal("no preview");
        window->show();
        dialogs.choose(source.path(QStringLiteral("main256.bmp")));
        window->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    }

    QLabel* box(int i) const {
        return window->findChild<QLabel*>(QStringLiteral("image%1").arg(i + 1));
    }
    QLineEdit* edit(const char* name) const {
        return window->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QString picture(int i) const { return source.path(QString::fromLatin1(kPictures[i])); }
    bool anyBoxVisible() const {
        for (int i = 0; i < 7; ++i)
            if (box(i)->isVisible()) return true;
        return false;
    }
};

// The box shows its picture file upside down, pixel for pixel.
void compareMirrored(QWidget* box, const QString& path) {
    const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage file = QImage(path).convertToFormat(QImage::Format_RGB32);
    QVERIFY(file != file.mirrored(false, true));  // so that the comparison means something
    QCOMPARE(shown.size(), file.size());
    QVERIFY(shown == file.mirrored(false, true));
}

}  // namespace

class IconPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void closedAtStart();
    void iconsStandAtTheTypedPositions();
    void everyPictureIsMirrored();
    void eachPressLoadsThePicturesAfresh();
    void closeHidesTheBoxesAndItself();
    void badPositionLeavesThePreview_data();
    void badPositionLeavesThePreview();
    void unloadablePictureLeavesThePreview();
};

void IconPreviewTest::closedAtStart() {
    Rig rig;
    QVERIFY(!rig.anyBoxVisible());
    QVERIFY(!rig.preview->Command12->isVisibleTo(rig.window.get()));
    QVERIFY(rig.preview->Command7->isVisibleTo(rig.window.get()));
    QCOMPARE(rig.preview->Command7->parentWidget()->objectName(), QStringLiteral("Frame2"));
    QCOMPARE(rig.box(0)->parentWidget(), rig.window.get());
}

void IconPreviewTest::iconsStandAtTheTypedPositions() {
    Rig rig;
    rig.edit("xdy1")->setText(QStringLiteral("0"));
    rig.edit("ydy1")->setText(QStringLiteral("0"));
    rig.edit("xyy1")->setText(QStringLiteral(" 20.4"));
    rig.edit("yyy1")->setText(QStringLiteral("-3"));
    rig.edit("xdzs11")->setText(QStringLiteral("88"));
    rig.edit("ydzs1")->setText(QStringLiteral("86"));
    rig.edit("xyx1")->setText(QStringLiteral("12"));
    rig.edit("yyx1")->setText(QStringLiteral("86"));
    rig.edit("xxx1")->setText(QStringLiteral("300"));  // no range check: off the background
    rig.edit("yxx1")->setText(QStringLiteral("86"));
    rig.edit("xtp1")->setText(QStringLiteral("164"));
    rig.edit("ytp1")->setText(QStringLiteral("26"));
    rig.preview->Command7->click();

    QVERIFY(rig.dialogs.messages.isEmpty());
    QCOMPARE(rig.box(0)->geometry(), QRect(0, 0, 240, 160));
    const QPoint expected[] = {{0, 0}, {20, -3}, {88, 86}, {12, 86}, {300, 86}, {164, 26}};
    for (int i = 1; i < 7; ++i) {
        QCOMPARE(rig.box(i)->geometry(), QRect(expected[i - 1], QSize(64, 64)));
        QVERIFY(rig.box(i)->isVisible());
    }
    QVERIFY(rig.preview->Command12->isVisible());

    // In front: the background over the path labels, the icons over the background.
    QCOMPARE(rig.window->childAt(100, 12), rig.box(0));
    QCOMPARE(rig.window->childAt(120, 100), rig.box(3));
    QCOMPARE(rig.window->childAt(320, 100), rig.box(5));
}

void IconPreviewTest::everyPictureIsMirrored() {
    Rig rig;
    rig.preview->Command7->click();
    for (int press = 0; press < 2; ++press) {  // the second press does not mirror back
        if (press) rig.preview->Command7->click();
        for (int i = 0; i < 7 && !QTest::currentTestFailed(); ++i)
            compareMirrored(rig.box(i), rig.picture(i));
    }
}

void IconPreviewTest::eachPressLoadsThePicturesAfresh() {
    Rig rig;
    rig.preview->Command7->click();
    const auto& movie = images::sourceImage(images::Source::MovieIcon);
    writeFile(rig.picture(1), test::bmp8(movie.width, movie.height, test::randomBytes(1024, 90),
                                         test::randomBytes(64 * 64, 91)));
    rig.preview->Command7->click();
    compareMirrored(rig.box(1), rig.picture(1));
}

void IconPreviewTest::closeHidesTheBoxesAndItself() {
    Rig rig;
    rig.preview->Command7->click();
    rig.preview->Command12->click();
    QVERIFY(!rig.anyBoxVisible());
    QVERIFY(!rig.preview->Command12->isVisible());
    QVERIFY(rig.preview->Command7->isVisible());
}

void IconPreviewTest::badPositionLeavesThePreview_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("words") << QStringLiteral("左边");
    QTest::newRow("two numbers") << QStringLiteral("1 2");
}

void IconPreviewTest::badPositionLeavesThePreview() {
    QFETCH(QString, text);
    Rig rig;
    rig.edit("ytp1")->setText(text);
    rig.preview->Command7->click();
    QCOMPARE(rig.dialogs.messages,
             QStringList{QStringLiteral("图片浏览 Y 轴数据不是数字，无法预览")});
    QVERIFY(!rig.anyBoxVisible());
    QVERIFY(!rig.preview->Command12->isVisible());

    // Shown, a bad press moves nothing.
    rig.edit("xdy1")->setText(QStringLiteral("12"));
    rig.edit("ydy1")->setText(QStringLiteral("26"));
    rig.edit("xtp1")->setText(QStringLiteral("164"));
    rig.edit("ytp1")->setText(QStringLiteral("5"));
    rig.preview->Command7->click();
    rig.edit("xdy1")->setText(QStringLiteral("40"));
    rig.edit("ytp1")->setText(text);
    rig.preview->Command7->click();
    QCOMPARE(rig.box(1)->pos(), QPoint(12, 26));
    QCOMPARE(rig.box(6)->pos(), QPoint(164, 5));
    QCOMPARE(rig.window->focusWidget(), rig.edit("ytp1"));
}

void IconPreviewTest::unloadablePictureLeavesThePreview() {
    Rig rig;
    QFile::remove(rig.picture(4));
    rig.preview->Command7->click();
    QCOMPARE(rig.dialogs.messages, QStringList{QStringLiteral("无法载入FC游戏图标：") + rig.picture(4)});
    QVERIFY(!rig.anyBoxVisible());
    QVERIFY(!rig.preview->Command12->isVisible());
}

QTEST_MAIN(IconPreviewTest)
#include "test_icon_preview.moc"
