#include "core/demo/demo_set.h"
#include "core/images/source_set.h"
#include "core/images/verification.h"
#include "core/messages/verification_text.h"
#include "support/fixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vireo;

namespace {

const QString kDemoDir = QStringLiteral(VIREO_DEMO_DIR);

QByteArray demoFile(const QString& name) {
    return test::readFile(kDemoDir + name);
}

}  // namespace

class DemoSetTest : public QObject {
    Q_OBJECT

private slots:
    // The committed folder is what the generator makes, and it passes verification.
    void regeneratingGivesTheCommittedBytes() {
        QStringList committed = QDir(kDemoDir).entryList(QDir::Files, QDir::Name);
        committed.removeOne(QStringLiteral("BACKIMG"));  // made by the README's walk-through
        QStringList made;
        for (const auto& [name, bytes] : demo::demoSourceSet()) {
            made << QString::fromStdString(name);
            QVERIFY2(
                test::fromBytes(bytes) == demoFile(made.last()),
                qPrintable(made.last() + QStringLiteral(" differs; run make-demo examples/demo")));
        }
        made.sort();
        QCOMPARE(made, committed);
        const auto run = images::verifySourceSet(kDemoDir.toStdString(), "/nonexistent");
        QCOMPARE(QString::fromStdString(verificationReport(run)),
                 QStringLiteral("校验全部通过，可以开始文件生成"));
    }

    // The player and the preview draw the first stored row at the top, so
    // the sky must come first in the file and the grass last.
    void backgroundIsStoredTopRowFirst() {
        const QByteArray bmp = demoFile(QStringLiteral("main256.bmp"));
        const auto colour = [&](int pixel) {  // blue, green, red of the pixel's palette entry
            return bmp.mid(
                int(images::kPaletteOffset) + 4 * quint8(bmp[int(images::kPixelOffset) + pixel]),
                3);
        };
        const QByteArray sky = colour(0), grass = colour(240 * 159);
        QVERIFY2(quint8(sky[0]) > quint8(sky[1]) && quint8(sky[0]) > quint8(sky[2]),
                 "first stored row is not sky blue");
        QVERIFY2(quint8(grass[1]) > quint8(grass[0]) && quint8(grass[1]) > quint8(grass[2]),
                 "last stored row is not green");
    }

    // Icons carry no palette in the skin: the player draws the 64×64 ones
    // with the main background's and the 16×16 ones with the directory tree's.
    void iconsUseTheirBackgroundsPalette() {
        for (const auto& image : images::kSourceSet) {
            if (image.width != 64 && image.width != 16) continue;
            const QString background = image.width == 64 ? QStringLiteral("main256.bmp")
                                                         : QStringLiteral("tree_main256.bmp");
            QVERIFY2(demoFile(QLatin1String(image.fileName)).mid(54, 1024) ==
                         demoFile(background).mid(54, 1024),
                     image.fileName);
        }
    }
};

QTEST_MAIN(DemoSetTest)
#include "tst_demo_set.moc"
