// The skin assembled from bytes in memory is the one assembled from the same
// files (whose regions tst_generation checks by hand), and a source too short
// for its regions is refused by name instead of being read past its end. The
// skin assembled in memory is drawn without a file.
#include "images/source_set.h"
#include "skin/generation.h"
#include "skin/screen.h"
#include "skin/skin_file.h"
#include "support/fixtures.h"

#include <QTest>

using namespace vireo;

class SkinBytesTest : public QObject {
    Q_OBJECT

private slots:
    void bytesGiveTheFilesSkin_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("length");  // the file's new length; shorter ones are refused
        QTest::newRow("as written") << "BACK" << 32;
        QTest::newRow("background one byte short") << "main256.bmp" << 39477;
        QTest::newRow("background one byte longer") << "music_main256.bmp" << 39479;
        QTest::newRow("options icon one byte short") << "help256.bmp" << 5173;
        QTest::newRow("small icon ending before its pixels") << "fu256.bmp" << 1077;
        QTest::newRow("BACK of 31 bytes") << "BACK" << 31;
        QTest::newRow("BACK of 33 bytes") << "BACK" << 33;
    }
    void bytesGiveTheFilesSkin() {
        QFETCH(QString, name);
        QFETCH(int, length);
        test::SourceFolder folder(3);
        const auto fromFiles = skin::assembleSkin(skin::SkinSources{
            images::derivePaths(folder.folder().toStdString()), folder.path("BACK").toStdString()});
        QVERIFY(fromFiles.ok());
        const bool accepted = length >= folder.files.at(name).size();
        folder.files.at(name).resize(length, '\xEE');

        const auto toBytes = [&](const QString& file) {
            const QByteArray& bytes = folder.files.at(file);
            return Bytes(bytes.begin(), bytes.end());
        };
        skin::SkinSourceBytes sources{{}, toBytes("BACK")};
        for (std::size_t i = 0; i < images::kSourceCount; ++i)
            sources.pictures[i] = toBytes(QString::fromLatin1(images::kSourceSet[i].fileName));
        const auto fromBytes = skin::assembleSkin(sources);
        QCOMPARE(fromBytes.ok(), accepted);
        if (accepted) {
            QVERIFY(fromBytes.value() == fromFiles.value());  // bytes beyond the regions are never copied
            // A window draws a skin assembled in memory, no file on the way.
            const auto drawn = skin::skinFileOf(fromBytes.value(), {});
            QVERIFY(drawn.ok());
            const QByteArray& tree = folder.files.at("tree_main256.bmp");
            const auto entry = [&](int i) { return std::uint32_t(quint8(tree[54 + 4 * quint8(tree[1078]) + i])); };
            QCOMPARE(skin::renderScreen(drawn.value(), skin::Screen::Tree).at(0, 0),
                     0xFF000000u | entry(2) << 16 | entry(1) << 8 | entry(0));
        } else {
            QCOMPARE(fromBytes.error().kind, Error::Kind::ShortRead);
            QCOMPARE(QString::fromStdString(fromBytes.error().path), name);
        }
    }
};

QTEST_MAIN(SkinBytesTest)
#include "tst_skin_bytes.moc"
