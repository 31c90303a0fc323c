#include "support/window_fixture.h"

#include <QFile>
#include <QTest>

using namespace vireo;

namespace {

// The picture of image1 to image7, in order, and its position boxes (none for the background).
const char* const kPictures[] = {"main256.bmp", "movie256.bmp", "music256.bmp", "ebook256.bmp",
                                 "game256.bmp", "help256.bmp",  "image256.bmp"};
const char* const kBoxes[][2] = {{nullptr, nullptr},  {"xdy1", "ydy1"}, {"xyy1", "yyy1"},
                                 {"xdzs11", "ydzs1"}, {"xyx1", "yyx1"}, {"xxx1", "yxx1"},
                                 {"xtp1", "ytp1"}};

struct Rig : test::WindowFixture {
    Rig() { openSources(); }
    QLabel* image(int i) const {
        return window->findChild<QLabel*>(QStringLiteral("image%1").arg(i + 1));
    }
    QString picture(int i) const { return source.path(kPictures[i]); }
    void type(int i, const QString& x, const QString& y) {
        box(kBoxes[i][0])->setText(x);
        box(kBoxes[i][1])->setText(y);
    }
    bool shown() const {
        bool any = button("Command12")->isVisible();
        for (int i = 0; i < 7; ++i) any = any || image(i)->isVisible();
        return any;
    }
};

}  // namespace

class IconPreviewTest : public QObject {
    Q_OBJECT

private slots:
    // Positions are rounded to the nearest pixel with no range check; the
    // background stands over the path labels, the icons over the background.
    void iconsStandAtTheTypedPositions() {
        Rig rig;
        const QPoint typed[] = {{0, 0}, {0, 0}, {21, -3}, {88, 86}, {12, 86}, {300, 86}, {164, 26}};
        for (int i = 1; i < 7; ++i)
            rig.type(i, QString::number(typed[i].x()), QString::number(typed[i].y()));
        rig.type(2, " 20.6", "-3");
        rig.button("Command7")->click();
        QVERIFY(rig.dialogs.messages.isEmpty());
        QCOMPARE(rig.image(0)->geometry(), QRect(0, 0, 240, 160));
        for (int i = 1; i < 7; ++i)
            QCOMPARE(rig.image(i)->geometry(), QRect(typed[i], QSize(64, 64)));
        QCOMPARE(rig.window->childAt(100, 12), rig.image(0));
        QCOMPARE(rig.window->childAt(120, 100), rig.image(3));
        QVERIFY(rig.button("Command12")->isVisible());
        rig.button("Command12")->click();
        QVERIFY(!rig.shown());
    }

    // A second press loads the files again and does not mirror back.
    void eachPressShowsFreshMirroredPictures() {
        Rig rig;
        rig.button("Command7")->click();
        test::writeFile(rig.picture(1), test::bmp8(64, 64, test::randomBytes(1024, 90),
                                                   test::randomBytes(64 * 64, 91)));
        rig.button("Command7")->click();
        for (int i = 0; i < 7; ++i) {
            const QImage file =
                QImage(rig.picture(i)).convertToFormat(QImage::Format_RGB32).mirrored(false, true);
            QCOMPARE(rig.image(i)->grab().toImage().convertToFormat(QImage::Format_RGB32), file);
        }
    }

    // A refused press shows nothing and moves nothing, be it a position that
    // is no number or a picture that cannot be loaded.
    void badInputLeavesThePreview() {
        Rig rig;
        rig.type(1, "12", "26");
        rig.button("Command7")->click();
        rig.button("Command12")->click();
        rig.type(1, "40", "40");
        rig.type(6, "164", "");
        rig.button("Command7")->click();
        QCOMPARE(rig.window->focusWidget(), rig.box("ytp1"));
        rig.type(6, "164", "7");
        QFile::remove(rig.picture(4));
        rig.button("Command7")->click();
        QCOMPARE(rig.dialogs.messages.size(), 2);
        QCOMPARE(rig.dialogs.messages[0], QStringLiteral("图片浏览 Y 轴数据不是数字，无法预览"));
        QVERIFY(rig.dialogs.messages[1].startsWith(QStringLiteral("无法载入FC游戏图标：")));
        QVERIFY(!rig.shown());
        QCOMPARE(rig.image(1)->pos(), QPoint(12, 26));
    }
};

QTEST_MAIN(IconPreviewTest)
#include "tst_icon_preview.moc"
