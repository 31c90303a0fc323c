#include "support/fixtures.h"

#include "images/bmp.h"
#include "images/source_set.h"

#include <QFile>
#include <QTest>

#include <random>

namespace vireo::test {

QByteArray randomBytes(int length, quint32 seed) {
    std::mt19937 generator(seed);
    QByteArray bytes(length, '\0');
    for (char& byte : bytes) byte = static_cast<char>(generator() & 0xFF);
    return bytes;
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

QByteArray bmp8(int width, int height, const QByteArray& palette, const QByteArray& pixels) {
    const Bytes header = images::makeBmpHeader(width, height);
    return QByteArray(reinterpret_cast<const char*>(header.data()), int(header.size())) + palette +
           pixels;
}

SourceFolder::SourceFolder(quint32 seed) {
    quint32 next = seed;
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
