#include "project/project_fixture.h"
#include "support/fixtures.h"

#include <QDir>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <cstdio>

#include <unistd.h>

using namespace vireo;

namespace {

test::Run vireoSkin(const QStringList& arguments, const QString& workingDir = {}) {
    return test::runProgram(QStringLiteral(VIREO_SKIN_PROGRAM), arguments, workingDir);
}

const QString kDemo = QStringLiteral(VIREO_DEMO_DIR);

}  // namespace

class CliProgramTest : public QObject {
    Q_OBJECT

private slots:
    // Back and forth through the program: the pictures and BACK unpacked from
    // a skin build the same skin (tst_project_files checks them one by one).
    void unpackThenBuildGivesTheSameSkin() {
        QTemporaryDir dir;
        const QByteArray skin = test::randomBytes(182816, 7);
        test::writeFile(dir.filePath("BACKIMG"), skin);
        const QString folder = dir.filePath("new/folder/");
        QCOMPARE(vireoSkin({"unpack", dir.filePath("BACKIMG"), "-o", folder}).out,
                 QStringLiteral("done!\n"));
        QCOMPARE(vireoSkin({"unpack", dir.filePath("BACKIMG"), "-o", folder, "--force"}).status,
                 0);  // --force replaces them
        // Without templates, each picture is headed for its own size, as the demo's are.
        for (const char* name : {"main256.bmp", "movie256.bmp", "ft256.bmp"})
            QCOMPARE(test::readFile(folder + name).left(54), test::readFile(kDemo + name).left(54));
        const test::Run built = vireoSkin({"build", folder, "-o", dir.filePath("again")});
        QCOMPARE(built.out, QStringLiteral("完成！\n"));
        QCOMPARE(test::readFile(dir.filePath("again")), skin);
    }

    // '@' stands for a folder of sources with a random BACKIMG and a BACK33 too long. Templates,
    // record and skin lengths are refused by tst_unpack and tst_settings; here their road.
    void refusedAndUnreadableInputsChangeNothing_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown command") << "publish" << 2 << "未知的命令：publish";
        QTest::newRow("missing file") << "inspect @/none" << 2 << "找不到文件：@/none";
        QTest::newRow("a name after --") << "inspect -- -x" << 2 << "找不到文件：-x";
        QTest::newRow("no file named") << "inspect --json" << 2 << "缺少参数";
        QTest::newRow("folder for a file")
            << "inspect @/art33" << 2 << "不是普通文件，而是文件夹：@/art33";
        QTest::newRow("escape sequence in a name")
            << "inspect @/a\x1b[2J" << 2 << "找不到文件：@/a\\x1b[2J";
        QTest::newRow("update of a file")
            << "update @/main256.bmp" << 2 << "不是文件夹，而是普通文件：@/main256.bmp";
        QTest::newRow("new over a file")
            << "new @/BACK/skin" << 2 << "路径上已有同名文件，写入文件出错：@/BACK\n";
        QTest::newRow("bad scale") << "render @/BACKIMG -o @/x.png --scale 0" << 2 << "放大倍数";
        QTest::newRow("size zero")
            << "render @/BACKIMG -o @/x.png --size 0" << 2 << "尺寸应为 1 到 3840";
        QTest::newRow("size and scale")
            << "render @/BACKIMG -o @/x.png --size 64 --scale 2" << 2 << "只能选一个";
        QTest::newRow("unknown option")
            << "render @/BACKIMG -o @/x.png --sise 64" << 2 << "未知的选项：sise";
        QTest::newRow("unwritable output")
            << "build @ -o @/none/BACKIMG" << 2 << "写入文件出错：@/none/BACKIMG";
        QTest::newRow("named BACK missing")
            << "build @ --back @/none" << 1 << "@：BACK 文件未找到，无法生成文件";
        QTest::newRow("one bad field of three")
            << "settings @/BACK --set movie=1,2 --set list-colour=0,0,256 "
               "--set hint=on"
            << 1 << "@/BACK：列表文字颜色 B 分量：所有数据请输入0到255之间的整数";
        QTest::newRow("too many values")
            << "settings @/BACK --set filelist=1,2,3" << 1 << "@/BACK：filelist 的值应为 X,Y";
        // The refused field is named by where it sits, not by the first of its setting.
        QTest::newRow("second axis of a position")
            << "settings @/BACK --set options=1,256" << 1
            << "@/BACK：选项 Y 轴：所有数据请输入0到255之间的整数";
        QTest::newRow("long byte table")
            << "settings @/BACK --table @/T257 --set hint=on" << 2 << "@/T257";
        QTest::newRow("two parts for a colour") << "settings @/BACK --set selected-colour=1,2" << 1
                                                << "@/BACK：selected-colour 的值应为 R,G,B";
        QTest::newRow("flag word")
            << "settings @/BACK --set hint=yes" << 1 << "@/BACK：hint 的值应为 on 或 off";
        QTest::newRow("convert to another size, no fit")
            << "convert @/main256.bmp --as ft256.bmp --palette @/tree_main256.bmp -o @/x.bmp" << 1
            << "240×160";
        QTest::newRow("icon without palette")
            << "convert @/ft256.bmp --as ft256.bmp -o @/x.bmp" << 2 << "--palette";
        QTest::newRow("matte with #")
            << "convert @/main256.bmp --as main256.bmp --matte #ff0000 -o @/x.bmp" << 2
            << "#ff0000";
        QTest::newRow("dither above 1") << "import @ -o @/out --dither 1.5" << 2 << "0 到 1";
        // Nothing replaced and nothing written, whatever stands at the output.
        QTest::newRow("output is a source")
            << "build @ -o @/main256.bmp" << 2 << "输出文件与输入文件相同：@/main256.bmp\n";
        QTest::newRow("output links to a source")
            << "build @ -o @/link" << 2 << "输出文件与输入文件相同：@/link（@/main256.bmp）";
        QTest::newRow("output is --back through a hard link")
            << "build @ --back @/BACK -o @/hard" << 2 << "输出文件与输入文件相同：@/hard（@/BACK）";
        QTest::newRow("artwork BACK of 33 bytes")
            << "import @/art33 -o @/out" << 1 << "文件大小错误：@/art33/BACK";
        QTest::newRow("folder it cannot finish making")
            << "unpack @/BACKIMG -o @/new/" + QString(256, 'u') << 2
            << "文件名太长，写入文件出错：@/new/uuu";
        QTest::newRow("unpack over the author's files")
            << "unpack @/BACKIMG" << 1 << "已经存在，用 --force 才会替换：\n  @/main256.bmp\n";
        QTest::newRow("unpack failing part-way")
            << "unpack @/BACKIMG -o @/part --force" << 2 << "不是普通文件，而是文件夹：@/part/BACK";
        QTest::newRow("full standard output")
            << "inspect --json @/BACKIMG >/dev/full" << 2 << "磁盘已满，写入文件出错：标准输出";
    }
    void refusedAndUnreadableInputsChangeNothing() {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        test::SourceFolder sources(22);
        const QString at = sources.dir.path();
        test::writeFile(sources.path("BACKIMG"), test::randomBytes(182816, 4));
        test::writeFile(sources.path("BACK33"), test::randomBytes(33, 6));
        test::writeFile(sources.path("T257"), test::randomBytes(257, 8));
        QVERIFY(QFile::link(sources.path("main256.bmp"), sources.path("link")));
        QVERIFY(::link(QFile::encodeName(sources.path("BACK")),
                       QFile::encodeName(sources.path("hard"))) == 0);
        // An artwork folder with a BACK of the wrong length.
        QVERIFY(QDir(at).mkpath("art33"));
        QVERIFY(QFile::copy(sources.path("BACK33"), sources.path("art33/BACK")));
        // An older set whose last file cannot be replaced: the first must stay too.
        QVERIFY(QDir(at).mkpath("part/BACK"));
        test::writeFile(sources.path("part/main256.bmp"), "older picture");
        const auto before = test::snapshot(at);

        const test::Run run = vireoSkin(arguments.replace('@', at).split(' ', Qt::SkipEmptyParts));
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message.replace('@', at)), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QVERIFY(test::snapshot(at) == before);
    }

    // A background given as an exact BMP keeps its palette and pixels instead
    // of being quantised again; its top row is stored first, as the player reads.
    void importKeepsAnExactBackground() {
        QTemporaryDir dir;
        QCOMPARE(test::runProgram("cp", {"-r", kDemo + "art", dir.filePath("art")}).status, 0);
        QVERIFY(QFile::remove(dir.filePath("art/main256.png")));
        const QByteArray bmp = test::SourceFolder(5).files.at("main256.bmp");
        test::writeFile(dir.filePath("art/main256.bmp"), bmp);
        QCOMPARE(vireoSkin({"import", dir.filePath("art"), "-o", dir.filePath("out")}).status, 0);
        const QByteArray made = test::readFile(dir.filePath("out/main256.bmp"));
        for (int entry = 0; entry < 256; ++entry)  // blue, green, red; the fourth byte is spare
            QCOMPARE(made.mid(54 + 4 * entry, 3), bmp.mid(54 + 4 * entry, 3));
        for (int row = 0; row < 160; ++row)
            QCOMPARE(made.mid(1078 + row * 240, 240), bmp.mid(1078 + (159 - row) * 240, 240));
    }

    // Unlike the window, verify takes no BACK from the current directory.
    void verifyIgnoresBackInTheCurrentDirectory() {
        test::SourceFolder complete(27);
        QTemporaryDir current;
        QVERIFY(QFile::rename(complete.path("BACK"), current.filePath("BACK")));
        const test::Run run = vireoSkin({"verify", complete.dir.path()}, current.path());
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QStringLiteral("BACK 文件未找到，无法生成文件\n"));
    }

    void setWritesOnlyTheNamedBytes_data() {
        QTest::addColumn<QString>("arguments");  // '@': the folder of BACK and a reversing ASCII
        QTest::addColumn<QString>("changed");    // offset:byte pairs
        QTest::newRow("as given") << "--set=movie=1,2 --set hint=on"
                                  << "16:1 17:2 30:255 31:255";
        QTest::newRow("the later of one name") << "--set game=1,1 --set game=3,4"
                                               << "22:3 23:4";
        QTest::newRow("through the table") << "--table @/ASCII --set selected-colour=1,2,3"
                                           << "4:254 5:253 6:252";
    }
    void setWritesOnlyTheNamedBytes() {
        QFETCH(QString, arguments);
        QFETCH(QString, changed);
        QTemporaryDir dir;
        QByteArray expected = test::randomBytes(32, 8), reversed;
        test::writeFile(dir.filePath("BACK"), expected);
        for (int v = 255; v >= 0; --v) reversed += char(v);
        test::writeFile(dir.filePath("ASCII"), reversed);
        const QString line = "settings @/BACK " + arguments;
        QCOMPARE(vireoSkin(QString(line).replace('@', dir.path()).split(' ')).status, 0);
        for (const QString& pair : changed.split(' '))
            expected[pair.section(':', 0, 0).toInt()] = char(pair.section(':', 1).toInt());
        QCOMPARE(test::readFile(dir.filePath("BACK")), expected);
    }

    // A name goes to the system as the bytes given: 0xFF is no UTF-8, and a
    // lossy decoding would reach the decoy, whose name has U+FFFD there. JSON
    // output stays valid with quotes, backslashes and line breaks in the name.
    void fileNamesAreTheBytesGiven() {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        const QByteArray name = folder + "/B\xff\"\\\nK", decoy = folder + "/B\xef\xbf\xbd\"\\\nK";
        const auto put = [](const QByteArray& path, const QByteArray& bytes) {
            std::FILE* file = std::fopen(path.constData(), "wb");
            QVERIFY(file && std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file) ==
                                size_t(bytes.size()));
            QCOMPARE(std::fclose(file), 0);
        };
        const QByteArray record(32, '\x07');
        put(name, record);
        put(decoy, record);
        put(folder + "/name", name);
        // The shell hands the name over byte for byte, which QProcess would not.
        const auto run = [&](const QString& line) {
            return test::runProgram(QStringLiteral("/bin/sh"),
                                    {"-c", "exec \"$0\" " + line,
                                     QStringLiteral(VIREO_SKIN_PROGRAM), dir.filePath("name")});
        };
        QCOMPARE(run(R"x(settings "$(cat "$1")" --set movie=1,2)x").status, 0);
        const auto read = [](const QByteArray& path) {
            QByteArray bytes(64, '\0');
            std::FILE* file = std::fopen(path.constData(), "rb");
            bytes.resize(file ? int(std::fread(bytes.data(), 1, 64, file)) : 0);
            if (file) std::fclose(file);
            return bytes;
        };
        QByteArray changed = record;
        changed[16] = 1;
        changed[17] = 2;
        QCOMPARE(read(name), changed);
        QCOMPARE(read(decoy), record);

        QByteArray skin = test::randomBytes(182816, 3);
        put(name, skin);
        const test::Run inspected = run(R"x(inspect --json "$(cat "$1")")x");
        QCOMPARE(inspected.status, 0);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(inspected.out.toUtf8(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(document.object()["file"].toString(), QString::fromUtf8(decoy));

        // QTemporaryDir cannot remove names that are not UTF-8.
        QVERIFY(std::remove(name.constData()) == 0);
    }

    // Only render needs the PNG module that sits next to the program. The last
    // of a repeated option counts.
    void renderWritesThePngThroughItsModule() {
        QTemporaryDir dir;
        const QByteArray skin = test::randomBytes(182816, 25);
        test::writeFile(dir.filePath("BACKIMG"), skin);
        const QString png = dir.filePath("tree.png");
        QCOMPARE(vireoSkin({"render", dir.filePath("BACKIMG"), "-o", png, "--screen", "tree",
                            "--scale", "5", "--scale", "2"})
                     .status,
                 0);
        const QImage image(png);
        QCOMPARE(image.size(), QSize(480, 320));
        // Pixel (1, 0) of the tree screen: its palette at 59,904, its pixels at 60,928.
        const char* entry = skin.constData() + 59904 + 4 * quint8(skin[60928 + 1]);
        QCOMPARE(image.pixel(3, 1), qRgb(quint8(entry[2]), quint8(entry[1]), quint8(entry[0])));

        const QString alone = dir.filePath("vireo-skin");
        QVERIFY(QFile::copy(QStringLiteral(VIREO_SKIN_PROGRAM), alone));
        const test::Run run = test::runProgram(
            alone, {"render", dir.filePath("BACKIMG"), "-o", dir.filePath("a.png")});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("vireo-skin-png"), qPrintable(run.err));
        QVERIFY(!QFile::exists(dir.filePath("a.png")));
        QCOMPARE(test::runProgram(alone, {"inspect", dir.filePath("BACKIMG")}).status, 0);
    }

    // A new project holds the twelve sources, BACK and the demo's pictures
    // unchanged in art/; it builds, and a second `new` changes nothing.
    void newMakesAWholeProjectOnce() {
        QTemporaryDir dir;
        const QString project = dir.filePath("made/here");
        const test::Run made = vireoSkin({"new", project});
        QCOMPARE(made.status, 0);
        QStringList expected = QDir(kDemo).entryList(QDir::Files);
        expected << "art";
        expected.sort();
        QStringList actual =
            QDir(project).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        actual.sort();
        QCOMPARE(actual, expected);
        const QStringList art = QDir(kDemo + "art").entryList(QDir::Files);
        QCOMPARE(art.size(), 12);
        for (const QString& name : art)
            QVERIFY2(
                test::readFile(project + "/art/" + name) == test::readFile(kDemo + "art/" + name),
                qPrintable(name));
        QCOMPARE(test::readFile(project + "/BACK"), test::readFile(kDemo + "BACK"));

        // The sources are what importing the project's own art/ makes.
        QCOMPARE(vireoSkin({"import", project + "/art", "-o", dir.filePath("again")}).status, 0);
        for (const QString& name : QDir(dir.filePath("again")).entryList(QDir::Files))
            QVERIFY2(test::readFile(project + '/' + name) ==
                         test::readFile(dir.filePath("again/" + name)),
                     qPrintable(name));

        const auto before = test::snapshot(project);
        const test::Run again = vireoSkin({"new", project});
        QCOMPARE(again.status, 1);
        QVERIFY2(again.err.contains(project + "/main256.bmp") &&
                     again.err.contains(project + "/art/main256.png"),
                 qPrintable(again.err));
        QCOMPARE(test::snapshot(project), before);

        const test::Run built = vireoSkin({"build", project, "-o", dir.filePath("BACKIMG")});
        QCOMPARE(built.status, 0);
        QCOMPARE(QFileInfo(dir.filePath("BACKIMG")).size(), 182816);
    }

    // The sheet as a PNG: the screens at twice their size (tst_skin checks
    // where each goes), with the list text painted in the demo's blue right
    // of and below (30, 30) on the tree.
    void sheetIsPaintedWithItsTexts() {
        QTemporaryDir dir;
        QCOMPARE(vireoSkin({"build", kDemo, "-o", dir.filePath("BACKIMG")}).status, 0);
        const test::Run run =
            vireoSkin({"render", dir.filePath("BACKIMG"), "--sheet", "-o", dir.filePath("s.png")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        const QImage sheet(dir.filePath("s.png"));
        QCOMPARE(sheet.size(), QSize(960, 640));
        const QByteArray tree = test::readFile(kDemo + "tree_main256.bmp");
        QCOMPARE(sheet.pixel(480 + 10, 300), test::pixelOf(tree, 240, 5, 150).rgb());
        int blue = 0;
        for (int y = 60; y < 60 + 24; ++y)
            for (int x = 480 + 60; x < 480 + 200; ++x)
                blue += sheet.pixel(x, y) == qRgb(0, 0, 255) ? 1 : 0;
        QVERIFY2(blue > 50, qPrintable(QString::number(blue)));
    }

    void importIntoItsOwnFolderLeavesNothingStale() {
        test::ProjectFolder folder;
        QFile::remove(folder.path("art/derived.json"));
        const test::Run imported = vireoSkin(
            {"import", folder.path("art"), "-o", folder.folder(), "--force", "--dither", "0"});
        QCOMPARE(imported.status, 0);
        QVERIFY(QFile::exists(folder.path("art/derived.json")));
        const auto before = test::snapshot(folder.dir.path());
        QCOMPARE(vireoSkin({"update", folder.folder()}).status, 0);
        QCOMPARE(test::snapshot(folder.dir.path()), before);
    }

    // A frame given to import is kept with the original: update, deriving
    // a replaced picture again, shows the same part of it.
    void aFrameIsKeptAndRepeatedByUpdate() {
        test::ProjectFolder folder;
        const auto writeWide = [&](QColor leftEnd) {
            QImage wide(480, 160, QImage::Format_RGB32);
            wide.fill(Qt::darkGray);
            for (int y = 0; y < 160; ++y)
                for (int x = 0; x < 120; ++x) wide.setPixelColor(x, y, leftEnd);
            QFile::remove(folder.path("art/main256.png"));
            QVERIFY(wide.save(folder.path("art/main256.png")));
        };
        const auto leftOfScreen = [&] {
            return test::pixelOf(test::readFile(folder.path("main256.bmp")), 240, 2, 80);
        };
        writeWide(Qt::red);
        QCOMPARE(vireoSkin({"import", folder.path("art"), "-o", folder.folder(), "--force", "--fit",
                            "cover", "--frame", "main256.bmp=0,50,100"})
                     .status,
                 0);
        QCOMPARE(leftOfScreen(), QColor(Qt::red));
        writeWide(Qt::green);
        QCOMPARE(vireoSkin({"update", folder.folder()}).status, 0);
        QCOMPARE(leftOfScreen(), QColor(Qt::green));
        // Refused as it stands, before anything is read.
        const test::Run bad = vireoSkin({"import", folder.path("art"), "-o", folder.folder(),
                                         "--force", "--frame", "main256.bmp=50,50,90"});
        QCOMPARE(bad.status, 2);
        QVERIFY2(bad.err.contains("50,50,90"), qPrintable(bad.err));
    }
};

QTEST_GUILESS_MAIN(CliProgramTest)
#include "tst_cli_program.moc"
