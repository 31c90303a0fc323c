#include "demo/demo_set.h"
#include "images/source_set.h"
#include "images/verification.h"
#include "skin/generation.h"
#include "support/fixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vireo;

namespace {

const QString kDemoDir = QStringLiteral(VIREO_DEMO_DIR);

QByteArray toQt(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()));
}

QByteArray demoFile(const char* name) {
    return test::readFile(kDemoDir + QLatin1String(name));
}

// Red, green and blue of palette entry `index` of an 8-bit BMP.
std::array<int, 3> colourOf(const QByteArray& bmp, int index) {
    const int at = int(images::kPaletteOffset) + 4 * index;
    return {quint8(bmp[at + 2]), quint8(bmp[at + 1]), quint8(bmp[at])};
}

}  // namespace

class DemoSetTest : public QObject {
    Q_OBJECT

private slots:
    void regeneratingGivesTheCommittedBytes() {
        QTemporaryDir dir;
        const auto written = demo::writeDemoSourceSet(dir.path().toStdString());
        QVERIFY(written.ok());
        QStringList committed = QDir(kDemoDir).entryList(QDir::Files, QDir::Name);
        committed.removeOne(QStringLiteral("BACKIMG"));  // made by the README's walk-through
        const QStringList fresh = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(committed, fresh);
        for (const QString& name : fresh) {
            const QByteArray expected = test::readFile(kDemoDir + name);
            QVERIFY2(test::readFile(dir.filePath(name)) == expected,
                     qPrintable(name + QStringLiteral(" differs; run make-demo examples/demo")));
        }
    }

    void committedFolderPassesVerification() {
        const auto run = images::verifySourceSet(kDemoDir.toStdString(), "/nonexistent");
        QCOMPARE(QString::fromStdString(run.report), QString::fromUtf8(images::kPassedReport));
        QCOMPARE(run.settingsPath, (kDemoDir + QStringLiteral("BACK")).toStdString());
    }

    void settingsHoldTheDefaults_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::newRow("list text blue") << 2 << 255;
        QTest::newRow("list text red") << 0 << 0;
        QTest::newRow("spare byte 3") << 3 << 0;
        QTest::newRow("selected text blue") << 6 << 0;
        QTest::newRow("spare byte 15") << 15 << 0;
        QTest::newRow("movie X") << 16 << 12;
        QTest::newRow("movie Y") << 17 << 26;
        QTest::newRow("picture-browser X") << 20 << 164;
        QTest::newRow("game Y") << 23 << 86;
        QTest::newRow("options X") << 26 << 164;
        QTest::newRow("options Y") << 27 << 86;
        QTest::newRow("file list X") << 28 << 30;
        QTest::newRow("file list Y") << 29 << 30;
        QTest::newRow("hint flag") << 30 << 0;
        QTest::newRow("hint flag copy") << 31 << 0;
    }
    void settingsHoldTheDefaults() {
        QFETCH(int, offset);
        QFETCH(int, value);
        const QByteArray back = demoFile("BACK");
        QCOMPARE(back.size(), 32);
        QCOMPARE(int(quint8(back[offset])), value);
    }

    // The player and the preview draw the first stored row at the top, so
    // the sky must come first in the file and the grass last.
    void backgroundIsStoredTopRowFirst() {
        const QByteArray bmp = demoFile("main256.bmp");
        const int firstRow = quint8(bmp[images::kPixelOffset]);
        const int lastRow = quint8(bmp[images::kPixelOffset + 240 * 159]);
        const auto sky = colourOf(bmp, firstRow);
        const auto grass = colourOf(bmp, lastRow);
        QVERIFY2(sky[2] > sky[0] && sky[2] > sky[1], "first stored row is not sky blue");
        QVERIFY2(grass[1] > grass[0] && grass[1] > grass[2], "last stored row is not green");
    }

    // Icons carry no palette in the skin: the player draws them with the
    // background's, so their own colour tables must be that one.
    void iconsUseTheirBackgroundsPalette_data() {
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("background");
        for (const auto& image : images::kSourceSet) {
            if (image.width == 64)
                QTest::newRow(image.fileName) << QString::fromLatin1(image.fileName) << QStringLiteral("main256.bmp");
            if (image.width == 16)
                QTest::newRow(image.fileName) << QString::fromLatin1(image.fileName) << QStringLiteral("tree_main256.bmp");
        }
    }
    void iconsUseTheirBackgroundsPalette() {
        QFETCH(QString, icon);
        QFETCH(QString, background);
        const QByteArray a = test::readFile(kDemoDir + icon).mid(images::kPaletteOffset, 1024);
        const QByteArray b = test::readFile(kDemoDir + background).mid(images::kPaletteOffset, 1024);
        QCOMPARE(a.size(), 1024);
        QCOMPARE(a, b);
    }

    void demoMakesASkin() {
        skin::SkinSources sources{images::derivePaths(kDemoDir.toStdString()),
                                  (kDemoDir + QStringLiteral("BACK")).toStdString()};
        const auto skin = skin::assembleSkin(sources);
        QVERIFY(skin.ok());
        QCOMPARE(toQt(skin.value()).right(32), demoFile("BACK"));
    }
};

QTEST_MAIN(DemoSetTest)
#include "tst_demo_set.moc"
