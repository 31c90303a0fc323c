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

}  // namespace

class CliProgramTest : public QObject {
    Q_OBJECT

private slots:
    void buildUnpackBuildGivesTheSameFile() {
        test::SourceFolder sources(21);
        const Run built = vireoSkin({"build", sources.dir.path()});
        QCOMPARE(built.status, 0);
        QCOMPARE(built.out, QStringLiteral("完成！\n"));
        const QByteArray skinBytes = test::readFile(sources.path("BACKIMG"));
        QCOMPARE(skinBytes.size(), 182816);

        QTemporaryDir out;
        QCOMPARE(vireoSkin({"unpack", sources.path("BACKIMG"), "-o", out.path()}).status, 0);
        QCOMPARE(vireoSkin({"build", out.path(), "-o", out.filePath("again")}).status, 0);
        QCOMPARE(test::readFile(out.filePath("again")), skinBytes);
    }

    void refusedAndUnreadableInputs_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList{} << 2 << "缺少命令";
        QTest::newRow("unknown command") << QStringList{"pack"} << 2 << "未知的命令：pack";
        QTest::newRow("unknown option") << QStringList{"inspect", "--frob", "x"} << 2 << "frob";
        QTest::newRow("missing file") << QStringList{"inspect", "@/none"} << 2 << "找不到文件：@/none";
        QTest::newRow("wrong length") << QStringList{"inspect", "@/main256.bmp"} << 1
                                      << "错误的BACKIMG文件：@/main256.bmp";
        QTest::newRow("render without output") << QStringList{"render", "@/BACKIMG"} << 2 << "-o";
        QTest::newRow("bad scale") << QStringList{"render", "@/BACKIMG", "-o", "@/x.png", "--scale", "0"}
                                   << 2 << "放大倍数";
        QTest::newRow("unwritable output") << QStringList{"build", "@", "-o", "@/none/BACKIMG"} << 2
                                           << "写入文件出错：@/none/BACKIMG";
        QTest::newRow("named BACK missing") << QStringList{"build", "@", "--back", "@/none"} << 1
                                            << "@：BACK 文件未找到，无法生成文件";
    }
    void refusedAndUnreadableInputs() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        test::SourceFolder sources(22);
        test::writeFile(sources.path("BACKIMG"), test::randomBytes(182816, 4));
        const QString at = sources.dir.path();
        for (QString& argument : arguments) argument.replace('@', at);
        const auto before = QDir(at).entryList(QDir::AllEntries | QDir::Hidden);

        const Run run = vireoSkin(arguments);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message.replace('@', at)), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QCOMPARE(QDir(at).entryList(QDir::AllEntries | QDir::Hidden), before);
    }

    void verifyReportsLikeTheWindow() {
        test::SourceFolder sources(23);
        QFile::remove(sources.path("ft256.bmp"));
        QTemporaryDir empty;
        const Run run = vireoSkin({"verify", sources.dir.path()}, empty.path());
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QStringLiteral("文件夹图标  文件未找到，无法生成文件\n"));
        QVERIFY(!QFile::exists(sources.path("BACKIMG")));
        // Unlike the window, a BACK in the current directory does not stand in.
        test::SourceFolder complete(27);
        QVERIFY(QFile::rename(complete.path("BACK"), empty.filePath("BACK")));
        const Run noBack = vireoSkin({"verify", complete.dir.path()}, empty.path());
        QCOMPARE(noBack.status, 1);
        QCOMPARE(noBack.out, QStringLiteral("BACK 文件未找到，无法生成文件\n"));
    }

    void everyCommandHasHelp_data() {
        QTest::addColumn<QString>("command");
        for (const char* command : {"verify", "build", "inspect", "unpack", "render", "settings"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }
    void everyCommandHasHelp() {
        QFETCH(QString, command);
        const Run run = vireoSkin({command, "--help"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.startsWith("Usage: vireo-skin " + command + " [options]"));
        QVERIFY(vireoSkin({"--help"}).out.contains("  " + command + " "));
    }

    void inspectJsonDecodesEachArrangement_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("regions");
        QTest::addColumn<QString>("fourthPair");
        QTest::addColumn<int>("fourthX");  // the record byte it is read from
        QTest::newRow("generated") << 182816 << "skin" << 17 << "game" << 22;
        QTest::newRow("older") << 178720 << "short-skin" << 16 << "about" << 21;
    }
    void inspectJsonDecodesEachArrangement() {
        QFETCH(int, length);
        QFETCH(QString, layout);
        QFETCH(int, regions);
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
        QCOMPARE(root["regions"].toArray().size(), regions);
        QCOMPARE(root["regions"].toArray().last()["offset"].toInt(), length - 32);
        const QJsonObject settings = root["settings"].toObject();
        QCOMPARE(settings[fourthPair].toArray(), (QJsonArray{fourthX, fourthX + 1}));
        QCOMPARE(settings["hint"].toBool(), false);
        QCOMPARE(settings["list-colour"].toArray(),
                 (QJsonArray{quint8(skin[length - 32]), quint8(skin[length - 31]), quint8(skin[length - 30])}));
    }

    void setWithOneBadFieldChangesNoByte() {
        QTemporaryDir dir;
        const QByteArray back = test::randomBytes(32, 8);
        test::writeFile(dir.filePath("BACK"), back);
        const Run bad = vireoSkin({"settings", dir.filePath("BACK"), "--set", "movie=1,2", "--set",
                                   "list-colour=0,0,256", "--set", "hint=on"});
        QCOMPARE(bad.status, 1);
        QVERIFY2(bad.err.contains("列表文字颜色 B 分量：所有数据请输入0到255之间的整数"), qPrintable(bad.err));
        QCOMPARE(test::readFile(dir.filePath("BACK")), back);

        QCOMPARE(vireoSkin({"settings", dir.filePath("BACK"), "--set", "movie=1,2", "--set", "hint=on"}).status, 0);
        QByteArray expected = back;
        expected[16] = 1;
        expected[17] = 2;
        expected[30] = char(255);
        expected[31] = char(255);
        QCOMPARE(test::readFile(dir.filePath("BACK")), expected);
        const QJsonObject shown =
            QJsonDocument::fromJson(vireoSkin({"settings", dir.filePath("BACK"), "--json"}).out.toUtf8()).object();
        QCOMPARE(shown["movie"].toArray(), (QJsonArray{1, 2}));
        QCOMPARE(shown["hint"].toBool(), true);
    }

    void setGoesThroughTheNamedByteTable() {
        QTemporaryDir dir;
        test::writeFile(dir.filePath("BACK"), QByteArray(32, '\0'));
        QByteArray reversed(256, '\0');
        for (int v = 0; v < 256; ++v) reversed[v] = char(255 - v);
        test::writeFile(dir.filePath("ASCII"), reversed);
        QCOMPARE(vireoSkin({"settings", dir.filePath("BACK"), "--table", dir.filePath("ASCII"), "--set",
                            "selected-colour=1,2,3"}).status, 0);
        const QByteArray back = test::readFile(dir.filePath("BACK"));
        QCOMPARE(back.mid(3, 5), QByteArray("\0\xfe\xfd\xfc\0", 5));

        test::writeFile(dir.filePath("ASCII"), reversed.left(255));
        const Run shortTable = vireoSkin({"settings", dir.filePath("BACK"), "--table", dir.filePath("ASCII"),
                                          "--set", "hint=on"});
        QCOMPARE(shortTable.status, 2);
        QCOMPARE(test::readFile(dir.filePath("BACK")), back);
    }

    void settingsFileOfAnotherLengthIsNeverWritten_data() {
        QTest::addColumn<int>("length");  // -1: no file
        QTest::addColumn<int>("status");
        QTest::newRow("31 bytes") << 31 << 1;
        QTest::newRow("33 bytes") << 33 << 1;
        QTest::newRow("missing") << -1 << 2;
    }
    void settingsFileOfAnotherLengthIsNeverWritten() {
        QFETCH(int, length);
        QFETCH(int, status);
        QTemporaryDir dir;
        const QByteArray bytes = test::randomBytes(qMax(length, 0), 9);
        if (length >= 0) test::writeFile(dir.filePath("BACK"), bytes);
        const Run run = vireoSkin({"settings", dir.filePath("BACK"), "--set", "movie=1,2"});
        QCOMPARE(run.status, status);
        QVERIFY(run.err.contains(dir.filePath("BACK")));
        if (length >= 0) QCOMPARE(test::readFile(dir.filePath("BACK")), bytes);
        else QVERIFY(!QFile::exists(dir.filePath("BACK")));
    }

    void renderWritesThePng() {
        test::SourceFolder sources(25);
        QCOMPARE(vireoSkin({"build", sources.dir.path()}).status, 0);
        const QString png = sources.path("tree.png");
        QCOMPARE(vireoSkin({"render", sources.path("BACKIMG"), "-o", png, "--screen", "tree",
                            "--scale", "2"}).status, 0);
        const QImage image(png);
        QCOMPARE(image.size(), QSize(480, 320));
        // A bottom-up source shows its first stored row, the picture's bottom row, on top.
        const QByteArray tree = sources.files["tree_main256.bmp"];
        const int index = quint8(tree[1078]);
        const QRgb expected = qRgb(quint8(tree[54 + 4 * index + 2]), quint8(tree[54 + 4 * index + 1]),
                                   quint8(tree[54 + 4 * index]));
        QCOMPARE(image.pixel(1, 1), expected);
    }

    void renderWithoutItsPngModuleFailsCleanly() {
        test::SourceFolder sources(26);
        QCOMPARE(vireoSkin({"build", sources.dir.path()}).status, 0);
        QTemporaryDir alone;
        const QString program = alone.filePath("vireo-skin");
        QVERIFY(QFile::copy(QStringLiteral(VIREO_SKIN_PROGRAM), program));
        const Run run = vireoSkin({"render", sources.path("BACKIMG"), "-o", sources.path("a.png")}, {},
                                  program);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("vireo-skin-png"), qPrintable(run.err));
        QVERIFY(!QFile::exists(sources.path("a.png")));
        // The other commands do not need it.
        QCOMPARE(vireoSkin({"inspect", sources.path("BACKIMG")}, {}, program).status, 0);
    }
};

QTEST_GUILESS_MAIN(CliProgramTest)
#include "tst_cli_program.moc"
