// `vireo-skin update` through the real program.

#include "project_fixture.h"
#include "support/fixtures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace vireo;

namespace {

test::Run run(const QStringList& arguments) {
    return test::runProgram(QStringLiteral(VIREO_SKIN_PROGRAM), arguments);
}

}  // namespace

class TestProjectCli : public QObject {
    Q_OBJECT

private slots:
    void updateTwiceWritesNothingTheSecondTime() {
        test::ProjectFolder folder;
        // A round icon: its corners show the background, so a move changes its bytes.
        const QString round = test::writeRoundIcon(folder.path("round.png"), Qt::red);
        QVERIFY(
            folder.project
                ->setOriginal(images::Source::MovieIcon, round.toStdString(), artwork::Fit::Cover)
                .ok());
        QByteArray back = test::readFile(folder.path("BACK"));
        back[16] = char(6), back[17] = char(96);
        test::writeFile(folder.path("BACK"), back);
        const QByteArray help = test::readFile(folder.path("help256.bmp"));

        const test::Run first = run({"update", folder.folder()});
        QCOMPARE(first.status, 0);
        // Only the moved icon: one line, naming it.
        QCOMPARE(first.out.trimmed().split('\n').size(), 1);
        QVERIFY2(first.out.contains("movie256.bmp"), qPrintable(first.out));
        QCOMPARE(test::readFile(folder.path("help256.bmp")), help);

        const auto before = test::snapshot(folder.dir.path());
        const test::Run second = run({"update", folder.folder()});
        QCOMPARE(second.status, 0);
        QCOMPARE(second.out.trimmed(), QStringLiteral("没有需要更新的源图片"));
        QCOMPARE(test::snapshot(folder.dir.path()), before);
    }

    void importIntoItsOwnFolderLeavesNothingStale() {
        test::ProjectFolder folder;
        QFile::remove(folder.path("art/derived.json"));
        const test::Run imported =
            run({"import", folder.path("art"), "-o", folder.folder(), "--force", "--dither", "0"});
        QCOMPARE(imported.status, 0);
        QVERIFY(QFile::exists(folder.path("art/derived.json")));
        const auto before = test::snapshot(folder.dir.path());
        QCOMPARE(run({"update", folder.folder()}).status, 0);
        QCOMPARE(test::snapshot(folder.dir.path()), before);
    }

    // A frame given to import is kept with the original: update, deriving
    // a replaced picture again, shows the same part of it.
    void aFrameIsKeptAndRepeatedByUpdate() {
        test::ProjectFolder folder;
        const auto writeWide = [&](QColor leftEnd) {
            QImage wide(480, 160, QImage::Format_RGB32);
            wide.fill(Qt::darkGray);
            for (int y = 0; y < 160; ++y)
                for (int x = 0; x < 120; ++x) wide.setPixelColor(x, y, leftEnd);
            QFile::remove(folder.path("art/main256.png"));
            QVERIFY(wide.save(folder.path("art/main256.png")));
        };
        const auto leftOfScreen = [&] {
            return test::pixelOf(test::readFile(folder.path("main256.bmp")), 240, 2, 80);
        };
        writeWide(Qt::red);
        QCOMPARE(run({"import", folder.path("art"), "-o", folder.folder(), "--force", "--fit",
                      "cover", "--frame", "main256.bmp=0,50,100"})
                     .status,
                 0);
        QCOMPARE(leftOfScreen(), QColor(Qt::red));
        writeWide(Qt::green);
        QCOMPARE(run({"update", folder.folder()}).status, 0);
        QCOMPARE(leftOfScreen(), QColor(Qt::green));
        // Refused as it stands, before anything is read.
        const test::Run bad = run({"import", folder.path("art"), "-o", folder.folder(), "--force",
                                   "--frame", "main256.bmp=50,50,90"});
        QCOMPARE(bad.status, 2);
        QVERIFY2(bad.err.contains("50,50,90"), qPrintable(bad.err));
    }

    // The default grid's rows share four lines of pixels; more than that is
    // a warning, naming the icon hidden and the one over it.
    void doctorWarnsOfIconsThatHideEachOther_data() {
        QTest::addColumn<QString>("movie");
        QTest::addColumn<QStringList>("warned");
        QTest::newRow("the default grid") << "12,26" << QStringList();
        QTest::newRow("five lines into the row below")
            << "12,27" << QStringList{"movie256.bmp<game256.bmp 320"};
        QTest::newRow("under the music icon and the e-book icon")
            << "80,60"
            << QStringList{"movie256.bmp<music256.bmp 1680", "movie256.bmp<ebook256.bmp 2128"};
    }

    void doctorWarnsOfIconsThatHideEachOther() {
        QFETCH(QString, movie);
        QFETCH(QStringList, warned);
        QTemporaryDir dir;
        const QString project = dir.filePath("p");
        QCOMPARE(run({"new", project}).status, 0);
        QCOMPARE(run({"settings", project + "/BACK", "--set", "movie=" + movie}).status, 0);
        const test::Run doctor = run({"doctor", "--json", project});
        QCOMPARE(doctor.status, 0);
        QStringList found;
        const QJsonObject report = QJsonDocument::fromJson(doctor.out.toUtf8()).object();
        for (const QJsonValue file : report["files"].toArray())
            for (const QJsonValue problem : file["problems"].toArray()) {
                QCOMPARE(problem["code"].toString(), QStringLiteral("icons-overlap"));
                QCOMPARE(problem["severity"].toString(), QStringLiteral("warning"));
                const QString message = problem["message"].toString();
                const QStringList words = message.split(' ');
                // "BACK 中 OVER 盖住了 HIDDEN 的 N 个像素，…"
                found << words[4] + '<' + words[2] + ' ' + words[6];
            }
        QCOMPARE(found, warned);
    }
};

QTEST_MAIN(TestProjectCli)
#include "tst_project_cli.moc"
