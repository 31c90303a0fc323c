// Skin packages through the real program, checked against real zip clients
// (zip, unzip, zipinfo, sha256sum) and against zips made byte by byte.

#include "core/images/source_set.h"
#include "project_fixture.h"
#include "support/fixtures.h"
#include "zip_maker.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace vireo;

namespace {

test::Run run(const QStringList& arguments, const QString& workingDir = {}) {
    return test::runProgram(QStringLiteral(VIREO_SKIN_PROGRAM), arguments, workingDir);
}

// The files of a project folder a package must carry, by name inside it:
// all but the built skin, the manifest and the byte table.
std::map<QString, QByteArray> projectFiles(const QString& folder) {
    std::map<QString, QByteArray> files;
    const QDir dir(folder);
    for (const auto& [path, bytes] : test::snapshot(folder))
        files[dir.relativeFilePath(path)] = bytes;
    for (const char* name : {"BACKIMG", "skin.json", "ASCII"}) files.erase(name);
    return files;
}

// The twelve random sources and BACK as zip entries, the base of a hostile zip.
QList<test::ZipEntry> sourceEntries(const test::SourceFolder& sources) {
    QList<test::ZipEntry> entries;
    for (const images::SourceImage& image : images::kSourceSet)
        entries.push_back({image.fileName, test::readFile(sources.path(image.fileName))});
    entries.push_back({"BACK", test::readFile(sources.path("BACK"))});
    return entries;
}

}  // namespace

class TestPackage : public QObject {
    Q_OBJECT

private slots:
    void aPackageOpensByteForByteAndNothingIsStale() {
        test::ProjectFolder folder;
        QTemporaryDir work;
        const QString package = work.filePath("demo.vskin");
        const test::Run packed = run({"pack", folder.folder(), "-o", package, "--name", "演示",
                                      "--author", "作者", "--licence", "CC-BY-4.0"});
        QVERIFY2(packed.status == 0, qPrintable(packed.err));
        const QString out = work.filePath("opened");
        const test::Run unpacked = run({"unpack", package, "-o", out});
        QVERIFY2(unpacked.status == 0, qPrintable(unpacked.err));
        QVERIFY(unpacked.out.contains("作者：作者"));
        const test::Run inspected = run({"inspect", package});
        QVERIFY2(inspected.out.contains("名称：演示\n作者：作者\n许可：CC-BY-4.0\n"),
                 qPrintable(inspected.out));
        QCOMPARE(projectFiles(out), projectFiles(folder.folder()));
        // The packed skin is the one the project itself builds.
        QVERIFY(folder.project->generate(work.filePath("BACKIMG").toStdString()).ok());
        QCOMPARE(test::readFile(out + "/BACKIMG"), test::readFile(work.filePath("BACKIMG")));
        const test::Run update = run({"update", out});
        QCOMPARE(update.out.trimmed(), QStringLiteral("没有需要更新的源图片"));
        // Packed again from the opened folder, the manifest comes along.
        const test::Run again = run({"pack", out, "-o", work.filePath("again.vskin")});
        QCOMPARE(again.status, 0);
        QCOMPARE(test::readFile(work.filePath("again.vskin")), test::readFile(package));
    }

    void theSameFolderGivesTheSameBytesThatRealClientsRead() {
        test::ProjectFolder folder;
        QTemporaryDir work;
        const QString first = work.filePath("one.vskin");
        QCOMPARE(run({"pack", folder.folder(), "-o", first}).status, 0);
        // A copy made later, every file with new times and inodes.
        QTest::qWait(1100);
        const QString copy = work.filePath("copy");
        QCOMPARE(test::runProgram("cp", {"-r", folder.dir.path(), copy}).status, 0);
        const QString second = work.filePath("two.vskin");
        QCOMPARE(
            run({"pack", copy, "-o", second, "--name", QFileInfo(folder.dir.path()).fileName()})
                .status,
            0);
        QCOMPARE(test::readFile(second), test::readFile(first));

        QCOMPARE(test::runProgram("unzip", {"-tq", first}).status, 0);
        const test::Run info = test::runProgram("zipinfo", {"-v", first});
        QCOMPARE(info.out.count("length of extra field:                          0 bytes"), 29);
        QCOMPARE(info.out.count("1980 Jan 1 00:00:00"), 29);
        // Each digest in the manifest is the one sha256sum gives for the entry.
        const QJsonObject manifest =
            QJsonDocument::fromJson(
                test::runProgram("unzip", {"-p", first, "skin.json"}).out.toUtf8())
                .object();
        const QJsonObject digests = manifest["sha256"].toObject();
        QCOMPARE(digests.size(), 28);
        const QString sum = test::runProgram("sh", {"-c", "cd '" + folder.dir.path() +
                                                              "' && sha256sum art/movie256.png"})
                                .out.section(' ', 0, 0);
        QCOMPARE(digests["art/movie256.png"].toString(), sum);
    }

    void aZipMadeByHandOpens_data() {
        QTest::addColumn<bool>("inOneFolder");
        QTest::newRow("files at the root") << false;
        QTest::newRow("files in one folder") << true;
    }
    void aZipMadeByHandOpens() {
        QFETCH(bool, inOneFolder);
        test::ProjectFolder folder;
        QTemporaryDir work;
        const QString zip = work.filePath("hand.zip");
        const QString parent = QFileInfo(folder.dir.path()).absolutePath();
        const QString name = QFileInfo(folder.dir.path()).fileName();
        const test::Run zipped =
            inOneFolder ? test::runProgram("zip", {"-qr", zip, name}, parent)
                        : test::runProgram("zip", {"-qr", zip, "."}, folder.dir.path());
        QCOMPARE(zipped.status, 0);
        const QString out = work.filePath("opened");
        const test::Run unpacked = run({"unpack", zip, "-o", out});
        QVERIFY2(unpacked.status == 0, qPrintable(unpacked.err));
        QCOMPARE(projectFiles(out), projectFiles(folder.folder()));
        // inspect and render read the skin in it too.
        QCOMPARE(run({"inspect", zip}).status, 0);
        QCOMPARE(run({"render", zip, "-o", work.filePath("main.png")}).status, 0);
        QVERIFY(test::readFile(work.filePath("main.png")).startsWith("\x89PNG"));
    }

    void aPackageIsNeverMadeOfAFolderThatIsNotReady_data() {
        QTest::addColumn<QString>("reason");
        QTest::newRow("an original changed") << QString("已过时");
        QTest::newRow("a source cut short") << QString("校验未通过");
    }
    void aPackageIsNeverMadeOfAFolderThatIsNotReady() {
        QFETCH(QString, reason);
        test::ProjectFolder folder;
        if (QTest::currentDataTag() == QLatin1String("an original changed"))
            test::writeRoundIcon(folder.path("art/movie256.png"), Qt::blue);
        else
            test::writeFile(folder.path("fu256.bmp"),
                            test::readFile(folder.path("fu256.bmp")).left(100));
        QTemporaryDir work;
        const test::Run packed = run({"pack", folder.folder(), "-o", work.filePath("p.vskin")});
        QCOMPARE(packed.status, 1);
        QVERIFY2(packed.err.contains(reason), qPrintable(packed.err));
        QCOMPARE(test::entries(work.path()), QStringList());
    }

    // Each row: what is wrong (its tag), the entry the refusal names and its words.
    void aHostilePackageIsRefusedWithNothingWritten_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("words");
        const auto row = test::textRow;
        row("dotdot", "../evil", "路径指向目标文件夹之外");
        row("absolute", "/tmp/evil", "路径指向目标文件夹之外");
        row("backslash", "..\\\\evil", "路径指向目标文件夹之外");
        row("link", "art/main256.png", "是符号链接");
        row("device", "art/main256.png", "是设备");
        row("duplicate", "BACK", "与另一个条目同名");
        row("case", "MAIN256.BMP", "与另一个条目同名");
        row("control", "a\\x1bb", "控制字符");
        row("many", "", "条目数超过");
        row("length", "main256.bmp", "长度与这种文件要求的长度不符");
        row("large", "art/main256.png", "超过这种文件允许的大小");
        row("bomb", "art/main256.png", "超过这种文件允许的大小");
        row("encrypted", "BACK", "已加密");
        row("crc", "BACK", "校验和（CRC）不符");
        row("cut", "", "结尾被截断");
        row("nozip", "", "错误的BACKIMG文件");
        row("digest", "BACK", "SHA-256 不符");
        row("missing", "tree_main256.bmp", "缺失");
    }
    void aHostilePackageIsRefusedWithNothingWritten() {
        const QString kind = QTest::currentDataTag();
        QFETCH(QString, entry);
        QFETCH(QString, words);
        const test::SourceFolder sources;
        QList<test::ZipEntry> entries = sourceEntries(sources);
        const QByteArray back = entries.last().data;
        const auto add = [&](test::ZipEntry one) { entries.push_back(std::move(one)); };
        if (kind == "dotdot") add({"../evil", "x"});
        if (kind == "absolute") add({"/tmp/evil", "x"});
        if (kind == "backslash") add({"..\\evil", "x"});
        if (kind == "link") add({"art/main256.png", "/etc/passwd", false, std::nullopt, 0120777});
        if (kind == "device") add({"art/main256.png", "", false, std::nullopt, 020644});
        if (kind == "duplicate") add({"BACK", back});
        if (kind == "case") add({"MAIN256.BMP", entries.first().data});
        if (kind == "control")
            add(
                {"a\x1b"
                 "b",
                 "x"});
        if (kind == "many")
            for (int i = 0; i < 20; ++i) add({"extra" + QByteArray::number(i), "x"});
        if (kind == "length") entries[0].data.chop(1);
        // 65 MiB of zeros deflate to a few kilobytes.
        const QByteArray zeros(65 * 1024 * 1024, '\0');
        if (kind == "large") add({"art/main256.png", zeros, true});
        if (kind == "bomb") add({"art/main256.png", zeros, true, 1000});
        if (kind == "encrypted") entries.last().flags = 1;
        if (kind == "crc") entries.last().crc = 0x12345678;
        if (kind == "missing") entries.removeAt(1);
        if (kind == "digest") {
            QByteArray manifest =
                "{\"name\":\"x\",\"sha256\":{\"BACK\":\"" + QByteArray(64, '0') + "\"}}";
            add({"skin.json", manifest});
        }
        QByteArray zip = test::makeZip(entries);
        if (kind == "cut") zip.chop(zip.size() / 2);
        if (kind == "nozip") zip = QByteArray(1000, 'x');

        QTemporaryDir work;
        const QString package = work.filePath("bad.vskin");
        test::writeFile(package, zip);
        const test::Run unpacked = run({"unpack", package, "-o", work.filePath("out")});
        QCOMPARE(unpacked.status, 1);
        QVERIFY2(unpacked.err.contains(words), qPrintable(unpacked.err));
        QVERIFY2(unpacked.err.contains(entry), qPrintable(unpacked.err));
        QCOMPARE(unpacked.err.count('\n'), 1);
        QCOMPARE(test::entries(work.path()), QStringList{"bad.vskin"});
        QVERIFY(!QFile::exists("/tmp/evil"));
    }
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
