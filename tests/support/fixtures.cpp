#include "support/fixtures.h"

#include "core/images/bmp.h"
#include "core/images/source_set.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

#include <random>

#include <unistd.h>

namespace vireo::test {

void textRow(const char* name, const char* first, const char* second) {
    QTest::newRow(name) << QString(first) << QString(second);
}

QByteArray randomBytes(int length, quint32 key) {
    std::mt19937 generator(key);
    QByteArray bytes(length, '\0');
    for (char& byte : bytes) byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

Bytes toBytes(const QByteArray& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

QByteArray fromBytes(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()));
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                               QDir::NoDotAndDotDot);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
    QVERIFY(file.flush());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

std::map<QString, QByteArray> snapshot(const QString& dir) {
    std::map<QString, QByteArray> all;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        all[info.filePath()] =
            info.isFile() ? readFile(info.filePath()) : QByteArray("not a regular file");
    }
    return all;
}

QByteArray identityTable() {
    QByteArray table(256, '\0');
    for (int i = 0; i < 256; ++i) table[i] = char(i);
    return table;
}

Run runProgram(const QString& program, QStringList arguments, const QString& workingDir) {
    QProcess process;
    if (!workingDir.isEmpty()) process.setWorkingDirectory(workingDir);
    if (!arguments.isEmpty() && arguments.last().startsWith(QLatin1Char('>')))
        process.setStandardOutputFile(arguments.takeLast().mid(1));
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

bool dropFile(QWidget* target, const QString& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    return enter.isAccepted();
}

QColor pixelOf(const QByteArray& bmp, int width, int x, int y, const QByteArray& palette) {
    const QByteArray& table = palette.isEmpty() ? bmp : palette;
    const int entry = 54 + 4 * quint8(bmp.at(1078 + y * width + x));  // blue, green, red, unused
    return QColor(quint8(table.at(entry + 2)), quint8(table.at(entry + 1)),
                  quint8(table.at(entry)));
}

QByteArray bmp8(int width, int height, const QByteArray& palette, const QByteArray& pixels) {
    return fromBytes(images::makeBmpHeader(width, height)) + palette + pixels;
}

SourceFolder::SourceFolder(quint32 key) {
    quint32 next = key;
    for (const auto& image : images::kSourceSet) {
        const QString name = QString::fromLatin1(image.fileName);
        const QByteArray palette = randomBytes(1024, next++);
        const QByteArray pixels = randomBytes(image.width * image.height, next++);
        files[name] = bmp8(image.width, image.height, palette, pixels);
        writeFile(path(name), files[name]);
    }
    files[QStringLiteral("BACK")] = randomBytes(32, next);
    writeFile(path(QStringLiteral("BACK")), files[QStringLiteral("BACK")]);
}

}  // namespace vireo::test

namespace vireo::test {

std::optional<QByteArray> runSelfAsNobody(const QStringList& args) {
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (geteuid() != 0 || setpriv.isEmpty()) return std::nullopt;
    QProcess child;
    child.start(
        setpriv,
        QStringList{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                    QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath()} +
            args);
    if (!child.waitForFinished(30000)) return QByteArray("child run as nobody timed out");
    // setpriv's own codes when it cannot start the program, e.g. from a private home folder.
    if (child.exitStatus() == QProcess::NormalExit &&
        (child.exitCode() == 126 || child.exitCode() == 127))
        return std::nullopt;
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return "child run as nobody failed: " + child.readAllStandardError();
    return child.readAllStandardOutput();
}

void openToOthers(const QString& dir) {
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                   QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                   QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                   QFileDevice::ExeOther);
}

}  // namespace vireo::test
