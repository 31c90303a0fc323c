#include "messages/error_text.h"
#include "skin/generation.h"
#include "skin/skin_layout.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cstring>
#include <iostream>

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
        // The record closes the file: its last byte is BACK's last byte.
        QCOMPARE(skin.back(), sources.files.at("BACK").back());
    }


    void replacesAnOlderLongerSkinWhole() {
        test::SourceFolder sources;
        const QString output = sources.path("BACKIMG");
        test::writeFile(output, QByteArray(200000, 'o'));
        QVERIFY(skin::generateSkin(sourcesIn(sources), output.toStdString()).ok());
        QCOMPARE(QFileInfo(output).size(), 182816);
    }

    void failureLeavesTheOldSkinAndNoStrayFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("newLength");  // -1: removed
        QTest::newRow("main background removed") << "main256.bmp" << -1;
        QTest::newRow("options icon one byte short") << "help256.bmp" << 5173;
        QTest::newRow("parent-folder icon removed") << "fu256.bmp" << -1;
        QTest::newRow("BACK one byte short") << "BACK" << 31;
    }
    void failureLeavesTheOldSkinAndNoStrayFile() {
        QFETCH(QString, file);
        QFETCH(int, newLength);
        test::SourceFolder sources;
        const QString output = sources.path("BACKIMG");
        const QByteArray old = test::randomBytes(1234, 8);
        test::writeFile(output, old);
        const QStringList before = entries(sources.dir.path());
        if (newLength < 0)
            QVERIFY(QFile::remove(sources.path(file)));
        else
            QVERIFY(QFile(sources.path(file)).resize(newLength));

        const auto result = skin::generateSkin(sourcesIn(sources), output.toStdString());
        QVERIFY(!result.ok());
        QCOMPARE(QString::fromStdString(result.error().path), sources.path(file));
        QCOMPARE(readFile(output), old);
        QStringList after = before;
        if (newLength < 0) after.removeOne(file);
        QCOMPARE(entries(sources.dir.path()), after);
    }

    void readOnlyFolderLeavesTheOldSkin() {
        test::SourceFolder sources;
        test::openToOthers(sources.dir.path());
        for (const auto& [name, bytes] : sources.files)
            QFile::setPermissions(sources.path(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                          QFileDevice::ReadOther);
        const QString output = sources.path("BACKIMG");
        test::writeFile(output, "old");

        // The folder belongs to root, so nobody may read the sources but not write beside them.
        const auto answer = test::runSelfAsNobody({"--generate", sources.folder()});
        if (!answer) QSKIP("needs root and setpriv to write as another user; root writes anywhere");
        QCOMPARE(answer->trimmed(), ("没有权限写入文件：" + output).toUtf8());
        QCOMPARE(readFile(output), QByteArray("old"));
        QCOMPARE(entries(sources.dir.path()).size(), int(sources.files.size()) + 1);
    }
};

int main(int argc, char* argv[]) {
    // Child mode for the permission check: generate into a folder and say what happened.
    if (argc == 3 && std::strcmp(argv[1], "--generate") == 0) {
        const std::string folder = argv[2];
        const auto result = skin::generateSkin({images::derivePaths(folder), folder + "BACK"},
                                               folder + "BACKIMG");
        std::cout << (result ? std::string("ok") : describe(result.error())) << std::endl;
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestGeneration test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_generation.moc"
