// Paths that are not plain files, outputs that must be whole, interruptions.
// Reads that could block run in a child with a deadline: a regression fails, never hangs.
#include "base/binary_file.h"
#include "base/file_exists.h"
#include "base/temporary_files.h"
#include "messages/error_text.h"
#include "settings/byte_table.h"
#include "support/fixtures.h"

#include <QProcess>
#include <QTest>

#include <csignal>
#include <cstring>
#include <functional>
#include <iostream>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vireo;
using test::entries;
using test::readFile;
using test::toBytes;
using test::writeFile;

namespace {

using Snapshot = QMap<QString, QByteArray>;

Snapshot snapshot(const QString& dir) {
    Snapshot all;
    for (const QString& name : entries(dir)) {
        const QFileInfo info(dir + QLatin1Char('/') + name);
        all[name] = info.isFile() ? readFile(info.filePath()) : QByteArray("not a regular file");
    }
    return all;
}

std::string str(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Makes `name` in `dir` the kind of file a row asks for; false when this
// machine cannot (a device node needs root).
bool makeNonRegular(const QString& dir, const QString& name, const QString& kind) {
    const std::string path = str(dir + QLatin1Char('/') + name);
    if (kind == QLatin1String("fifo")) return ::mkfifo(path.c_str(), 0644) == 0;
    if (kind == QLatin1String("folder")) return ::mkdir(path.c_str(), 0755) == 0;
    return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

// Runs `check` in a child process that must end within two seconds; its exit
// code is returned, or -1 when it blocked and had to be killed.
int runWithDeadline(const std::function<int()>& check) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(check());
    for (int waited = 0; waited < 200; ++waited) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        ::usleep(10000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return -1;
}

// Counts the positional writes patchFile makes.
int writeCalls = 0;
ssize_t countingWrite(int fd, const void* buffer, std::size_t count, off_t offset) {
    ++writeCalls;
    return ::pwrite(fd, buffer, count, offset);
}

}  // namespace

class TestFileSafety : public QObject {
    Q_OBJECT

private slots:
    void nonRegularInputIsRefusedWithoutBlocking_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("fileType");
        QTest::newRow("FIFO without a writer") << "fifo" << int(Error::FileType::Fifo);
        QTest::newRow("folder") << "folder" << int(Error::FileType::Folder);
        QTest::newRow("character device") << "device" << int(Error::FileType::CharacterDevice);
    }
    void nonRegularInputIsRefusedWithoutBlocking() {
        QFETCH(QString, kind);
        QFETCH(int, fileType);
        QTemporaryDir dir;
        // /dev/null stands in for a device when this user may not make one.
        const QString path = makeNonRegular(dir.path(), "ASCII", kind) ? dir.filePath("ASCII")
                             : kind == QLatin1String("device") ? QStringLiteral("/dev/null")
                                                               : QString();
        QVERIFY(!path.isEmpty());
        const std::string name = str(path);

        // Each step that fails returns its own code, so the report says which.
        const int code = runWithDeadline([&] {
            const auto expected = [&](const Error& e) {
                return e.path == name && e.cause == Error::Cause::NotRegular && int(e.fileType) == fileType;
            };
            if (FileExists(name)) return 1;
            if (fileLength(name)) return 2;
            if (auto r = readBlock(name, 0, 1); r || !expected(r.error())) return 3;
            if (auto r = settings::readByteTable(name); r || !expected(r.error())) return 4;
            if (auto r = patchFile(name, 0, {{0, {1}}}); r || !expected(r.error())) return 5;
            return 0;
        });
        QVERIFY2(code != -1, "a read blocked on the file");
        QCOMPARE(code, 0);
        QVERIFY(QString::fromStdString(describe(readBlock(name, 0, 1).error())).endsWith(path));
    }

    void byteTableOfAnyOtherLengthIsRefused() {
        QTemporaryDir dir;
        for (int length : {255, 257, 65536}) {  // refused as the windows' "wrong size" kind
            writeFile(dir.filePath("ASCII"), QByteArray(length, 'x'));
            QCOMPARE(settings::readByteTable(str(dir.filePath("ASCII"))).error().kind, Error::Kind::ShortRead);
        }
    }

    // Every refused write leaves the folder exactly as it was, temporaries included.
    void refusedOutputChangesNothing_data() {
        QTest::addColumn<QString>("nonRegular");  // what BACKIMG is made before the write
        QTest::addColumn<QStringList>("targets");
        QTest::addColumn<int>("cause");
        const QStringList skin{"main256.bmp", "BACKIMG"};
        QTest::newRow("target is a FIFO") << "fifo" << QStringList{"BACKIMG"} << int(Error::Cause::NotRegular);
        QTest::newRow("target is a device node") << "device" << QStringList{"BACKIMG"} << int(Error::Cause::NotRegular);
        QTest::newRow("second of two is a folder") << "folder" << skin << int(Error::Cause::NotRegular);
        QTest::newRow("second of two has no folder: fails after the first was written")
            << "" << QStringList{"main256.bmp", "gone/BACK"} << int(Error::Cause::Missing);
        QTest::newRow("same file twice through a link")
            << "" << QStringList{"main256.bmp", "link"} << int(Error::Cause::SameFile);
        QTest::newRow("same file twice through a hard link")
            << "" << QStringList{"hard", "main256.bmp"} << int(Error::Cause::SameFile);
    }
    void refusedOutputChangesNothing() {
        QFETCH(QString, nonRegular);
        QFETCH(QStringList, targets);
        QFETCH(int, cause);
        QTemporaryDir dir;
        writeFile(dir.filePath("main256.bmp"), "old picture");
        QVERIFY(QFile::link(dir.filePath("main256.bmp"), dir.filePath("link")));
        QVERIFY(::link(str(dir.filePath("main256.bmp")).c_str(), str(dir.filePath("hard")).c_str()) == 0);
        if (!nonRegular.isEmpty() && !makeNonRegular(dir.path(), "BACKIMG", nonRegular))
            QSKIP("making a device node needs root");
        const Snapshot before = snapshot(dir.path());

        std::vector<OutputFile> outputs;
        for (const QString& target : targets) outputs.push_back({str(dir.filePath(target)), toBytes("new")});
        const auto written = writeFilesAtomically(outputs);
        QVERIFY(!written);
        QCOMPARE(int(written.error().cause), cause);
        QCOMPARE(snapshot(dir.path()), before);
    }

    // A read-only BACKIMG in the player's storage, linked from the skin's folder.
    void replacedFileKeepsItsLinkAndMode() {
        QTemporaryDir skinDir, storage;
        const QString real = storage.filePath("BACKIMG"), named = skinDir.filePath("BACKIMG");
        writeFile(real, "old skin");
        QVERIFY(::chmod(str(real).c_str(), 0444) == 0 && QFile::link(real, named));

        QVERIFY(writeFileAtomically(str(named), toBytes("new skin")).ok());
        QCOMPARE(readFile(named), QByteArray("new skin"));
        QCOMPARE(QFileInfo(named).symLinkTarget(), real);
        struct stat info {};
        QVERIFY(::stat(str(real).c_str(), &info) == 0);
        QCOMPARE(int(info.st_mode & 07777), 0444);
        QCOMPARE(entries(storage.path()), QStringList{"BACKIMG"});  // no temporary left beside it
    }

    // A kill can only fall before or after the one write: the hint flag and
    // its copy never disagree.
    void patchIsWrittenInOneCall() {
        const QList<int> offsets{31, 3, 12, 12};  // out of order, one byte twice
        QTemporaryDir dir;
        const QString path = dir.filePath("BACK");
        QByteArray expected = test::randomBytes(32, 4);
        writeFile(path, expected);
        std::vector<Patch> patches;
        for (int i = 0; i < offsets.size(); ++i) {
            patches.push_back({std::uint64_t(offsets[i]), {std::uint8_t(0xA0 + i)}});
            expected[offsets[i]] = char(0xA0 + i);  // a later patch of the same byte wins
        }

        writeCalls = 0;
        detail::positionalWrite = countingWrite;
        const auto patched = patchFile(str(path), 32, patches);
        detail::positionalWrite = ::pwrite;
        QVERIFY(patched.ok());
        QCOMPARE(writeCalls, 1);
        QCOMPARE(readFile(path), expected);
    }

    void interruptRemovesRegisteredTemporaries() {
        for (int signalNumber : {SIGTERM, SIGINT}) {
            QTemporaryDir dir;
            const QString temporary = dir.filePath(".BACKIMG.tmp-1"), kept = dir.filePath("BACKIMG");
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {"--hold-temporary", temporary, kept});
            QVERIFY(child.waitForReadyRead(10000));
            QCOMPARE(child.readAll().trimmed(), QByteArray("ready"));
            QVERIFY(QFile::exists(temporary));

            ::kill(pid_t(child.processId()), signalNumber);
            QVERIFY(child.waitForFinished(10000));
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);  // ended by the signal itself
            QCOMPARE(entries(dir.path()), QStringList{"BACKIMG"});
        }
    }

    void terminalEscapeKeepsTextAndDefusesControls_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("printed");
        QTest::newRow("colour sequence") << QByteArray("a\x1b[31mb") << QByteArray("a\\x1b[31mb");
        QTest::newRow("newline and a backslash") << QByteArray("a\n\\n") << QByteArray("a\\n\\\\n");
        QTest::newRow("C1 control in UTF-8") << QByteArray("a\xc2\x9b" "2J") << QByteArray("a\\u009b2J");
        QTest::newRow("invalid UTF-8 kept") << QByteArray("a\xff\xc2") << QByteArray("a\xff\xc2");
    }
    void terminalEscapeKeepsTextAndDefusesControls() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, printed);
        QCOMPARE(QByteArray::fromStdString(escapeForTerminal(name.toStdString())), printed);
    }
};

int main(int argc, char* argv[]) {
    // Child mode: --hold-temporary TEMPORARY KEPT makes both files, records
    // only TEMPORARY for the cleanup and waits for a signal.
    if (argc == 4 && std::strcmp(argv[1], "--hold-temporary") == 0) {
        installTemporaryFileCleanup();
        for (const char* path : {argv[2], argv[3]}) {
            const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (fd < 0) return 1;
            ::close(fd);
        }
        if (registerTemporaryFile(argv[2]) < 0) return 1;
        std::cout << "ready" << std::endl;
        for (;;) ::pause();
    }
    QCoreApplication app(argc, argv);
    TestFileSafety test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_file_safety.moc"
