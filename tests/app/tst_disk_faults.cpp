// What a real disk does to skin generation: a full file system, a folder the
// user may not write, a source the user may not read, a source replaced by a
// folder or a link loop, names with spaces and Chinese characters. In every
// case the skin written before stays byte for byte, no temporary file is left
// behind, and the message names the file that failed.
#include "app/ui/main_window.h"
#include "images/source_set.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cstring>
#include <iostream>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vireo;

namespace {

constexpr int kSkinLength = 182816;
constexpr uid_t kNobody = 65534;

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
}

// Writes the files of a random source set into `folder`; returns them by name.
std::map<QString, QByteArray> writeSourceSet(const QString& folder, quint32 seed) {
    test::SourceFolder made(seed);
    for (const auto& [name, bytes] : made.files) test::writeFile(folder + name, bytes);
    return made.files;
}

// The main window run headless: open `folder`/main256.bmp, then generate.
struct Window {
    explicit Window(const QString& currentDir) : window(dialogs, currentDir) {}

    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }
    QString status() { return window.findChild<QLabel*>("test1")->text(); }
    bool open(const QString& folder) {
        dialogs.choose(folder + QStringLiteral("main256.bmp"));
        button("Command1")->click();
        return button("Command2")->isEnabled();
    }
    QStringList generate() {
        dialogs.messages.clear();
        button("Command2")->click();
        return dialogs.messages;
    }

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

        const auto answer = test::runSelfAsNobody({QStringLiteral("--window-generate"), sources.folder()});
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

        const auto answer = test::runSelfAsNobody(
            {QStringLiteral("--window-generate"), sources.folder(), source});
        if (!answer) QSKIP("needs root and setpriv to run as nobody; root reads anything");
        QCOMPARE(QString::fromUtf8(*answer).trimmed(), QStringLiteral("无法打开文件：") + source);
        QCOMPARE(test::readFile(output), old);
        QCOMPARE(entries(sources.dir.path()), before);
    }
};

// Child mode, run as nobody: open FOLDER/main256.bmp in the main window, make
// FILE unreadable if given (the child owns it), generate, and print every
// message shown, one a line.
static int generateInWindow(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    Window w(folder);
    if (!w.open(folder)) {
        std::cout << "verification failed: " << w.status().toStdString() << std::endl;
        return 0;
    }
    if (argc == 4 && ::chmod(argv[3], 0) != 0) {
        std::cout << "cannot chmod " << argv[3] << std::endl;
        return 0;
    }
    for (const QString& message : w.generate()) std::cout << message.toStdString() << std::endl;
    return 0;
}

int main(int argc, char* argv[]) {
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "--window-generate") == 0)
        return generateInWindow(argc, argv);
    QApplication app(argc, argv);
    TestDiskFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_disk_faults.moc"
