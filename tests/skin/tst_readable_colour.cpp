// The nearest colour that reads over a text's background.
#include "core/skin/text_samples.h"

#include <QTest>

#include <optional>

using namespace vireo;
Q_DECLARE_METATYPE(std::optional<std::uint32_t>)

class ReadableColourTest : public QObject {
    Q_OBJECT

private slots:
    void nearestThatReads_data() {
        QTest::addColumn<std::uint32_t>("colour");
        QTest::addColumn<std::uint32_t>("top");     // the screen's upper half
        QTest::addColumn<std::uint32_t>("bottom");  // and its lower half
        QTest::addColumn<std::optional<std::uint32_t>>("nearest");
        using Nearest = std::optional<std::uint32_t>;
        QTest::newRow("red reads on white (4:1)")
            << 0xFFFF0000u << 0xFFFFFFFFu << 0xFFFFFFFFu << Nearest(0xFFFF0000u);
        // 3.0:1, where #9B9B00 gives 2.96:1; red and green stay equal.
        QTest::newRow("yellow on white: darker")
            << 0xFFFFFF00u << 0xFFFFFFFFu << 0xFFFFFFFFu << Nearest(0xFF9A9A00u);
        // Its hue and chroma as they were, lighter: 3.0:1, where #214FC2 gives 2.96:1.
        QTest::newRow("navy on black: lighter")
            << 0xFF000080u << 0xFF000000u << 0xFF000000u << Nearest(0xFF2250C3u);
        // Darker to #2E2E2E is nearer than lighter to #D4D4D4.
        QTest::newRow("grey on itself: the nearer side")
            << 0xFF777777u << 0xFF777777u << 0xFF777777u << Nearest(0xFF2E2E2Eu);
        QTest::newRow("half black, half white: none")
            << 0xFF777777u << 0xFF000000u << 0xFFFFFFFFu << Nearest();
    }

    void nearestThatReads() {
        QFETCH(std::uint32_t, colour);
        QFETCH(std::uint32_t, top);
        QFETCH(std::uint32_t, bottom);
        QFETCH(std::optional<std::uint32_t>, nearest);
        skin::Picture screen{240, 160, std::vector<std::uint32_t>(240 * 160, bottom)};
        std::fill_n(screen.pixels.begin(), 240 * 80, top);
        const skin::TextSample text{skin::TextRole::Ebook, colour, 8, 8};
        const auto found = skin::nearestReadableColour(text, screen);
        QCOMPARE(found, nearest);
    }
};

QTEST_APPLESS_MAIN(ReadableColourTest)
#include "tst_readable_colour.moc"
