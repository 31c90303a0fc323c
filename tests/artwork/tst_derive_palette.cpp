#include "core/artwork/derive.h"
#include "core/settings/record.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace vireo;
using artwork::RgbaImage;
using images::Source;

namespace {

// A photograph-like background of one strong hue: far more than 256 colours.
RgbaImage colouredPhoto(int red, int green, int blue) {
    RgbaImage image{240, 160, {}};
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x) {
            const int shade = (x * 7 + y * 13) % 97 - 48;
            const auto c = [&](int v) { return std::uint8_t(std::clamp(v + shade, 0, 255)); };
            image.pixels.insert(image.pixels.end(), {c(red), c(green), c(blue), 255});
        }
    return image;
}

// A grey disc shaded from dark to light, soft-edged, transparent around it.
RgbaImage greyDisc(int side) {
    RgbaImage image{side, side, {}};
    const double r = side * 0.45, mid = (side - 1) / 2.0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double d = std::hypot(x - mid, y - mid);
            const auto alpha = std::uint8_t(std::clamp((r - d) * 128 + 128, 0.0, 255.0));
            const auto grey = std::uint8_t(50 + 160 * (x + y) / (2 * side - 2));
            image.pixels.insert(image.pixels.end(), {grey, grey, grey, alpha});
        }
    return image;
}

struct Scene {
    Source background;
    Source icon;
    int red, green, blue;           // the background's hue
    std::uint8_t xOffset, yOffset;  // where the record places the icon
};

Scene sceneOf(int row) {
    if (row == 0) return {Source::MainBackground, Source::MovieIcon, 30, 200, 40, 16, 17};
    return {Source::TreeBackground, Source::FolderIcon, 210, 30, 50, 28, 29};
}

// Derives `scene`'s background and icon from their originals, or only the
// icon over `existing` (the background as derived before).
artwork::DerivedSet derive(const Scene& scene, const settings::Record& record,
                           const std::optional<images::IndexedPicture>& existing = std::nullopt) {
    const artwork::FittedOriginal background{
        "back.png", colouredPhoto(scene.red, scene.green, scene.blue), std::nullopt};
    const artwork::FittedOriginal icon{"icon.png", greyDisc(images::sourceImage(scene.icon).width),
                                       std::nullopt};
    artwork::DeriveJob job;
    job.record = record;
    const auto b = std::size_t(scene.background), i = std::size_t(scene.icon);
    job.originals[i] = &icon;
    job.wanted[i] = true;
    if (existing) {
        job.existing[b] = existing;
    } else {
        job.originals[b] = &background;
        job.wanted[b] = true;
    }
    auto made = artwork::deriveSet(job);
    if (!made) qFatal("derive failed: %s", made.error().detail.c_str());
    return made.value();
}

void addScenes() {
    QTest::addColumn<int>("row");
    QTest::newRow("64x64 icon over a green main background") << 0;
    QTest::newRow("16x16 icon over a red directory tree") << 1;
}

}  // namespace

class DerivePaletteTest : public QObject {
    Q_OBJECT

private slots:
    // Where the icon is transparent the player must show the background's
    // exact colour under it; where it is opaque the grey stays grey.
    void iconOverAStrongHue_data() { addScenes(); }
    void iconOverAStrongHue() {
        QFETCH(int, row);
        const Scene scene = sceneOf(row);
        const settings::Record record = settings::defaultRecord();
        const auto made = derive(scene, record);
        const images::IndexedPicture& back = *made[std::size_t(scene.background)];
        const images::IndexedPicture& icon = *made[std::size_t(scene.icon)];
        const RgbaImage original = greyDisc(icon.width);
        const int left = record[scene.xOffset], top = record[scene.yOffset];
        int wrongBackdrop = 0, worstTint = 0, worstShade = 0;
        for (int y = 0; y < icon.height; ++y)
            for (int x = 0; x < icon.width; ++x) {
                const std::size_t at = std::size_t(y * icon.width + x);
                const images::Colour shown = back.palette[icon.indices[at]];
                const std::uint8_t alpha = original.pixels[at * 4 + 3];
                if (alpha == 0 &&
                    shown != back.palette[back.indices[std::size_t((top + y) * 240 + left + x)]])
                    ++wrongBackdrop;
                if (alpha != 255) continue;
                const int grey = original.pixels[at * 4];
                const int high = std::max({shown.red, shown.green, shown.blue});
                const int low = std::min({shown.red, shown.green, shown.blue});
                worstTint = std::max(worstTint, high - low);
                worstShade = std::max(worstShade, std::abs((high + low) / 2 - grey));
            }
        QCOMPARE(wrongBackdrop, 0);
        // A tint of 12 levels between channels is just visible on grey; the
        // disc's 160 shades over 64 pixels leave steps of under 8.
        QVERIFY2(worstTint <= 12, qPrintable(QString("tint %1").arg(worstTint)));
        QVERIFY2(worstShade <= 8, qPrintable(QString("shade off by %1").arg(worstShade)));
    }

    // An icon moved away keeps its own pixels' indices (no new noise), and
    // moved back it is the very picture it was.
    void movedAndMovedBack_data() { addScenes(); }
    void movedAndMovedBack() {
        QFETCH(int, row);
        const Scene scene = sceneOf(row);
        const settings::Record record = settings::defaultRecord();
        const auto first = derive(scene, record);
        const auto& back = first[std::size_t(scene.background)];
        const images::IndexedPicture& icon = *first[std::size_t(scene.icon)];
        settings::Record moved = record;
        moved[scene.xOffset] = std::uint8_t(moved[scene.xOffset] + 37);
        moved[scene.yOffset] = std::uint8_t(moved[scene.yOffset] + 11);
        const auto away = derive(scene, moved, back);
        const RgbaImage original = greyDisc(icon.width);
        int changed = 0;
        for (std::size_t at = 0; at < icon.indices.size(); ++at)
            if (original.pixels[at * 4 + 3] == 255 &&
                away[std::size_t(scene.icon)]->indices[at] != icon.indices[at])
                ++changed;
        QCOMPARE(changed, 0);
        const auto again = derive(scene, record, back);
        QVERIFY(again[std::size_t(scene.icon)]->indices == icon.indices);
        QVERIFY(again[std::size_t(scene.icon)]->palette == icon.palette);
    }

    // The player draws the music icon after the movie icon, each a solid
    // square: where the music disc is transparent over the movie's square it
    // must show the movie icon as drawn, elsewhere the background.
    void aLaterIconShowsTheEarlierOneUnderIt() {
        settings::Record record = settings::defaultRecord();
        record[16] = 12, record[17] = 26;  // movie
        record[18] = 40, record[19] = 50;  // music, over its lower right part
        const artwork::FittedOriginal background{"back.png", colouredPhoto(30, 200, 40),
                                                 std::nullopt};
        const artwork::FittedOriginal disc{"disc.png", greyDisc(64), std::nullopt};
        artwork::DeriveJob job;
        job.record = record;
        for (const Source s : {Source::MainBackground, Source::MovieIcon, Source::MusicIcon}) {
            job.originals[std::size_t(s)] = s == Source::MainBackground ? &background : &disc;
            job.wanted[std::size_t(s)] = true;
        }
        const auto made = artwork::deriveSet(job).value();
        const images::IndexedPicture& back = *made[std::size_t(Source::MainBackground)];
        const images::IndexedPicture& movie = *made[std::size_t(Source::MovieIcon)];
        const images::IndexedPicture& music = *made[std::size_t(Source::MusicIcon)];
        const RgbaImage original = greyDisc(64);
        int overMovie = 0, wrong = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                if (original.pixels[std::size_t(y * 64 + x) * 4 + 3] != 0) continue;
                const int sx = 40 + x - 12, sy = 50 + y - 26;  // in the movie's square
                const bool covered = sx < 64 && sy < 64;
                const std::uint8_t under = covered
                                               ? movie.indices[std::size_t(sy * 64 + sx)]
                                               : back.indices[std::size_t((50 + y) * 240 + 40 + x)];
                overMovie += covered;
                wrong +=
                    back.palette[music.indices[std::size_t(y * 64 + x)]] != back.palette[under];
            }
        QVERIFY(overMovie > 100);
        QCOMPARE(wrong, 0);
    }
};

QTEST_GUILESS_MAIN(DerivePaletteTest)
#include "tst_derive_palette.moc"
