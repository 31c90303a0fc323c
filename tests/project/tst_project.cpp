// Deriving from the originals: moves, new backgrounds and undo, checked
// against pixels and positions written here, never against a second derive.

#include "core/artwork/import.h"
#include "project_fixture.h"
#include "support/fixtures.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace vireo;
using images::Source;
using project::Position;
using project::RecordItem;

namespace {

// The six 64×64 icons and where the record keeps each one's position.
const std::array<std::pair<Source, RecordItem>, 6> kLargeIcons = {{
    {Source::MovieIcon, RecordItem::MoviePosition},
    {Source::MusicIcon, RecordItem::MusicPosition},
    {Source::PictureIcon, RecordItem::PicturePosition},
    {Source::GameIcon, RecordItem::GamePosition},
    {Source::EbookIcon, RecordItem::EbookPosition},
    {Source::OptionsIcon, RecordItem::OptionsPosition},
}};

QByteArray fileOf(const test::ProjectFolder& folder, const char* name) {
    return test::readFile(folder.path(QString::fromLatin1(name)));
}

// Every corner pixel of a round icon (outside its disc) shows the main
// background under it, pixel for pixel.
void checkCornersShowBackground(const QByteArray& icon, const QByteArray& main, Position at) {
    for (const auto& [x, y] : {std::pair{0, 0}, {63, 0}, {0, 63}, {63, 63}, {2, 5}}) {
        const int screenX = at.x + x, screenY = at.y + y;
        if (screenX >= 240 || screenY >= 160) continue;
        QCOMPARE(test::pixelOf(icon, 64, x, y), test::pixelOf(main, 240, screenX, screenY));
    }
}

// Counts the record's announcements.
struct Counter : project::ProjectListener {
    int records = 0, written = 0;
    void recordChanged(bool wasWritten) override { ++records, written += wasWritten; }
};

}  // namespace

class TestProject : public QObject {
    Q_OBJECT

private slots:
    void dropMoveAndBackGivesTheFreshBytes() {
        test::ProjectFolder folder;
        auto& project = *folder.project;
        const QString round = test::writeRoundIcon(folder.path("round.png"), Qt::red);
        QVERIFY(
            project.setOriginal(Source::MovieIcon, round.toStdString(), artwork::Fit::Cover).ok());
        const QByteArray fresh = fileOf(folder, "movie256.bmp");
        const Position home = project.record().positions[0];
        checkCornersShowBackground(fresh, fileOf(folder, "main256.bmp"), home);

        // Icons drawn later show the movie icon where they are transparent:
        // the e-book icon at 88,86, which it now reaches into, and the game
        // icon at 12,86, whose top four rows it no longer covers, are stale.
        const QByteArray ebook = fileOf(folder, "ebook256.bmp");
        QVERIFY(project.setPosition(RecordItem::MoviePosition, {100, 90}).value());
        QCOMPARE(project.staleSources(),
                 (std::vector<Source>{Source::MovieIcon, Source::EbookIcon, Source::GameIcon}));
        QVERIFY(project.derive(Source::MovieIcon).ok());
        const QByteArray moved = fileOf(folder, "movie256.bmp");
        QVERIFY(moved != fresh);
        checkCornersShowBackground(moved, fileOf(folder, "main256.bmp"), {100, 90});
        QVERIFY(project.staleSources().empty());

        QVERIFY(project.setPosition(RecordItem::MoviePosition, home).value());
        QVERIFY(project.derive(Source::MovieIcon).ok());
        QCOMPARE(fileOf(folder, "movie256.bmp"), fresh);
        QCOMPARE(fileOf(folder, "ebook256.bmp"), ebook);
        QVERIFY(project.staleSources().empty());
    }

    void aNewBackgroundRedrawsEveryIconOverIt() {
        test::ProjectFolder folder;
        auto& project = *folder.project;
        for (const auto& [icon, item] : kLargeIcons) {
            const QString name = QString::fromLatin1(images::sourceImage(icon).fileName) + ".png";
            test::writeRoundIcon(folder.path(name), QColor(40 * static_cast<int>(icon), 200, 30));
            QVERIFY(project.setOriginal(icon, folder.path(name).toStdString(), artwork::Fit::Cover)
                        .ok());
        }
        std::map<Source, QByteArray> before;
        for (const auto& [icon, item] : kLargeIcons)
            before[icon] = fileOf(folder, images::sourceImage(icon).fileName);
        const QByteArray folderIcon = fileOf(folder, "ft256.bmp");
        const QByteArray demoMain = fileOf(folder, "art/main256.png");

        const QString gradient = test::writeGradient(folder.path("wall.png"), 3);
        QVERIFY(
            project.setOriginal(Source::MainBackground, gradient.toStdString(), artwork::Fit::Cover)
                .ok());
        const QByteArray main = fileOf(folder, "main256.bmp");
        for (const auto& [icon, item] : kLargeIcons) {
            const QByteArray now = fileOf(folder, images::sourceImage(icon).fileName);
            QVERIFY(now != before[icon]);
            QCOMPARE(now.mid(54, 1024),
                     main.mid(54, 1024));  // the palette the player draws it with
            checkCornersShowBackground(now, main,
                                       project.record().positions[project::positionIndex(item)]);
        }
        QCOMPARE(fileOf(folder, "ft256.bmp"), folderIcon);  // drawn over the tree background

        // One undo step puts every file back.
        QVERIFY(project.undo().ok());
        for (const auto& [icon, item] : kLargeIcons)
            QCOMPARE(fileOf(folder, images::sourceImage(icon).fileName), before[icon]);
        QCOMPARE(fileOf(folder, "art/main256.png"), demoMain);
    }

    // A contained background is centred, and its margins continue the
    // picture's edge: halves P and Q give margins of their mean M.
    void containCentresAndFillsTheMargins_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<QPoint>>("probes");  // expected M, P, Q, M
        QTest::newRow("wide, halves one above the other")
            << QSize(480, 160) << QList<QPoint>{{120, 39}, {120, 40}, {120, 119}, {120, 120}};
        QTest::newRow("tall, halves side by side")
            << QSize(120, 320) << QList<QPoint>{{89, 80}, {90, 80}, {149, 80}, {150, 80}};
    }

    void containCentresAndFillsTheMargins() {
        QFETCH(QSize, size);
        QFETCH(QList<QPoint>, probes);
        const QColor p(200, 40, 40), q(40, 40, 200), m(120, 40, 120);
        QImage picture(size, QImage::Format_RGB32);
        const bool wide = size.width() > size.height();
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                picture.setPixelColor(
                    x, y, (wide ? y < size.height() / 2 : x < size.width() / 2) ? p : q);
        test::ProjectFolder folder;
        QVERIFY(picture.save(folder.path("photo.png")));
        QVERIFY(folder.project
                    ->setOriginal(Source::MainBackground, folder.path("photo.png").toStdString(),
                                  artwork::Fit::Contain)
                    .ok());
        const QByteArray main = fileOf(folder, "main256.bmp");
        const QList<QColor> expected{m, p, q, m};
        for (int k = 0; k < 4; ++k)
            QCOMPARE(test::pixelOf(main, 240, probes[k].x(), probes[k].y()), expected[k]);
    }

    // The file list's icons stand over the tree background where the list
    // begins (BACK's bytes 28 and 29): a transparent corner shows it.
    void smallIconCornersShowTheTreeWhereTheListBegins() {
        test::ProjectFolder folder;
        QByteArray back = fileOf(folder, "BACK");
        back[28] = char(150), back[29] = char(100);
        test::writeFile(folder.path("BACK"), back);
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        for (int y = 4; y < 12; ++y)
            for (int x = 4; x < 12; ++x) icon.setPixelColor(x, y, QColor(250, 250, 0));
        QVERIFY(icon.save(folder.path("folder.png")));
        QVERIFY(folder.project
                    ->setOriginal(Source::FolderIcon, folder.path("folder.png").toStdString(),
                                  artwork::Fit::Cover)
                    .ok());
        const QByteArray tree = fileOf(folder, "tree_main256.bmp");
        const QByteArray small = fileOf(folder, "ft256.bmp");
        for (const auto& [x, y] : {std::pair{0, 0}, {15, 0}, {0, 15}, {15, 15}, {2, 7}})
            QCOMPARE(test::pixelOf(small, 16, x, y), test::pixelOf(tree, 240, 150 + x, 100 + y));
        // Another place for the list: both icons over it are stale.
        back[29] = char(20);
        test::writeFile(folder.path("BACK"), back);
        QVERIFY(folder.project->reload().ok());
        QCOMPARE(folder.project->staleSources(),
                 (std::vector<Source>{Source::FolderIcon, Source::ParentFolderIcon}));
    }

    // Large icon pictures are fed into their background's palette fitted to
    // their size: six 1500×1500 discs once overflowed the quantiser's row.
    void largeIconPicturesImportFitted() {
        QTemporaryDir art;
        const QColor disc(250, 20, 200);
        for (const images::SourceImage& source : images::kSourceSet) {
            const int side = source.width == 64 ? 1500 : source.width;
            QImage picture(side, source.width == 240 ? 160 : side, QImage::Format_ARGB32);
            picture.fill(source.width == 240 ? QColor(20, 120, 40) : QColor(Qt::transparent));
            QPainter painter(&picture);
            painter.setPen(Qt::NoPen);
            painter.setBrush(disc);
            if (source.width == 64) painter.drawEllipse(100, 100, 1300, 1300);
            painter.end();
            const std::string name = source.fileName;
            picture.save(
                art.filePath(QString::fromStdString(name.substr(0, name.size() - 4)) + ".png"));
        }
        artwork::QtPictureDecoder decoder;
        artwork::ImportOptions options;
        options.convert.fit = artwork::Fit::Cover;
        options.convert.dither = 0;
        auto made = artwork::importArtwork(art.path().toStdString(), decoder, options);
        QVERIFY2(made.ok(), made.ok() ? "" : made.error().detail.c_str());
        for (const artwork::OutputFile& file : made.value()) {
            if (file.name != "movie256.bmp") continue;
            QCOMPARE(test::pixelOf(test::fromBytes(file.bytes), 64, 32, 32), disc);
        }
    }

    void recordWritesAreAnnouncedAndKeepOtherEdits() {
        test::ProjectFolder folder;
        auto& project = *folder.project;
        Counter counter;
        project.addListener(&counter);
        QVERIFY(project.setPosition(RecordItem::MusicPosition, {7, 9}).value());
        QVERIFY(
            !project.setPosition(RecordItem::MusicPosition, {7, 9}).value());  // no change, no word
        QCOMPARE(counter.records, 1);
        QVERIFY(!project.setPosition(RecordItem::MusicPosition, {256, 0}).ok());

        // The panel writes the colours; the unwritten move stays unwritten.
        QVERIFY(project
                    .writeGroupTexts(settings::Group::Colours,
                                     {"1", "2", "3", "4", "5", "6", "7", "8", "9"})
                    .ok());
        QCOMPARE(counter.written, 1);
        const QByteArray back = fileOf(folder, "BACK");
        QCOMPARE(static_cast<int>(back.at(4)), 4);
        QCOMPARE(static_cast<int>(back.at(18)), 88);  // the music icon's X, still the demo's
        QVERIFY(project.recordUnwritten());
        QCOMPARE(project.record().positions[1], (Position{7, 9}));

        QVERIFY(project.writeRecord().ok());
        QCOMPARE(static_cast<int>(fileOf(folder, "BACK").at(18)), 7);
        QCOMPARE(static_cast<int>(fileOf(folder, "BACK").at(19)), 9);
        QVERIFY(!project.recordUnwritten());
        QCOMPARE(counter.written, 2);
        project.removeListener(&counter);
    }
};

QTEST_MAIN(TestProject)
#include "tst_project.moc"
