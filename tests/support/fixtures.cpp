#include "support/fixtures.h"

#include "images/source_set.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

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
    QByteArray header(54, '\0');
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, header.data() + at); };
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, header.data() + at); };
    const int pixelBytes = width * height;
    header[0] = 'B';
    header[1] = 'M';
    put32(2, 1078 + pixelBytes);  // file size
    put32(10, 1078);              // pixel data offset
    put32(14, 40);                // information header size
    put32(18, width);
    put32(22, height);
    put16(26, 1);  // planes
    put16(28, 8);  // bits per pixel
    put32(34, pixelBytes);
    put32(46, 256);  // colours used
    return header + palette + pixels;
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
