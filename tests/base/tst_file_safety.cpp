// Reading and writing whole files: paths that are not plain files, outputs that
// must be whole, also when a signal interrupts them. Reads that could block run in a child with a
// deadline: a regression fails, never hangs.
#include "core/base/binary_file.h"
#include "core/base/readable_file.h"
#include "core/base/temporary_files.h"
#include "core/messages/error_text.h"
#include "support/fixtures.h"

#include <QTest>

#include <csignal>
#include <cstring>
#include <iostream>

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

std::string str(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Makes `path` the kind of file a row asks for; false when this machine
// cannot (a device node needs root).
bool make(const QString& path, const QString& kind) {
    const std::string name = str(path);
    if (kind == QLatin1String("fifo")) return ::mkfifo(name.c_str(), 0644) == 0;
    if (kind == QLatin1String("folder")) return ::mkdir(name.c_str(), 0755) == 0;
    if (kind == QLatin1String("device"))
        return ::mknod(name.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    return true;
}

// Puts a path of `kind` (see readersAnswerForEveryKindOfPath) into `dir` and
// returns it; a device this user cannot make is /dev/null instead.
QString placeKind(const QTemporaryDir& dir, const QString& kind) {
    QString path = kind.isEmpty() ? QString() : dir.filePath(QStringLiteral("main256.bmp"));
    make(dir.filePath("folder"), "folder");
    if (kind == QLatin1String("empty") || kind == QLatin1String("unreadable"))
        writeFile(path, kind == "empty" ? "" : "bytes");
    if (kind == QLatin1String("dangling")) QFile::link(dir.filePath("gone"), path);
    if (kind == QLatin1String("loop")) QFile::link(path, path);
    if (kind == QLatin1String("folder-link")) QFile::link(dir.filePath("folder"), path);
    if (!make(path, kind)) path = QStringLiteral("/dev/null");
    return path;
}

// What the readers say of a path: its kind (asked without opening it, links
// followed), whether it exists, its length, and the sentence a read of it
// gives ("read" when it can be read).
std::string answerFor(const std::string& path) {
    const auto length = fileLength(path);
    const auto block = readBlock(path, 0, 0);
    return std::string(fileTypeName(fileTypeAt(path))) + (isReadableFile(path) ? " yes " : " no ") +
           (length ? std::to_string(*length) : "-") + ' ' +
           (block ? std::string("read") : describe(block.error()));
}

// The answer from a child that must finish within two seconds, or "blocked".
QByteArray answerWithDeadline(const std::string& path) {
    int channel[2];
    if (::pipe(channel) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        const std::string answer = answerFor(path);
        ::_exit(::write(channel[1], answer.data(), answer.size()) == ssize_t(answer.size()) ? 0
                                                                                            : 1);
    }
    ::close(channel[1]);
    int status = 0;
    for (int waited = 0; waited < 200 && ::waitpid(child, &status, WNOHANG) != child; ++waited)
        ::usleep(10000);
    if (::kill(child, SIGKILL) == 0) ::waitpid(child, nullptr, 0);
    char buffer[512];
    const ssize_t got = ::read(channel[0], buffer, sizeof buffer);
    ::close(channel[0]);
    return got > 0 ? QByteArray(buffer, int(got)) : QByteArray("blocked");
}

// The replaceable system calls of the writers, failing their n-th call (0: none).
int failingCall = 0;
int calls = 0;
bool failNow() {
    if (++calls != failingCall) return false;
    errno = EIO;
    return true;
}
int failingRename(const char* from, const char* to) {
    return failNow() ? -1 : ::rename(from, to);
}
int raisingRename(const char* from, const char* to) {
    if (++calls == failingCall) ::raise(SIGTERM);
    return ::rename(from, to);
}
int failingFlush(int fd) {
    return failNow() ? -1 : ::fsync(fd);
}

int raisedSignal = 0;
ssize_t raisingWrite(int, const void*, std::size_t, off_t) {
    ::raise(raisedSignal);
    errno = EIO;
    return -1;
}

int writeCalls = 0;
ssize_t countingWrite(int fd, const void* buffer, std::size_t count, off_t offset) {
    ++writeCalls;
    return ::pwrite(fd, buffer, count, offset);
}

}  // namespace

class TestFileSafety : public QObject {
    Q_OBJECT

private slots:
    // '@' stands for the path read.
    void readersAnswerForEveryKindOfPath_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("answer");
        const auto row = test::textRow;
        row("empty path", "", "不存在的文件 no - 找不到文件：");
        row("missing", "missing", "不存在的文件 no - 找不到文件：@");
        row("link loop", "loop", "不存在的文件 no - 链接循环，找不到文件：@");
        row("link to nothing", "dangling", "不存在的文件 no - 链接指向的文件不存在：@");
        row("link to a folder", "folder-link", "文件夹 no - 不是普通文件，而是文件夹：@");
        row("FIFO without a writer", "fifo",
            "命名管道（FIFO） no - 不是普通文件，而是命名管道（FIFO）：@");
        row("character device", "device", "字符设备 no - 不是普通文件，而是字符设备：@");
        row("empty file", "empty", "普通文件 yes 0 read");
        row("unreadable, as another user", "unreadable", "普通文件 no 5 没有权限读取文件：@");
    }
    void readersAnswerForEveryKindOfPath() {
        QFETCH(QString, kind);
        QFETCH(QString, answer);
        QTemporaryDir dir;
        const QString path = placeKind(dir, kind);
        answer.replace('@', path);

        if (kind == QLatin1String("unreadable")) {
            test::openToOthers(dir.path());
            QVERIFY(::chmod(str(path).c_str(), 0200) == 0);
            const auto asNobody = test::runSelfAsNobody({"--answer", path});
            if (!asNobody)
                QSKIP("needs root and setpriv to read as another user; root reads any file");
            QCOMPARE(QString::fromUtf8(*asNobody), answer);
            return;
        }
        QCOMPARE(QString::fromUtf8(answerWithDeadline(str(path))), answer);
    }

    // The start and the whole of one file against the limit; "-" where the
    // whole read refuses.
    void readsStopAtTheLimit_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("startRead");
        QTest::addColumn<QString>("whole");
        QTest::newRow("empty file") << 0 << 0 << 0 << "0";
        QTest::newRow("exactly the limit") << 10 << 10 << 10 << "10";
        QTest::newRow("under the limit") << 10 << 64 << 10 << "10";
        QTest::newRow("one byte over") << 10 << 9 << 9 << "-";
    }
    void readsStopAtTheLimit() {
        QFETCH(int, length);
        QFETCH(int, limit);
        QFETCH(int, startRead);
        QFETCH(QString, whole);
        QTemporaryDir dir;
        const QByteArray bytes = test::randomBytes(length, 5);
        writeFile(dir.filePath("f"), bytes);
        const auto start = readFileStart(str(dir.filePath("f")), std::size_t(limit));
        QCOMPARE(start.value().length, std::uint64_t(length));
        QVERIFY(start.value().bytes == toBytes(bytes.left(startRead)));
        const auto all = readWholeFile(str(dir.filePath("f")), std::size_t(limit));
        QCOMPARE(all ? QString::number(all.value().size()) : QStringLiteral("-"), whole);
        if (all)
            QVERIFY(all.value() == toBytes(bytes));
        else
            QCOMPARE(int(all.error().kind), int(Error::Kind::Invalid));
    }

    // Every refused write leaves the folder exactly as it was, temporaries included.
    void refusedOutputChangesNothing_data() {
        QTest::addColumn<QString>("nonRegular");  // what BACKIMG is made before the write
        QTest::addColumn<QStringList>("targets");
        QTest::addColumn<int>("cause");
        QTest::newRow("target is a device node")
            << "device" << QStringList{"BACKIMG"} << int(Error::Cause::NotRegular);
        QTest::newRow("same file twice through a link")
            << "" << QStringList{"main256.bmp", "link"} << int(Error::Cause::SameFile);
    }
    void refusedOutputChangesNothing() {
        QFETCH(QString, nonRegular);
        QFETCH(QStringList, targets);
        QFETCH(int, cause);
        QTemporaryDir dir;
        writeFile(dir.filePath("main256.bmp"), "old picture");
        QVERIFY(QFile::link(dir.filePath("main256.bmp"), dir.filePath("link")));
        QVERIFY(::link(str(dir.filePath("main256.bmp")).c_str(),
                       str(dir.filePath("hard")).c_str()) == 0);
        if (!make(dir.filePath("BACKIMG"), nonRegular)) QSKIP("making a device node needs root");
        const auto before = test::snapshot(dir.path());

        std::vector<OutputFile> outputs;
        for (const QString& target : targets)
            outputs.push_back({str(dir.filePath(target)), toBytes("new")});
        const auto written = writeFilesAtomically(outputs);
        QVERIFY(!written);
        QCOMPARE(int(written.error().cause), cause);
        QVERIFY(test::snapshot(dir.path()) == before);
    }

    // Four outputs, two of them new (one with the longest name a folder takes)
    // and two hard links to one file, each replaced on its own. A failure at
    // any rename or flush leaves the folder exactly as it was; a failed flush
    // of the folder, after the renames, is reported with every file new.
    void everyFileBackAfterAnyFailure_data() {
        QTest::addColumn<QString>("seam");
        QTest::addColumn<int>("failing");
        QTest::addColumn<int>("failedOutput");  // -1: none, all written
        QTest::newRow("nothing fails") << "rename" << 0 << -1;
        for (int call = 1; call <= 4; ++call)
            QTest::addRow("rename %d of 4", call) << "rename" << call << call - 1;
        QTest::newRow("flush of the last file") << "flush" << 4 << 3;
        QTest::newRow("flush of the folder") << "flush" << 5 << -1;
    }
    void everyFileBackAfterAnyFailure() {
        QFETCH(QString, seam);
        QFETCH(int, failing);
        QFETCH(int, failedOutput);
        QTemporaryDir dir;
        const QStringList names{"main256.bmp", QString(255, 'n'), "hard", "BACK"};
        const auto at = [&](const QString& name) { return str(dir.filePath(name)); };
        writeFile(dir.filePath("main256.bmp"), "old picture");
        QVERIFY(::link(at("main256.bmp").c_str(), at("hard").c_str()) == 0);
        const auto before = test::snapshot(dir.path());
        std::vector<OutputFile> outputs;
        for (const QString& name : names)
            outputs.push_back({at(name), toBytes(name.left(8).toUtf8())});

        calls = 0;
        failingCall = failing;
        detail::renameFile = seam == "rename" ? failingRename : ::rename;
        detail::flushFile = seam == "flush" ? failingFlush : ::fsync;
        const auto written = writeFilesAtomically(outputs);
        detail::renameFile = ::rename;
        detail::flushFile = ::fsync;

        QCOMPARE(written.ok(), failing == 0);
        if (failedOutput >= 0) {
            QCOMPARE(written.error().path, at(names[failedOutput]));
            QVERIFY(test::snapshot(dir.path()) == before);
            return;
        }
        QCOMPARE(entries(dir.path()).size(), names.size());
        for (const QString& name : names)
            QCOMPARE(readFile(dir.filePath(name)), name.left(8).toUtf8());
    }

    // SIGTERM between two renames takes effect once the renames are done:
    // the program dies of it with every file new and nothing else left.
    void signalWaitsForTheRenames() {
        QTemporaryDir dir;
        const QStringList names{"BACK", "main256.bmp", "tree_main256.bmp"};
        std::vector<OutputFile> outputs;
        for (const QString& name : names) {
            writeFile(dir.filePath(name), "old");
            outputs.push_back({str(dir.filePath(name)), toBytes("new " + name.toUtf8())});
        }
        const pid_t child = ::fork();
        if (child == 0) {
            installTemporaryFileCleanup();
            calls = 0;
            failingCall = 2;
            detail::renameFile = raisingRename;
            static_cast<void>(writeFilesAtomically(outputs));
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
        QCOMPARE(entries(dir.path()), names);
        for (const QString& name : names)
            QCOMPARE(readFile(dir.filePath(name)), "new " + name.toUtf8());
    }

    // A cleanup signal while a temporary file is being written: the program
    // dies of it, and the temporary file dies with it.
    void signalDuringTheWriteRemovesTheTemporary_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP: the terminal closed") << int(SIGHUP);
        QTest::newRow("SIGQUIT") << int(SIGQUIT);
        QTest::newRow("SIGPIPE: the reader of its output gone") << int(SIGPIPE);
    }
    void signalDuringTheWriteRemovesTheTemporary() {
        QFETCH(int, signalNumber);
        QTemporaryDir dir;
        writeFile(dir.filePath("BACK"), "old");
        const pid_t child = ::fork();
        if (child == 0) {
            installTemporaryFileCleanup();
            raisedSignal = signalNumber;
            detail::positionalWrite = raisingWrite;
            static_cast<void>(writeFilesAtomically({{str(dir.filePath("BACK")), toBytes("new")}}));
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber);
        QCOMPARE(entries(dir.path()), QStringList{"BACK"});
        QCOMPARE(readFile(dir.filePath("BACK")), QByteArray("old"));
    }

    // The folders a failed write made are gone again; one that was there stays.
    void failedWriteRemovesTheFoldersItMade() {
        QTemporaryDir dir;
        const std::string folder = str(dir.filePath("x/y/z"));
        calls = 0;
        failingCall = 1;
        detail::renameFile = failingRename;
        const std::vector<OutputFile> back{{joinPath(folder, "BACK"), toBytes("new")}};
        const auto written = writeFilesIntoFolder(folder, back);
        detail::renameFile = ::rename;
        QVERIFY(!written);
        QCOMPARE(entries(dir.path()), QStringList());
        QVERIFY(writeFilesIntoFolder(folder, back).ok());
        QCOMPARE(readFile(dir.filePath("x/y/z/BACK")), QByteArray("new"));
    }

    // A longer, read-only BACKIMG in the player's storage, linked from the
    // skin's folder, is replaced whole through the link and keeps its mode.
    void replacedFileKeepsItsLinkAndMode() {
        QTemporaryDir skinDir, storage;
        const QString real = storage.filePath("BACKIMG"), named = skinDir.filePath("BACKIMG");
        writeFile(real, QByteArray(200000, 'x'));
        QVERIFY(::chmod(str(real).c_str(), 0444) == 0 && QFile::link(real, named));

        QVERIFY(writeFileAtomically(str(named), toBytes("new skin")).ok());
        QCOMPARE(readFile(named), QByteArray("new skin"));
        QCOMPARE(QFileInfo(named).symLinkTarget(), real);
        struct stat info {};
        QVERIFY(::stat(str(real).c_str(), &info) == 0);
        QCOMPARE(int(info.st_mode & 07777), 0444);
        QCOMPARE(entries(storage.path()), QStringList{"BACKIMG"});  // no temporary left beside it
    }

    // What a killed write left: the kept copy goes back over the half-made
    // file, its temporary goes, and names not of the writer's pattern stay.
    void interruptedWriteIsPutRight() {
        QTemporaryDir dir;
        const QString kept = ".BACK.old-0123456789abcdef", temporary = ".skin.tmp-fedcba9876543210";
        const QStringList foreign{".BACK.old-0123456789abcdeg", ".a.tmp-01234567",
                                  "x.tmp-0123456789abcdef"};
        writeFile(dir.filePath("BACK"), "half new");
        writeFile(dir.filePath(kept), "old");
        writeFile(dir.filePath(temporary), "partial");
        for (const QString& name : foreign) writeFile(dir.filePath(name), "mine");
        const auto mended = recoverInterruptedWrites(str(dir.path()));
        QCOMPARE(mended.value().size(), std::size_t(2));
        QCOMPARE(readFile(dir.filePath("BACK")), QByteArray("old"));
        QStringList left = foreign + QStringList{"BACK"}, found = entries(dir.path());
        left.sort();
        found.sort();
        QCOMPARE(found, left);
    }

    // A kill can only fall before or after the one write: the hint flag and
    // its copy never disagree. A refused patch writes nothing.
    void patchIsOneWriteOrNone_data() {
        QTest::addColumn<int>("fileLength");
        QTest::addColumn<QList<int>>("offsets");
        QTest::addColumn<int>("kind");  // -1: written
        QTest::newRow("out of order, one byte twice") << 32 << QList<int>{31, 3, 12, 12} << -1;
        QTest::newRow("file one byte short")
            << 31 << QList<int>{0} << int(Error::Kind::WrongLength);
        QTest::newRow("file one byte long") << 33 << QList<int>{0} << int(Error::Kind::WrongLength);
        QTest::newRow("last patch one past the end")
            << 32 << QList<int>{0, 32} << int(Error::Kind::Invalid);
    }
    void patchIsOneWriteOrNone() {
        QFETCH(int, fileLength);
        QFETCH(QList<int>, offsets);
        QFETCH(int, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath("BACK");
        QByteArray expected = test::randomBytes(fileLength, 4);
        writeFile(path, expected);
        std::vector<Patch> patches;
        for (int i = 0; i < offsets.size(); ++i) {
            patches.push_back({std::uint64_t(offsets[i]), {std::uint8_t(0xA0 + i)}});
            if (kind < 0)
                expected[offsets[i]] = char(0xA0 + i);  // a later patch of the same byte wins
        }
        writeCalls = 0;
        detail::positionalWrite = countingWrite;
        const auto patched = patchFile(str(path), 32, patches);
        detail::positionalWrite = ::pwrite;
        QCOMPARE(patched ? -1 : int(patched.error().kind), kind);
        QCOMPARE(writeCalls, kind < 0 ? 1 : 0);
        QCOMPARE(readFile(path), expected);
    }

    void terminalEscapeKeepsTextAndDefusesControls_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("printed");
        QTest::newRow("colour sequence") << QByteArray("a\x1b[31mb") << QByteArray("a\\x1b[31mb");
        QTest::newRow("newline and a backslash") << QByteArray("a\n\\n") << QByteArray("a\\n\\\\n");
        QTest::newRow("C1 control in UTF-8") << QByteArray(
                                                    "a\xc2\x9b"
                                                    "2J")
                                             << QByteArray("a\\u009b2J");
        QTest::newRow("last C1 control, then a no-break space")
            << QByteArray("\xc2\x9f\xc2\xa0") << QByteArray("\\u009f\xc2\xa0");
        QTest::newRow("invalid UTF-8 kept") << QByteArray("a\xff\xc2") << QByteArray("a\xff\xc2");
    }
    void terminalEscapeKeepsTextAndDefusesControls() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, printed);
        QCOMPARE(QByteArray::fromStdString(escapeForTerminal(name.toStdString())), printed);
    }
};

int main(int argc, char* argv[]) {
    // Child mode: --answer PATH prints what the readers say of PATH.
    if (argc == 3 && std::strcmp(argv[1], "--answer") == 0) {
        std::cout << answerFor(argv[2]);
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestFileSafety test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_file_safety.moc"
