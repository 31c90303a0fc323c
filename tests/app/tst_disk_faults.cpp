// What a real disk does to the three actions that write files (generation,
// the settings panel's writes into BACK, the unpacker's restoration): a full
// file system, a folder the user may not write, an input the user may not
// read, an input replaced by a folder or a link loop, names with spaces and
// Chinese characters. In every case what was written before stays byte for
// byte, no temporary file is left behind, and the message names the file.
#include "app/ui/main_window.h"
#include "images/source_set.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstring>
#include <functional>
#include <iostream>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vireo;

namespace {

constexpr int kSkinLength = 182816;
constexpr int kShortSkinLength = 178720;
constexpr uid_t kNobody = 65534;

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
}

QByteArray identityTable() {
    QByteArray table(256, '\0');
    for (int i = 0; i < 256; ++i) table[i] = char(i);
    return table;
}

// A folder that stands for the tool's current directory: the byte table and
// the three BMP header templates.
void writeToolData(const QString& folder) {
    test::writeFile(folder + QStringLiteral("ASCII"), identityTable());
    for (const char* name : {"BMPHEAD16", "BMPHEAD64", "BMPHEAD256"})
        test::writeFile(folder + QLatin1String(name), test::randomBytes(54, 3));
}

// Writes the files of a random source set into `folder`; returns them by name.
std::map<QString, QByteArray> writeSourceSet(const QString& folder, quint32 draw) {
    test::SourceFolder made(draw);
    for (const auto& [name, bytes] : made.files) test::writeFile(folder + name, bytes);
    return made.files;
}

// The main window run headless: open `folder`/main256.bmp, then generate.
struct Window {
    explicit Window(const QString& currentDir) : window(dialogs, currentDir) {}
    // The unpacker has no owner and would outlive the dialogs it was given.
    ~Window() {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("Form2")) delete top;
    }

    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }
    QString status() { return window.findChild<QLabel*>("test1")->text(); }
    bool open(const QString& folder) {
        dialogs.choose(folder + QStringLiteral("main256.bmp"));
        button("Command1")->click();
        return button("Command2")->isEnabled();
    }
    QStringList generate() { return press(button("Command2")); }
    QStringList writePositions() { return press(button("Command9")); }
    // Opens the unpacker on `skin`, then restores.
    QStringList restore(const QString& skin) {
        window.showUnpacker();
        QWidget* unpacker = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("Form2")) unpacker = top;
        dialogs.choose(skin);
        unpacker->findChild<QPushButton*>("Command1")->click();
        if (!unpacker->findChild<QPushButton*>("Command3")->isEnabled())
            return {QStringLiteral("not accepted")};
        if (beforeRestore) beforeRestore();
        return press(unpacker->findChild<QPushButton*>("Command3"));
    }
    QStringList press(QPushButton* action) {
        dialogs.messages.clear();
        action->click();
        return dialogs.messages;
    }

    std::function<void()> beforeRestore;

    test::ScriptedDialogs dialogs;
    ui::MainWindow window;
};

// A tmpfs of `kib` kibibytes mounted on a fresh folder, for as long as it lives.
struct SmallDisk {
    explicit SmallDisk(int kib) {
        const QByteArray options = "size=" + QByteArray::number(kib) + "k";
        mounted = ::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0,
                          options.constData()) == 0;
    }
    ~SmallDisk() {
        if (mounted) ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH);
    }
    QString folder() const { return dir.path() + QLatin1Char('/'); }

    QTemporaryDir dir;
    bool mounted = false;
};

}  // namespace

class TestDiskFaults : public QObject {
    Q_OBJECT

private slots:
    void fullDiskKeepsTheOldSkin() {
        // Room for the sources (55 pages of 4 KiB) and an old skin (45 pages),
        // but not for a second skin beside it.
        SmallDisk disk(432);
        if (!disk.mounted) QSKIP("mounting a tmpfs needs root with CAP_SYS_ADMIN");
        writeSourceSet(disk.folder(), 11);
        const QString output = disk.folder() + QStringLiteral("BACKIMG");
        const QByteArray old = test::randomBytes(kSkinLength, 12);
        test::writeFile(output, old);
        const QStringList before = entries(disk.dir.path());

        Window w(disk.dir.path());
        QVERIFY(w.open(disk.folder()));
        QCOMPARE(w.generate(), QStringList{QStringLiteral("写入文件出错：") + output});
        QCOMPARE(test::readFile(output), old);
        QCOMPARE(entries(disk.dir.path()), before);
    }

    // Named as the files the fault replaces; each in a folder whose name has
    // spaces and Chinese characters.
    void replacedFileIsNamed_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("source replaced by a folder") << "movie256.bmp" << "folder" << "找不到文件：";
        QTest::newRow("source is a link loop") << "fu256.bmp" << "loop" << "找不到文件：";
        QTest::newRow("background is a dangling link") << "music_main256.bmp" << "dangling" << "找不到文件：";
        QTest::newRow("old skin is a folder") << "BACKIMG" << "folder" << "无法替换文件：";
    }
    void replacedFileIsNamed() {
        QFETCH(QString, file);
        QFETCH(QString, fault);
        QFETCH(QString, sentence);
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("我的 皮肤 v2")) + QLatin1Char('/');
        QVERIFY(QDir().mkpath(folder));
        writeSourceSet(folder, 21);
        const QString output = folder + QStringLiteral("BACKIMG");
        const QByteArray old = test::randomBytes(kSkinLength, 22);
        if (file != QLatin1String("BACKIMG")) test::writeFile(output, old);

        Window w(root.path());
        QVERIFY(w.open(folder));
        const QString path = folder + file;
        QFile::remove(path);
        if (fault == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(path));
            test::writeFile(path + QStringLiteral("/inside"), "kept");
        } else if (fault == QLatin1String("loop")) {
            QVERIFY(QFile::link(folder + QStringLiteral("loop.bmp"), path));
            QVERIFY(QFile::link(path, folder + QStringLiteral("loop.bmp")));
        } else {
            QVERIFY(QFile::link(folder + QStringLiteral("gone.bmp"), path));
        }
        const QStringList before = entries(folder);

        QCOMPARE(w.generate(), QStringList{sentence + path});
        QCOMPARE(entries(folder), before);
        if (file == QLatin1String("BACKIMG"))
            QCOMPARE(test::readFile(path + QStringLiteral("/inside")), QByteArray("kept"));
        else
            QCOMPARE(test::readFile(output), old);
    }

    void spacesAndChineseInTheFolderName() {
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("皮肤 工作室/第 1 套")) + QLatin1Char('/');
        QVERIFY(QDir().mkpath(folder));
        const auto files = writeSourceSet(folder, 31);

        Window w(root.path());
        QVERIFY(w.open(folder));
        QCOMPARE(w.generate(), QStringList{QStringLiteral("完成！")});
        const QByteArray skin = test::readFile(folder + QStringLiteral("BACKIMG"));
        QCOMPARE(skin.size(), kSkinLength);
        QCOMPARE(skin.right(32), files.at(QStringLiteral("BACK")));
    }

    // Root reads and writes whatever the permissions say, so these run the
    // window again as `nobody`.
    void readOnlyFolderAsAnotherUser() {
        test::SourceFolder sources(41);
        test::openToOthers(sources.dir.path());
        const QString output = sources.path(QStringLiteral("BACKIMG"));
        const QByteArray old = test::randomBytes(kSkinLength, 42);
        test::writeFile(output, old);
        const QStringList before = entries(sources.dir.path());

        const auto answer = test::runSelfAsNobody({QStringLiteral("--child"), QStringLiteral("generate"), sources.folder(), sources.folder()});
        if (!answer) QSKIP("needs root and setpriv to run as nobody; root writes anywhere");
        QCOMPARE(QString::fromUtf8(*answer).trimmed(), QStringLiteral("写入文件出错：") + output);
        QCOMPARE(test::readFile(output), old);
        QCOMPARE(entries(sources.dir.path()), before);
    }

    void sourceUnreadableAfterVerificationAsAnotherUser() {
        test::SourceFolder sources(51);
        // The folder is the user's own and writable; only the one source fails.
        QVERIFY(::chmod(QFile::encodeName(sources.dir.path()).constData(), 0777) == 0);
        const QString source = sources.path(QStringLiteral("game256.bmp"));
        QVERIFY(::chown(QFile::encodeName(source).constData(), kNobody, kNobody) == 0);
        const QString output = sources.path(QStringLiteral("BACKIMG"));
        const QByteArray old = test::randomBytes(kSkinLength, 52);
        test::writeFile(output, old);
        const QStringList before = entries(sources.dir.path());

        const auto answer = test::runSelfAsNobody({QStringLiteral("--child"), QStringLiteral("generate"),
                                                 sources.folder(), sources.folder(), source});
        if (!answer) QSKIP("needs root and setpriv to run as nobody; root reads anything");
        QCOMPARE(QString::fromUtf8(*answer).trimmed(), QStringLiteral("无法打开文件：") + source);
        QCOMPARE(test::readFile(output), old);
        QCOMPARE(entries(sources.dir.path()), before);
    }
    // --- the settings panel's writes into BACK, in place ---------------------

    // An in-place write needs no new space: on a disk filled to the last
    // block it still stores exactly its bytes.
    void settingsWriteOnAFullDisk() {
        SmallDisk disk(320);
        if (!disk.mounted) QSKIP("mounting a tmpfs needs root with CAP_SYS_ADMIN");
        const auto files = writeSourceSet(disk.folder(), 61);
        QFile filler(disk.folder() + QStringLiteral("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
        QTemporaryDir tool;
        writeToolData(tool.path() + QLatin1Char('/'));

        Window w(tool.path());
        QVERIFY(w.open(disk.folder()));
        w.window.findChild<QLineEdit*>("xdy1")->setText(QStringLiteral("77"));
        QCOMPARE(w.writePositions(), QStringList{QStringLiteral("done")});
        QByteArray expected = files.at(QStringLiteral("BACK"));
        expected[16] = char(77);
        QCOMPARE(test::readFile(disk.folder() + QStringLiteral("BACK")), expected);
    }

    void settingsWriteNamesTheFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("BACK replaced by a folder")
            << "BACK" << "folder" << "BACK文件找不到或大小不正确，不能写入：";
        QTest::newRow("BACK is a link loop") << "BACK" << "loop" << "BACK文件找不到或大小不正确，不能写入：";
        QTest::newRow("byte table replaced by a folder")
            << "ASCII" << "folder" << "ASCII文件找不到或大小不正确，不能写入：";
    }
    void settingsWriteNamesTheFile() {
        QFETCH(QString, file);
        QFETCH(QString, fault);
        QFETCH(QString, sentence);
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("设置 测试")) + QLatin1Char('/');
        const QString tool = root.filePath(QStringLiteral("工具 目录")) + QLatin1Char('/');
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(tool));
        const auto files = writeSourceSet(folder, 71);
        writeToolData(tool);

        Window w(tool);
        QVERIFY(w.open(folder));
        const QString path = (file == QLatin1String("ASCII") ? tool : folder) + file;
        QFile::remove(path);
        if (fault == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(path));
        } else {
            QVERIFY(QFile::link(folder + QStringLiteral("loop"), path));
            QVERIFY(QFile::link(path, folder + QStringLiteral("loop")));
        }
        const QStringList before = entries(folder);
        w.window.findChild<QLineEdit*>("xdy1")->setText(QStringLiteral("77"));

        QCOMPARE(w.writePositions(), QStringList{sentence + path});
        QCOMPARE(entries(folder), before);
        if (file == QLatin1String("ASCII"))
            QCOMPARE(test::readFile(folder + QStringLiteral("BACK")), files.at(QStringLiteral("BACK")));
    }

    void settingsWriteAsAnotherUser_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("read-only BACK") << "BACK" << "无法打开BACK文件，不能写入：";
        QTest::newRow("unreadable byte table") << "ASCII" << "无法读取ASCII文件，不能写入：";
    }
    void settingsWriteAsAnotherUser() {
        QFETCH(QString, file);
        QFETCH(QString, sentence);
        test::SourceFolder sources(81);
        test::openToOthers(sources.dir.path());
        QTemporaryDir tool;
        test::openToOthers(tool.path());
        writeToolData(tool.path() + QLatin1Char('/'));
        // Root's files: the others may read the sources and BACK, not write them.
        const QString path = file == QLatin1String("ASCII") ? tool.filePath(file) : sources.path(file);
        if (file == QLatin1String("ASCII"))
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        const QByteArray back = test::readFile(sources.path(QStringLiteral("BACK")));

        const auto answer = test::runSelfAsNobody({QStringLiteral("--child"), QStringLiteral("write-positions"),
                                                   sources.folder(), tool.path()});
        if (!answer) QSKIP("needs root and setpriv to run as nobody; root writes anything");
        QCOMPARE(QString::fromUtf8(*answer).trimmed(), sentence + path);
        QCOMPARE(test::readFile(sources.path(QStringLiteral("BACK"))), back);
    }

    // --- the unpacker's restoration -------------------------------------------

    void restorationOnAFullDisk() {
        // Room for the skin (44 pages) and two older outputs (12), not for a
        // new 39,478-byte main256.bmp beside the old one.
        SmallDisk disk(244);
        if (!disk.mounted) QSKIP("mounting a tmpfs needs root with CAP_SYS_ADMIN");
        test::writeFile(disk.folder() + QStringLiteral("BACKIMG"), test::randomBytes(kShortSkinLength, 91));
        const QByteArray oldMain = test::randomBytes(39478, 92), oldMovie = test::randomBytes(5174, 93);
        test::writeFile(disk.folder() + QStringLiteral("main256.bmp"), oldMain);
        test::writeFile(disk.folder() + QStringLiteral("movie256.bmp"), oldMovie);
        const QStringList before = entries(disk.dir.path());
        QTemporaryDir tool;
        writeToolData(tool.path() + QLatin1Char('/'));

        Window w(tool.path());
        QCOMPARE(w.restore(disk.folder() + QStringLiteral("BACKIMG")),
                 QStringList{QStringLiteral("写入文件出错：") + disk.folder() + QStringLiteral("main256.bmp")});
        QCOMPARE(test::readFile(disk.folder() + QStringLiteral("main256.bmp")), oldMain);
        QCOMPARE(test::readFile(disk.folder() + QStringLiteral("movie256.bmp")), oldMovie);
        QCOMPARE(entries(disk.dir.path()), before);
    }

    void restorationNamesTheFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("fault");
        QTest::newRow("skin replaced by a folder after inspection") << "BACKIMG" << "folder";
        QTest::newRow("skin became a link loop") << "BACKIMG" << "loop";
        QTest::newRow("template replaced by a folder") << "BMPHEAD64" << "folder";
    }
    void restorationNamesTheFile() {
        QFETCH(QString, file);
        QFETCH(QString, fault);
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("旧 皮肤")) + QLatin1Char('/');
        const QString tool = root.filePath(QStringLiteral("工具 目录")) + QLatin1Char('/');
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(tool));
        writeToolData(tool);
        test::writeFile(folder + QStringLiteral("BACKIMG"), test::randomBytes(kShortSkinLength, 101));
        const QByteArray oldIcon = test::randomBytes(5174, 102);
        test::writeFile(folder + QStringLiteral("movie256.bmp"), oldIcon);
        const QString path = (file == QLatin1String("BACKIMG") ? folder : tool) + file;
        QStringList before;

        Window w(tool);
        w.beforeRestore = [&] {
            QFile::remove(path);
            if (fault == QLatin1String("folder")) {
                QVERIFY(QDir().mkdir(path));
            } else {
                QVERIFY(QFile::link(folder + QStringLiteral("loop"), path));
                QVERIFY(QFile::link(path, folder + QStringLiteral("loop")));
            }
            before = entries(folder);
        };
        QCOMPARE(w.restore(folder + QStringLiteral("BACKIMG")),
                 QStringList{QStringLiteral("找不到文件：") + path});
        QCOMPARE(entries(folder), before);
        QCOMPARE(test::readFile(folder + QStringLiteral("movie256.bmp")), oldIcon);
    }

    void restorationAsAnotherUser_data() {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("read-only folder") << true;
        QTest::newRow("skin unreadable after inspection") << false;
    }
    void restorationAsAnotherUser() {
        QFETCH(bool, readOnlyFolder);
        QTemporaryDir folderDir, tool;
        const QString folder = folderDir.path() + QLatin1Char('/');
        test::openToOthers(tool.path());
        writeToolData(tool.path() + QLatin1Char('/'));
        const QString skin = folder + QStringLiteral("BACKIMG");
        test::writeFile(skin, test::randomBytes(kShortSkinLength, 111));
        const QByteArray oldMain = test::randomBytes(39478, 112);
        test::writeFile(folder + QStringLiteral("main256.bmp"), oldMain);
        QStringList args{QStringLiteral("--child"), QStringLiteral("restore"), folder, tool.path()};
        if (readOnlyFolder) {
            test::openToOthers(folderDir.path());
        } else {
            QVERIFY(::chmod(QFile::encodeName(folderDir.path()).constData(), 0777) == 0);
            QVERIFY(::chown(QFile::encodeName(skin).constData(), kNobody, kNobody) == 0);
            args << skin;
        }
        const QStringList before = entries(folderDir.path());

        const auto answer = test::runSelfAsNobody(args);
        if (!answer) QSKIP("needs root and setpriv to run as nobody; root reads and writes anything");
        const QString expected = readOnlyFolder
                                     ? QStringLiteral("写入文件出错：") + folder + QStringLiteral("main256.bmp")
                                     : QStringLiteral("无法打开文件：") + skin;
        QCOMPARE(QString::fromUtf8(*answer).trimmed(), expected);
        QCOMPARE(test::readFile(folder + QStringLiteral("main256.bmp")), oldMain);
        QCOMPARE(entries(folderDir.path()), before);
    }
};

// Child mode, run as nobody: --child ACTION FOLDER CURRENTDIR [FILE]. ACTION is
// generate or write-positions (after opening FOLDER/main256.bmp) or restore
// (FOLDER/BACKIMG in the unpacker). FILE, which the child owns, is made
// unreadable just before the action. Prints every message shown, one a line.
static int runAsChild(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString action = QString::fromLocal8Bit(argv[2]);
    const QString folder = QString::fromLocal8Bit(argv[3]);
    const char* unreadable = argc == 6 ? argv[5] : nullptr;
    const auto makeUnreadable = [&] {
        if (unreadable && ::chmod(unreadable, 0) != 0) std::cout << "cannot chmod" << std::endl;
    };
    Window w(QString::fromLocal8Bit(argv[4]));
    QStringList messages;
    if (action == QLatin1String("restore")) {
        w.beforeRestore = makeUnreadable;
        messages = w.restore(folder + QStringLiteral("BACKIMG"));
    } else if (!w.open(folder)) {
        messages << QStringLiteral("verification failed: ") + w.status();
    } else {
        makeUnreadable();
        if (action == QLatin1String("generate")) {
            messages = w.generate();
        } else {
            w.window.findChild<QLineEdit*>("xdy1")->setText(QStringLiteral("77"));
            messages = w.writePositions();
        }
    }
    for (const QString& message : messages) std::cout << message.toStdString() << std::endl;
    return 0;
}

int main(int argc, char* argv[]) {
    if ((argc == 5 || argc == 6) && std::strcmp(argv[1], "--child") == 0) return runAsChild(argc, argv);
    QApplication app(argc, argv);
    TestDiskFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_disk_faults.moc"
