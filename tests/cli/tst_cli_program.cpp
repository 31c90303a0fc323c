#include "support/fixtures.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using namespace vireo;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run vireoSkin(const QStringList& arguments, const QString& workingDir = {},
              const QString& program = QStringLiteral(VIREO_SKIN_PROGRAM)) {
    QProcess process;
    if (!workingDir.isEmpty()) process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Every entry of `dir` with its bytes, to show that a run changed nothing.
std::map<QString, QByteArray> snapshot(const QString& dir) {
    std::map<QString, QByteArray> entries;
    for (const QString& name : test::entries(dir))
        entries[name] = test::readFile(dir + '/' + name);
    return entries;
}

}  // namespace

class CliProgramTest : public QObject {
    Q_OBJECT

private slots:
    void unpackThenBuildGivesTheSameFile() {
        QTemporaryDir dir;
        const QByteArray skin = test::randomBytes(182816, 21);
        test::writeFile(dir.filePath("BACKIMG"), skin);
        QCOMPARE(vireoSkin({"unpack", dir.filePath("BACKIMG"), "-o", dir.filePath("out")}).status, 0);
        const Run built = vireoSkin({"build", dir.filePath("out")});
        QCOMPARE(built.status, 0);
        QCOMPARE(built.out, QStringLiteral("完成！\n"));
        QCOMPARE(test::readFile(dir.filePath("out/BACKIMG")), skin);
    }

    // '@' stands for a folder of sources with a random BACKIMG, and BACK31, BACK33, BMPHEAD16 too short or long.
    void refusedAndUnreadableInputsChangeNothing_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown command") << "pack" << 2 << "未知的命令：pack";
        QTest::newRow("missing file") << "inspect @/none" << 2 << "找不到文件：@/none";
        QTest::newRow("wrong length") << "inspect @/main256.bmp" << 1 << "错误的BACKIMG文件：@/main256.bmp";
        QTest::newRow("bad scale") << "render @/BACKIMG -o @/x.png --scale 0" << 2 << "放大倍数";
        QTest::newRow("unwritable output") << "build @ -o @/none/BACKIMG" << 2 << "写入文件出错：@/none/BACKIMG";
        QTest::newRow("named BACK missing") << "build @ --back @/none" << 1 << "@：BACK 文件未找到，无法生成文件";
        QTest::newRow("short template") << "unpack @/BACKIMG -o @/out --templates @" << 1 << "@/BMPHEAD16";
        QTest::newRow("one bad field of three") << "settings @/BACK --set movie=1,2 --set list-colour=0,0,256 "
                                                   "--set hint=on" << 1 << "@/BACK：列表文字颜色 B 分量：所有数据请输入0到255之间的整数";
        QTest::newRow("settings of 31 bytes") << "settings @/BACK31 --set movie=1,2" << 1 << "错误的BACK文件：@/BACK31";
        QTest::newRow("settings of 33 bytes") << "settings @/BACK33 --set movie=1,2" << 1 << "错误的BACK文件：@/BACK33";
        QTest::newRow("settings missing") << "settings @/none --set movie=1,2" << 2 << "@/none";
        QTest::newRow("short byte table") << "settings @/BACK --table @/BACK33 --set hint=on" << 2 << "@/BACK33";
    }
    void refusedAndUnreadableInputsChangeNothing() {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        test::SourceFolder sources(22);
        const QString at = sources.dir.path();
        test::writeFile(sources.path("BACKIMG"), test::randomBytes(182816, 4));
        test::writeFile(sources.path("BACK31"), test::randomBytes(31, 5));
        test::writeFile(sources.path("BACK33"), test::randomBytes(33, 6));
        test::writeFile(sources.path("BMPHEAD16"), test::randomBytes(53, 7));
        const auto before = snapshot(at);

        const Run run = vireoSkin(arguments.replace('@', at).split(' ', Qt::SkipEmptyParts));
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message.replace('@', at)), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QVERIFY(snapshot(at) == before);
    }

    // Unlike the window, verify takes no BACK from the current directory.
    void verifyIgnoresBackInTheCurrentDirectory() {
        test::SourceFolder complete(27);
        QTemporaryDir current;
        QVERIFY(QFile::rename(complete.path("BACK"), current.filePath("BACK")));
        const Run run = vireoSkin({"verify", complete.dir.path()}, current.path());
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QStringLiteral("BACK 文件未找到，无法生成文件\n"));
    }


    void inspectJsonDecodesEachArrangement_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("fourthPair");
        QTest::addColumn<int>("fourthX");  // the record byte it is read from
        QTest::newRow("generated") << 182816 << "skin" << "game" << 22;
        QTest::newRow("older") << 178720 << "short-skin" << "about" << 21;
    }
    void inspectJsonDecodesEachArrangement() {
        QFETCH(int, length);
        QFETCH(QString, layout);
        QFETCH(QString, fourthPair);
        QFETCH(int, fourthX);
        QTemporaryDir dir;
        QByteArray skin = test::randomBytes(length, 6);
        // Record bytes 15 to 31: 15 .. 31, so each pair shows where it is read.
        for (int i = 15; i < 32; ++i) skin[length - 32 + i] = char(i);
        skin[length - 32 + 30] = 0;
        test::writeFile(dir.filePath("BACKIMG"), skin);

        const Run run = vireoSkin({"inspect", "--json", dir.filePath("BACKIMG")});
        QCOMPARE(run.status, 0);
        const QJsonObject root = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(root["layout"].toString(), layout);
        QCOMPARE(root["regions"].toArray().last()["offset"].toInt(), length - 32);
        const QJsonObject settings = root["settings"].toObject();
        QCOMPARE(settings[fourthPair].toArray(), (QJsonArray{fourthX, fourthX + 1}));
        QCOMPARE(settings["hint"].toBool(), false);
    }

    void setWritesOnlyTheNamedBytes_data() {
        QTest::addColumn<QString>("arguments");  // '@': the folder of BACK and a reversing ASCII
        QTest::addColumn<QString>("changed");    // offset:byte pairs
        QTest::newRow("as given") << "--set movie=1,2 --set hint=on" << "16:1 17:2 30:255 31:255";
        QTest::newRow("through the table") << "--table @/ASCII --set selected-colour=1,2,3" << "4:254 5:253 6:252";
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

    // Only render needs the PNG module that sits next to the program.
    void renderWritesThePngThroughItsModule() {
        QTemporaryDir dir;
        const QByteArray skin = test::randomBytes(182816, 25);
        test::writeFile(dir.filePath("BACKIMG"), skin);
        const QString png = dir.filePath("tree.png");
        QCOMPARE(vireoSkin({"render", dir.filePath("BACKIMG"), "-o", png, "--screen", "tree", "--scale", "2"}).status,
                 0);
        const QImage image(png);
        QCOMPARE(image.size(), QSize(480, 320));
        // Pixel (1, 0) of the tree screen: its palette at 59,904, its pixels at 60,928.
        const char* entry = skin.constData() + 59904 + 4 * quint8(skin[60928 + 1]);
        QCOMPARE(image.pixel(3, 1), qRgb(quint8(entry[2]), quint8(entry[1]), quint8(entry[0])));

        const QString alone = dir.filePath("vireo-skin");
        QVERIFY(QFile::copy(QStringLiteral(VIREO_SKIN_PROGRAM), alone));
        const Run run = vireoSkin({"render", dir.filePath("BACKIMG"), "-o", dir.filePath("a.png")}, {}, alone);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("vireo-skin-png"), qPrintable(run.err));
        QVERIFY(!QFile::exists(dir.filePath("a.png")));
        QCOMPARE(vireoSkin({"inspect", dir.filePath("BACKIMG")}, {}, alone).status, 0);
    }
};

QTEST_GUILESS_MAIN(CliProgramTest)
#include "tst_cli_program.moc"
