#include "images/source_set.h"
#include "skin/generation.h"
#include "skin/screen.h"
#include "support/fixtures.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using namespace vireo;

namespace {

const QString kDemo = QStringLiteral(VIREO_DEMO_DIR);

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run vireoSkin(const QString& line) {
    QProcess process;
    process.start(QStringLiteral(VIREO_SKIN_PROGRAM), line.split(' ', Qt::SkipEmptyParts));
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

std::map<QString, QByteArray> snapshot(const QString& dir) {
    std::map<QString, QByteArray> entries;
    for (const QString& name : test::entries(dir)) entries[name] = test::readFile(dir + '/' + name);
    return entries;
}

skin::Picture screenOf(const Bytes& skinBytes, skin::Screen screen) {
    return skin::renderScreen(skin::skinFileOf(skinBytes, "BACKIMG").value(), screen);
}

// Every file of `from` (a folder with its trailing separator) copied into `to`.
void copyFiles(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files)) QFile::copy(from + name, to + '/' + name);
}

QStringList keysOf(const QJsonValue& value) { return value.toObject().keys(); }

}  // namespace

class CliArtworkTest : public QObject {
    Q_OBJECT

private slots:
    // From the demo's artwork to an exact set that verify and doctor pass and
    // whose skin shows the committed set's screens colour for colour. A second
    // import without --force names the files it would replace and changes nothing.
    void demoArtworkImportsIntoTheDemoSet() {
        QTemporaryDir dir;
        const QString set = dir.filePath("set");
        QCOMPARE(vireoSkin("import " + kDemo + "art -o " + set).status, 0);
        QCOMPARE(vireoSkin("verify " + set).status, 0);
        const Run doctor = vireoSkin("doctor " + set);
        QCOMPARE(doctor.status, 0);
        QVERIFY(doctor.out.isEmpty());
        QCOMPARE(vireoSkin("build " + set + " -o " + dir.filePath("BACKIMG")).status, 0);
        const auto committed = skin::assembleSkin(
            skin::SkinSources{images::derivePaths(kDemo.toStdString()), (kDemo + "BACK").toStdString()});
        const Bytes imported = test::toBytes(test::readFile(dir.filePath("BACKIMG")));
        for (const auto screen : {skin::Screen::Main, skin::Screen::Tree, skin::Screen::Ebook, skin::Screen::Music})
            QVERIFY(screenOf(imported, screen).pixels == screenOf(committed.value(), screen).pixels);

        QVERIFY(QFile::remove(set + "/fu256.bmp"));
        const auto before = snapshot(set);
        const Run again = vireoSkin("import " + kDemo + "art -o " + set);
        QCOMPARE(again.status, 1);
        QVERIFY2(again.err.contains("/main256.bmp\n") && again.err.contains("/BACK\n") &&
                     !again.err.contains("fu256.bmp"),
                 qPrintable(again.err));
        QVERIFY(snapshot(set) == before);
    }

    // What a viewer shows on top the player shows on top: import, build, render.
    void uprightPictureRendersUpright() {
        QTemporaryDir dir;
        copyFiles(kDemo + "art/", dir.filePath("art"));
        QImage picture(240, 160, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 240; ++x) picture.setPixel(x, y, qRgb(255, 0, 0));
        QVERIFY(picture.save(dir.filePath("art/main256.png")));
        QCOMPARE(vireoSkin("import " + dir.filePath("art") + " -o " + dir.filePath("set")).status, 0);
        QCOMPARE(vireoSkin("build " + dir.filePath("set")).status, 0);
        QCOMPARE(vireoSkin("render " + dir.filePath("set/BACKIMG") + " -o " + dir.filePath("main.png")).status, 0);
        const QImage shown(dir.filePath("main.png"));
        // The icons leave the screen's left and right edges to the background.
        for (const int x : {0, 239})
            for (int y = 0; y < 160; ++y)
                QCOMPARE(shown.pixel(x, y), y < 80 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    }

    // Four files the player could not use: an icon with its own palette, a PNG
    // under an icon's name, a missing icon, a folder for BACK. doctor names
    // each, in lines and in JSON; convert makes the icons exact and, with
    // another BACK named, doctor passes.
    void doctorFindsAndConvertFixes() {
        QTemporaryDir dir;
        const QString set = dir.path();
        copyFiles(kDemo, set);
        const QByteArray movie = test::readFile(set + "/movie256.bmp");
        QByteArray reversed = movie;
        for (int i = 0; i < 256; ++i) reversed.replace(54 + i * 4, 4, movie.mid(54 + (255 - i) * 4, 4));
        for (int i = 1078; i < movie.size(); ++i) reversed[i] = char(255 - quint8(movie[i]));
        test::writeFile(set + "/movie256.bmp", reversed);
        test::writeFile(set + "/ft256.bmp", test::readFile(kDemo + "art/ft256.png"));
        QVERIFY(QFile::remove(set + "/fu256.bmp") && QFile::remove(set + "/BACK") && QDir(set).mkdir("BACK"));

        const Run lines = vireoSkin("doctor " + set);
        QCOMPARE(lines.status, 1);
        const QStringList found = lines.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(found.size(), 4);
        QVERIFY(found[0].startsWith("movie256.bmp: movie256.bmp ") && found[0].contains(" — "));
        QVERIFY(found[1].startsWith("ft256.bmp: ") && found[1].contains("PNG"));

        const Run json = vireoSkin("doctor --json " + set);
        QCOMPARE(json.status, 1);
        const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(root.keys(), (QStringList{"files", "folder", "ok"}));
        QCOMPARE(root["folder"].toString(), set);
        QCOMPARE(root["ok"].toBool(true), false);
        const QJsonArray files = root["files"].toArray();
        QCOMPARE(files.size(), 13);
        QStringList codes;
        for (const QJsonValue& file : files) {
            QCOMPARE(keysOf(file), (QStringList{"file", "problems"}));
            for (const QJsonValue& problem : file["problems"].toArray()) {
                QCOMPARE(keysOf(problem), (QStringList{"code", "fix", "message"}));
                codes << file["file"].toString() + ' ' + problem["code"].toString();
            }
        }
        QCOMPARE(codes, (QStringList{"movie256.bmp icon-colours-differ", "ft256.bmp not-bmp", "fu256.bmp missing",
                                     "BACK not-a-file"}));

        QCOMPARE(vireoSkin("convert " + set + "/movie256.bmp --as movie256.bmp --keep-rows --palette " + set +
                           "/main256.bmp -o " + dir.filePath("movie.new")).status, 0);
        for (const QString icon : {"ft256", "fu256"})
            QCOMPARE(vireoSkin("convert " + kDemo + "art/" + icon + ".png --as " + icon + ".bmp --palette " + set +
                               "/tree_main256.bmp -o " + set + '/' + icon + ".bmp").status, 0);
        QVERIFY(QFile::remove(set + "/movie256.bmp") && QFile::rename(dir.filePath("movie.new"), set + "/movie256.bmp"));
        QCOMPARE(vireoSkin("doctor " + set + " --back " + kDemo + "BACK").status, 0);
        // The remapped icon shows its colours as before, now from the background's palette.
        const QByteArray main = test::readFile(set + "/main256.bmp"), remapped = test::readFile(set + "/movie256.bmp");
        const auto colour = [&](char index) { return main.mid(54 + 4 * quint8(index), 3); };
        for (int i = 1078; i < movie.size(); ++i) QCOMPARE(colour(remapped[i]), colour(movie[i]));
    }

    // '@' is a temporary folder holding the demo set and a file that is no picture.
    void wrongInputWritesNothing_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("no folder") << "doctor @/none" << 2 << "@/none";
        QTest::newRow("other size, no fit") << "convert @/main256.bmp --as ft256.bmp --palette @/tree_main256.bmp -o @/x.bmp"
                                            << 1 << "240×160";
        QTest::newRow("icon without palette") << "convert @/ft256.bmp --as ft256.bmp -o @/x.bmp" << 2 << "--palette";
        QTest::newRow("matte with #") << "convert @/main256.bmp --as main256.bmp --matte #ff0000 -o @/x.bmp" << 2
                                      << "#ff0000";
        QTest::newRow("dither above 1") << "import @ -o @/out --dither 1.5" << 2 << "0 到 1";
        QTest::newRow("not a picture") << "convert @/BACK --as main256.bmp -o @/x.bmp" << 1 << "@/BACK";
        QTest::newRow("no art folder") << "import @/none -o @/out" << 2 << "@/none";
    }
    void wrongInputWritesNothing() {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        copyFiles(kDemo, dir.path());
        const auto before = snapshot(dir.path());
        const Run run = vireoSkin(line.replace('@', dir.path()));
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message.replace('@', dir.path())), qPrintable(run.err));
        QVERIFY(snapshot(dir.path()) == before);
    }
};

QTEST_GUILESS_MAIN(CliArtworkTest)
#include "tst_cli_artwork.moc"
