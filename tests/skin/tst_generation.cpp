#include "images/source_set.h"
#include "skin/generation.h"
#include "skin/screen.h"
#include "skin/skin_file.h"
#include "skin/skin_layout.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace vireo;
using test::entries;
using test::readFile;

namespace {

// The skin written out by hand, independent of the code's table: where each
// region lands, which file it comes from and from which offset.
struct Expected {
    int offset;
    int length;
    const char* file;
    int from;
};
const Expected kExpected[] = {
    {0, 1024, "main256.bmp", 54},
    {1024, 38400, "main256.bmp", 1078},
    {39424, 4096, "movie256.bmp", 1078},
    {43520, 4096, "music256.bmp", 1078},
    {47616, 4096, "image256.bmp", 1078},
    {51712, 4096, "game256.bmp", 1078},
    {55808, 4096, "ebook256.bmp", 1078},
    {59904, 1024, "tree_main256.bmp", 54},
    {60928, 38400, "tree_main256.bmp", 1078},
    {99328, 256, "ft256.bmp", 1078},
    {99584, 256, "fu256.bmp", 1078},
    {99840, 1024, "ebook_main256.bmp", 54},
    {100864, 38400, "ebook_main256.bmp", 1078},
    {139264, 1024, "music_main256.bmp", 54},
    {140288, 38400, "music_main256.bmp", 1078},
    {178688, 4096, "help256.bmp", 1078},
    {182784, 32, "BACK", 0},
};

skin::SkinSources sourcesIn(const test::SourceFolder& folder) {
    return {images::derivePaths(folder.folder().toStdString()), folder.path("BACK").toStdString()};
}

}  // namespace

class TestGeneration : public QObject {
    Q_OBJECT

private slots:
    void everyRegionIsItsSourceBytes() {
        test::SourceFolder sources(42);
        const QString output = sources.path("BACKIMG");
        test::writeFile(output, QByteArray(200000, 'o'));  // an older, longer skin is replaced whole
        QVERIFY(skin::generateSkin(sourcesIn(sources), output.toStdString()).ok());

        const QByteArray skin = readFile(output);
        QCOMPARE(skin.size(), 182816);
        int next = 0;
        for (const Expected& region : kExpected) {
            QCOMPARE(region.offset, next);  // no gap, no overlap
            const QByteArray source = sources.files.at(region.file);
            QVERIFY2(skin.mid(region.offset, region.length) == source.mid(region.from, region.length),
                     qPrintable(QString("%1 at %2").arg(region.file).arg(region.offset)));
            next = region.offset + region.length;
        }
        QCOMPARE(next, skin.size());
    }

    // From files or from bytes in memory: a source too short for its regions
    // is refused by name instead of being read past its end, leaving the old
    // skin and no stray file; bytes beyond the regions are never copied. A skin
    // assembled in memory is drawn without a file on the way.
    void sameSkinFromFilesOrBytes_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("length");  // -1: removed
        QTest::newRow("background one byte longer") << "music_main256.bmp" << 39479;
        QTest::newRow("BACK of 33 bytes") << "BACK" << 33;
        QTest::newRow("options icon one byte short") << "help256.bmp" << 5173;
        QTest::newRow("small icon ending before its pixels") << "fu256.bmp" << 1077;
        QTest::newRow("parent-folder icon removed") << "fu256.bmp" << -1;
        QTest::newRow("BACK one byte short") << "BACK" << 31;
    }
    void sameSkinFromFilesOrBytes() {
        QFETCH(QString, file);
        QFETCH(int, length);
        test::SourceFolder sources(3);
        const QString output = sources.path("BACKIMG");
        const QByteArray old = test::randomBytes(1234, 8);
        test::writeFile(output, old);
        QStringList after = entries(sources.dir.path());
        const bool accepted = length >= sources.files.at(file).size();
        sources.files.at(file).resize(qMax(length, 0), '\xEE');
        if (length < 0) {
            QVERIFY(QFile::remove(sources.path(file)));
            after.removeOne(file);
        } else {
            test::writeFile(sources.path(file), sources.files.at(file));
        }
        skin::SkinSourceBytes bytes{{}, test::toBytes(sources.files.at("BACK"))};
        for (std::size_t i = 0; i < images::kSourceCount; ++i)
            bytes.pictures[i] = test::toBytes(sources.files.at(QString::fromLatin1(images::kSourceSet[i].fileName)));

        const auto fromFiles = skin::generateSkin(sourcesIn(sources), output.toStdString());
        const auto fromBytes = skin::assembleSkin(bytes);
        QCOMPARE(fromFiles.ok(), accepted);
        QCOMPARE(fromBytes.ok(), accepted);
        if (accepted) {
            QCOMPARE(test::toBytes(readFile(output)), fromBytes.value());
            const QByteArray& tree = sources.files.at("tree_main256.bmp");
            const auto entry = [&](int i) { return std::uint32_t(quint8(tree[54 + 4 * quint8(tree[1078]) + i])); };
            QCOMPARE(skin::renderScreen(skin::skinFileOf(fromBytes.value(), {}).value(), skin::Screen::Tree).at(0, 0),
                     0xFF000000u | entry(2) << 16 | entry(1) << 8 | entry(0));
            return;
        }
        QCOMPARE(QString::fromStdString(fromFiles.error().path), sources.path(file));
        QCOMPARE(readFile(output), old);
        QCOMPARE(entries(sources.dir.path()), after);
        QCOMPARE(fromBytes.error().kind, Error::Kind::ShortRead);
        QCOMPARE(QString::fromStdString(fromBytes.error().path), file);
    }
};

QTEST_GUILESS_MAIN(TestGeneration)
#include "tst_generation.moc"
