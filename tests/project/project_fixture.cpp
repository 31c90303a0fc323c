#include "project_fixture.h"

#include "core/artwork/import.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtTest>

namespace vireo::test {

ProjectFolder::ProjectFolder() {
    QDir().mkpath(path("art"));
    const QDir demo(QStringLiteral(VIREO_DEMO_DIR "art"));
    for (const QString& name : demo.entryList(QDir::Files))
        QFile::copy(demo.filePath(name), path("art/" + name));
    artwork::ImportOptions options;
    options.convert.dither = 0;
    auto made = artwork::importArtwork(path("art").toStdString(), decoder, options);
    QVERIFY(made.ok());
    for (const artwork::OutputFile& file : made.value())
        writeFile(path(QString::fromStdString(file.name)), fromBytes(file.bytes));
    writeFile(path("ASCII"), identityTable());
    project = std::make_unique<project::Project>(decoder, path("ASCII").toStdString());
    project->setConvertOptions(options.convert);
    QVERIFY(project->openFolder(folder().toStdString()).ok());
    QVERIFY(project->deriveStale(true).ok());
}

QString writeRoundIcon(const QString& path, QColor colour) {
    QImage icon(64, 64, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if ((x - 31.5) * (x - 31.5) + (y - 31.5) * (y - 31.5) <= 28 * 28)
                icon.setPixelColor(x, y, colour);
    icon.save(path, "PNG");
    return path;
}

QString writeGradient(const QString& path, int variant) {
    QImage picture(240, 160, QImage::Format_RGB32);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x)
            picture.setPixelColor(
                x, y, QColor((x + variant * 40) % 256, (y * 3 + variant) % 256, (x + y) % 256));
    picture.save(path, "PNG");
    return path;
}

}  // namespace vireo::test
