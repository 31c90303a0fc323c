#include "images/source_set.h"
#include "skin/generation.h"
#include "support/fixtures.h"

#include <QTest>

using namespace vireo;

namespace {

Bytes toBytes(const QByteArray& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

skin::SkinSourceBytes contentsOf(const test::SourceFolder& folder) {
    skin::SkinSourceBytes sources;
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        sources.pictures[i] = toBytes(folder.files.at(QString::fromLatin1(images::kSourceSet[i].fileName)));
    sources.settings = toBytes(folder.files.at(QStringLiteral("BACK")));
    return sources;
}

skin::SkinSources pathsOf(const test::SourceFolder& folder) {
    return {images::derivePaths(folder.folder().toStdString()),
            folder.path(QStringLiteral("BACK")).toStdString()};
}

Bytes& fileIn(skin::SkinSourceBytes& sources, const QString& name) {
    for (std::size_t i = 0; i < images::kSourceCount; ++i)
        if (name == QLatin1String(images::kSourceSet[i].fileName)) return sources.pictures[i];
    return sources.settings;
}

}  // namespace

class SkinBytesTest : public QObject {
    Q_OBJECT

private slots:
    void bytesGiveTheSameSkinAsFiles() {
        test::SourceFolder folder(7);
        const auto fromFiles = skin::assembleSkin(pathsOf(folder));
        const auto fromBytes = skin::assembleSkin(contentsOf(folder));
        QVERIFY(fromFiles.ok());
        QVERIFY(fromBytes.ok());
        QVERIFY(fromFiles.value() == fromBytes.value());
    }

    void lengthAtTheEdge_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("background one byte short") << "main256.bmp" << -1 << false;
        QTest::newRow("background one byte longer") << "music_main256.bmp" << 1 << true;
        QTest::newRow("options icon one byte short") << "help256.bmp" << -1 << false;
        QTest::newRow("small icon one byte short") << "fu256.bmp" << -1 << false;
        QTest::newRow("small icon cut to its header") << "ft256.bmp" << -1280 << false;
        QTest::newRow("BACK of 31 bytes") << "BACK" << -1 << false;
        QTest::newRow("BACK of 33 bytes") << "BACK" << 1 << true;
    }
    void lengthAtTheEdge() {
        QFETCH(QString, name);
        QFETCH(int, change);
        QFETCH(bool, accepted);
        test::SourceFolder folder(3);
        const auto expected = skin::assembleSkin(contentsOf(folder));
        QVERIFY(expected.ok());

        auto sources = contentsOf(folder);
        Bytes& file = fileIn(sources, name);
        file.resize(std::size_t(int(file.size()) + change), 0xEE);
        const auto skin = skin::assembleSkin(sources);
        QCOMPARE(skin.ok(), accepted);
        if (accepted) {
            QVERIFY(skin.value() == expected.value());  // the extra byte is never copied
        } else {
            QCOMPARE(skin.error().kind, Error::Kind::ShortRead);
            QCOMPARE(QString::fromStdString(skin.error().path), name);
        }
    }
};

QTEST_MAIN(SkinBytesTest)
#include "tst_skin_bytes.moc"
