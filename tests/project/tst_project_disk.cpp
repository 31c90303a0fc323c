// The folder is the truth: edits made outside the project are seen by content,
// sources edited by hand are never derived over unasked, killed writes are put
// right, and undo checks only the files its step touches.

#include "project_fixture.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <algorithm>

#include <sys/stat.h>

using namespace vireo;
using images::Source;
using project::Position;
using project::RecordItem;

namespace {

// The source with one pixel's index changed: the same length, other bytes.
QByteArray withOnePixelChanged(const QByteArray& bmp) {
    QByteArray edited = bmp;
    edited[1078] = char(uchar(edited.at(1078)) ^ 1);
    return edited;
}

}  // namespace

class TestProjectDisk : public QObject {
    Q_OBJECT

private slots:
    void aHandEditIsSeenAndKeptUntilAsked() {
        test::ProjectFolder folder;
        auto& project = *folder.project;
        const QString round = test::writeRoundIcon(folder.path("round.png"), Qt::red);
        QVERIFY(
            project.setOriginal(Source::MovieIcon, round.toStdString(), artwork::Fit::Cover).ok());
        const QByteArray edited = withOnePixelChanged(test::readFile(folder.path("movie256.bmp")));
        test::writeFile(folder.path("movie256.bmp"), edited);
        // Written within the same second and of the same length: only its bytes tell.
        QCOMPARE(project.changedOnDisk(),
                 std::vector<std::string>{folder.path("movie256.bmp").toStdString()});
        QVERIFY(project.reload().ok());
        QCOMPARE(project.handEditedSources(), std::vector<Source>{Source::MovieIcon});

        // A move, a new background and an update all leave the edit alone.
        QVERIFY(project.setPosition(RecordItem::MoviePosition, {100, 90}).value());
        const auto moved = project.derive(Source::MovieIcon);
        QVERIFY(!moved.ok());
        QCOMPARE(moved.error().detail, std::string(project::kHandEdited));
        const QString wall = test::writeGradient(folder.path("wall.png"), 2);
        QVERIFY(
            !project.setOriginal(Source::MainBackground, wall.toStdString(), artwork::Fit::Cover)
                 .ok());
        const auto updated = project.deriveStale(false);
        QVERIFY(updated.ok());
        QCOMPARE(updated.value().handEdited, std::vector<Source>{Source::MovieIcon});
        QCOMPARE(test::readFile(folder.path("movie256.bmp")), edited);

        // Kept, the edit becomes the original: fresh, and derived from at the next move.
        QVERIFY(project.keepHandEdit(Source::MovieIcon).ok());
        // Stored bottom row first, as picture editors read a BMP.
        const QByteArray kept = test::readFile(folder.path("art/movie256.bmp"));
        QCOMPARE(kept.size(), edited.size());
        QCOMPARE(kept.mid(1078 + 63 * 64, 64), edited.mid(1078, 64));
        QVERIFY(!QFile::exists(folder.path("art/movie256.png")));
        QVERIFY(project.handEditedSources().empty());
        QVERIFY(project.staleSources().empty());
        QCOMPARE(test::readFile(folder.path("movie256.bmp")), edited);
        QVERIFY(project.derive(Source::MovieIcon).ok());
        QCOMPARE(test::pixelOf(test::readFile(folder.path("movie256.bmp")), 64, 0, 0),
                 test::pixelOf(edited, 64, 0, 0));

        // Overwriting is the author's explicit choice.
        test::writeFile(folder.path("movie256.bmp"), withOnePixelChanged(edited));
        QVERIFY(project.derive(Source::MovieIcon, project::HandEdits::Overwrite).ok());
        QCOMPARE(test::readFile(folder.path("movie256.bmp")).mid(1078, 1), edited.mid(1078, 1));
    }

    // Files stamped long after they last changed are trusted by their stat,
    // so a change of the stat alone must count; and an original that appears
    // in art/ is a change too.
    void aChangedStatAndANewOriginalAreSeen() {
        test::ProjectFolder folder;
        const QByteArray fu = test::readFile(folder.path("art/fu256.png"));
        QFile::remove(folder.path("art/fu256.png"));
        QTest::qSleep(2100);  // past the window in which a stat proves nothing
        project::Project opened(folder.decoder, {});
        QVERIFY(opened.openFolder(folder.folder().toStdString()).ok());
        QVERIFY(opened.changedOnDisk().empty());
        QByteArray back = test::readFile(folder.path("BACK"));
        back[31] = char(uchar(back.at(31)) ^ 1);
        test::writeFile(folder.path("BACK"), back);
        test::writeFile(folder.path("art/fu256.png"), fu);
        auto changed = opened.changedOnDisk();
        std::sort(changed.begin(), changed.end());
        QCOMPARE(changed, (std::vector<std::string>{folder.path("BACK").toStdString(),
                                                    folder.path("art/fu256.png").toStdString()}));
    }

    void missingAndDamagedSourcesAreDerivedAgain_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("damage");
        QTest::newRow("icon removed") << "movie256.bmp" << QByteArray();
        QTest::newRow("background cut short") << "main256.bmp" << QByteArray("BM\x10");
        QTest::newRow("tree background of another size")
            << "tree_main256.bmp" << test::readFile(QStringLiteral(VIREO_DEMO_DIR "ft256.bmp"));
    }

    void missingAndDamagedSourcesAreDerivedAgain() {
        QFETCH(QString, name);
        QFETCH(QByteArray, damage);
        test::ProjectFolder folder;
        const QByteArray fresh = test::readFile(folder.path(name));
        if (damage.isEmpty())
            QFile::remove(folder.path(name));
        else
            test::writeFile(folder.path(name), damage);
        const auto updated = folder.project->deriveStale(false);
        QVERIFY2(updated.ok(), updated.ok() ? "" : updated.error().detail.c_str());
        QCOMPARE(test::readFile(folder.path(name)), fresh);
        QVERIFY(folder.project->staleSources().empty());
    }

    void anOriginalThatIsNoFileIsRefusedByName() {
        test::ProjectFolder folder;
        QFile::remove(folder.path("art/game256.png"));
        QVERIFY(::mkfifo(folder.path("art/game256.png").toLocal8Bit().constData(), 0644) == 0);
        const auto before = test::snapshot(folder.dir.path());
        const auto updated = folder.project->deriveStale(true);
        QVERIFY(!updated.ok());
        QCOMPARE(QString::fromStdString(updated.error().path), folder.path("art/game256.png"));
        QCOMPARE(test::snapshot(folder.dir.path()), before);
    }

    // The e-book page: no icon's colours go into its palette, so only its
    // own fit can make it stale.
    void aChangedFitMakesItsSourceStale() {
        test::ProjectFolder folder;
        const std::size_t ebook = static_cast<std::size_t>(Source::EbookBackground);
        QVERIFY(folder.project->derivedRecord()[ebook]->fit == artwork::Fit::Refuse);
        QVERIFY(folder.project->deriveStale(false, artwork::Fit::Contain).ok());
        QVERIFY(folder.project->derivedRecord()[ebook]->fit == artwork::Fit::Contain);
        QVERIFY(folder.project->staleSources().empty());
    }

    // An original changed in place, its length kept: only its bytes tell.
    void anOriginalEditedInPlaceIsStale() {
        test::ProjectFolder folder;
        QFile::remove(folder.path("art/game256.png"));
        QByteArray original = test::readFile(folder.path("game256.bmp"));
        test::writeFile(folder.path("art/game256.bmp"), original);
        QVERIFY(folder.project->deriveStale(false).ok());
        QVERIFY(folder.project->staleSources().empty());
        original[1078 + 100] = char(uchar(original.at(1078 + 100)) ^ 1);
        test::writeFile(folder.path("art/game256.bmp"), original);
        QVERIFY(folder.project->reload().ok());
        // The icon, and the main background whose palette serves its colours.
        QCOMPARE(folder.project->staleSources(),
                 (std::vector<Source>{Source::MainBackground, Source::GameIcon}));
    }

    // A main background put in by hand: every icon drawn with its palette is stale.
    void aReplacedBackgroundMakesItsIconsStale() {
        test::ProjectFolder folder;
        QFile::remove(folder.path("main256.bmp"));
        QVERIFY(QFile::copy(folder.path("music_main256.bmp"), folder.path("main256.bmp")));
        QVERIFY(folder.project->reload().ok());
        QCOMPARE(folder.project->staleSources(),
                 (std::vector<Source>{Source::MovieIcon, Source::MusicIcon, Source::EbookIcon,
                                      Source::OptionsIcon, Source::GameIcon, Source::PictureIcon}));
    }

    // An update from outside rewrites derived.json and another source; the
    // earlier step touched only the options icon's files, so it still undoes.
    // A save of BACK is no step: the undo leaves it.
    void undoChecksOnlyTheFilesOfItsStep() {
        test::ProjectFolder folder;
        auto& project = *folder.project;
        const QByteArray options = test::readFile(folder.path("help256.bmp"));
        QVERIFY(project.setPosition(RecordItem::OptionsPosition, {1, 2}).value());
        QVERIFY(project.writeRecord().ok());
        const QByteArray back = test::readFile(folder.path("BACK"));
        const QString red = test::writeRoundIcon(folder.path("red.png"), Qt::red);
        QVERIFY(
            project.setOriginal(Source::OptionsIcon, red.toStdString(), artwork::Fit::Cover).ok());
        QVERIFY(test::readFile(folder.path("help256.bmp")) != options);

        QFile::remove(folder.path("art/ebook_main256.png"));
        test::writeGradient(folder.path("art/ebook_main256.png"), 1);
        project::Project outside(folder.decoder, {});
        QVERIFY(outside.openFolder(folder.folder().toStdString()).ok());
        QCOMPARE(outside.staleSources(), std::vector<Source>{Source::EbookBackground});
        QVERIFY(outside.deriveStale(false).ok());
        const QByteArray page = test::readFile(folder.path("ebook_main256.bmp"));

        QVERIFY(project.undo().ok());
        QCOMPARE(test::readFile(folder.path("help256.bmp")), options);
        QCOMPARE(test::readFile(folder.path("BACK")), back);
        QCOMPARE(test::readFile(folder.path("ebook_main256.bmp")), page);
        QCOMPARE(project.staleSources(), std::vector<Source>{Source::OptionsIcon});

        // Redo is refused once its file changed outside, and kept.
        QByteArray edited = options;
        edited[2000] = char(edited[2000] ^ 1);
        test::writeFile(folder.path("help256.bmp"), edited);
        const auto redone = project.redo();
        QVERIFY(!redone.ok());
        QCOMPARE(redone.error().detail, std::string(project::kChangedOutside));
        QVERIFY(project.canRedo());
    }

    // An invalid derived.json does not hide the folder: it opens, says why,
    // knows nothing stale, and a forced derive makes it anew.
    void anInvalidDerivedFileIsReportedAndMadeAnew() {
        test::ProjectFolder folder;
        test::writeFile(folder.path("art/derived.json"), "{\"version\":1");
        project::Project opened(folder.decoder, {});
        QVERIFY(opened.openFolder(folder.folder().toStdString()).ok());
        QVERIFY(opened.derivedProblem() != nullptr);
        QVERIFY(opened.staleSources().empty());
        QVERIFY(opened.deriveStale(true, std::nullopt, project::HandEdits::Overwrite).ok());
        QVERIFY(opened.derivedProblem() == nullptr);
        QVERIFY(opened.derivedRecord()[0].has_value());
    }
};

QTEST_MAIN(TestProjectDisk)
#include "tst_project_disk.moc"
