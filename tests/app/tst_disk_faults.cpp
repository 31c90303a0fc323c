// What a real disk does to the three actions that write files: generation,
// the settings panel's write into BACK and the unpacker's restoration. Each
// fault is tried once per distinct path to the disk (the whole-file
// replacement, the in-place patch, the reads before them). In every row the
// folder stays as it was, file by file, with no temporary file left, and the
// one message names the file. Folder names hold spaces and Chinese characters.
#include "app/ui/main_window.h"
#include "images/bmp.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "unpack/short_skin.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <cstring>
#include <functional>
#include <iostream>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vireo;

namespace {

constexpr int kShortSkinLength = 178720;  // the length the unpacker accepts
constexpr uid_t kNobody = 65534;
using Snapshot = std::map<QString, QByteArray>;

// The check every row makes: exactly the expected message, and nothing in
// `folder` added, removed or changed compared with `before`.
void expectOutcome(const QStringList& messages, const QString& expected, const Snapshot& before,
                   const QString& folder) {
    QCOMPARE(messages, QStringList{expected});
    QVERIFY(test::snapshot(folder) == before);
}

// Runs one action headless, `tool` standing for the tool's current directory:
// "generate" or "write-positions" after opening folder/main256.bmp, or
// "restore" of folder/BACKIMG in the unpacker. `fault` runs after the files
// were verified or inspected, just before the button is pressed.
QStringList act(const QString& action, const QString& folder, const QString& tool,
                const std::function<void()>& fault) {
    test::ScriptedDialogs dialogs;
    ui::MainWindow window(dialogs, tool);
    QWidget* unpacker = nullptr;  // has no owner; must not outlive `dialogs`
    QPushButton* button = nullptr;
    if (action == QLatin1String("restore")) {
        window.showUnpacker();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("Form2")) unpacker = top;
        dialogs.choose(folder + QStringLiteral("BACKIMG"));
        unpacker->findChild<QPushButton*>("Command1")->click();
        button = unpacker->findChild<QPushButton*>("Command3");
    } else {
        dialogs.choose(folder + QStringLiteral("main256.bmp"));
        window.findChild<QPushButton*>("Command1")->click();
        window.findChild<QLineEdit*>("xdy1")->setText(QStringLiteral("77"));
        button = window.findChild<QPushButton*>(action == QLatin1String("generate") ? "Command2"
                                                                                    : "Command9");
        if (!window.findChild<QPushButton*>("Command2")->isEnabled()) button = nullptr;
    }
    QStringList messages{QStringLiteral("files not accepted before the fault")};
    if (button && button->isEnabled()) {
        fault();
        dialogs.messages.clear();
        button->click();
        messages = dialogs.messages;
    }
    delete unpacker;
    return messages;
}

// A tmpfs mounted on a fresh folder for as long as it lives.
struct SmallDisk {
    SmallDisk() {
        mounted = ::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0,
                          "size=1024k") == 0;
    }
    ~SmallDisk() {
        if (mounted) ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH);
    }
    QTemporaryDir dir;
    bool mounted = false;
};

void replaceByLoop(const QString& path) {
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::link(path + QStringLiteral(".loop"), path));
    QVERIFY(QFile::link(path, path + QStringLiteral(".loop")));
}

}  // namespace

class TestDiskFaults : public QObject {
    Q_OBJECT

private slots:
    void faultKeepsEverythingAndNamesTheFile_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>(
            "file");  // the one the fault hits; ASCII lies in the tool's folder
        QTest::addColumn<QString>("sentence");
        const QString gen = QStringLiteral("generate"), set = QStringLiteral("write-positions");
        QTest::newRow("generate: full disk") << gen << "full"
                                             << "BACKIMG"
                                             << "磁盘已满，写入文件出错：";
        QTest::newRow("generate: source replaced by a folder") << gen << "folder"
                                                               << "movie256.bmp"
                                                               << "不是普通文件，而是文件夹：";
        QTest::newRow("generate: unreadable source") << gen << "unreadable"
                                                     << "game256.bmp"
                                                     << "没有权限读取文件：";
        QTest::newRow("settings: full disk, written in place") << set << "full"
                                                               << "BACK"
                                                               << "done";
        QTest::newRow("settings: BACK is a link loop") << set << "loop"
                                                       << "BACK"
                                                       << "BACK文件找不到或大小不正确，不能写入：";
        QTest::newRow("settings: read-only BACK") << set << "read-only"
                                                  << "BACK"
                                                  << "无法打开BACK文件，不能写入：";
        QTest::newRow("settings: unreadable byte table") << set << "unreadable"
                                                         << "ASCII"
                                                         << "无法读取ASCII文件，不能写入：";
        QTest::newRow("restore: read-only folder") << "restore"
                                                   << "read-only"
                                                   << "main256.bmp"
                                                   << "没有权限写入文件：";
        QTest::newRow("restore: skin became a link loop") << "restore"
                                                          << "loop"
                                                          << "BACKIMG"
                                                          << "找不到文件：";
    }
    void faultKeepsEverythingAndNamesTheFile() {
        QFETCH(QString, action);
        QFETCH(QString, fault);
        QFETCH(QString, file);
        QFETCH(QString, sentence);
        SmallDisk disk;
        if (fault == QLatin1String("full") && !disk.mounted)
            QSKIP("mounting a tmpfs needs root with CAP_SYS_ADMIN");
        const QString base = disk.dir.path();
        const QString folder = base + QStringLiteral("/我的 皮肤 v2/"),
                      tool = base + QStringLiteral("/工具 目录/");
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(tool));
        for (const auto& [name, bytes] : test::SourceFolder(21).files)
            test::writeFile(folder + name, bytes);
        test::writeFile(folder + QStringLiteral("BACKIMG"),
                        test::randomBytes(kShortSkinLength, 22));
        test::writeFile(tool + QStringLiteral("ASCII"), test::identityTable());
        for (std::size_t i = 0; i < unpack::kTemplateNames.size(); ++i) {
            const auto size = unpack::pictureSizeOf(unpack::Template(i));
            test::writeFile(tool + QLatin1String(unpack::kTemplateNames[i]),
                            test::fromBytes(images::makeBmpHeader(size.width, size.height)));
        }
        const QString path = (file == QLatin1String("ASCII") ? tool : folder) + file;
        Snapshot before = test::snapshot(folder);

        if (fault == QLatin1String("read-only") || fault == QLatin1String("unreadable")) {
            // Root reads and writes whatever the permissions say: act as nobody.
            // The folder and files stay root's; an unreadable file is nobody's,
            // made unreadable by the child once verified, in a folder it may write.
            test::openToOthers(base);
            QStringList args{QStringLiteral("--child"), action, folder, tool};
            if (fault == QLatin1String("unreadable")) {
                QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0777) == 0);
                QVERIFY(::chown(QFile::encodeName(path).constData(), kNobody, kNobody) == 0);
                args << path;
            }
            const auto answer = test::runSelfAsNobody(args);
            if (!answer)
                QSKIP("needs root and setpriv to run as nobody; root reads and writes anything");
            return expectOutcome(QString::fromUtf8(*answer).trimmed().split(QLatin1Char('\n')),
                                 sentence + path, before, folder);
        }
        if (fault == QLatin1String("full")) {
            QFile filler(base + QStringLiteral("/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
        const QStringList messages = act(action, folder, tool, [&] {
            if (fault == QLatin1String("folder"))
                QVERIFY(QFile::remove(path) && QDir().mkdir(path));
            if (fault == QLatin1String("loop")) replaceByLoop(path);
            before = test::snapshot(folder);
        });
        if (sentence == QLatin1String("done")) {  // an in-place write needs no new space
            before[path][16] = char(77);
            return expectOutcome(messages, sentence, before, folder);
        }
        expectOutcome(messages, sentence + path, before, folder);
    }
};

// Child mode, run as nobody: --child ACTION FOLDER TOOL [FILE], as act() takes
// them. FILE, which the child owns, is made unreadable just before the action.
// Prints every message shown, one a line.
static int runAsChild(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList messages =
        act(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
            QString::fromLocal8Bit(argv[4]), [&] {
                if (argc == 6 && ::chmod(argv[5], 0) != 0) std::cout << "cannot chmod" << std::endl;
            });
    for (const QString& message : messages) std::cout << message.toStdString() << std::endl;
    return 0;
}

int main(int argc, char* argv[]) {
    if ((argc == 5 || argc == 6) && std::strcmp(argv[1], "--child") == 0)
        return runAsChild(argc, argv);
    QApplication app(argc, argv);
    TestDiskFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_disk_faults.moc"
