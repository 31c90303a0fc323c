#include "core/workbench/layout.h"

#include <QTest>

using namespace vireo;
using workbench::IconPositions;

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    // Movie at (10, 20), music overlapping it at (40, 50), the rest in the far corner.
    void hitTest_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("icon");  // -1: none
        QTest::newRow("movie's first pixel") << QPoint(10, 20) << 0;
        QTest::newRow("movie's last column") << QPoint(73, 20) << 0;
        QTest::newRow("one past movie's right edge") << QPoint(74, 20) << -1;
        QTest::newRow("one past movie's bottom") << QPoint(10, 84) << -1;
        QTest::newRow("one before movie") << QPoint(9, 20) << -1;
        QTest::newRow("overlap: music is drawn on top") << QPoint(45, 55) << 1;
        QTest::newRow("music's last pixel") << QPoint(103, 113) << 1;
        QTest::newRow("off the screen") << QPoint(240, 20) << -1;
    }
    void hitTest() {
        QFETCH(QPoint, at);
        QFETCH(int, icon);
        IconPositions positions{};
        positions[0] = {10, 20};
        positions[1] = {40, 50};
        for (std::size_t i = 2; i < positions.size(); ++i) positions[i] = {176, 96};
        const auto found = workbench::iconAt(positions, at.x(), at.y());
        QCOMPARE(found ? int(*found) : -1, icon);
    }

    void nudges_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("expected");
        QTest::newRow("8 left stops at 0") << 3 << -8 << 0 << 0;
        QTest::newRow("off the grid to the next line") << 3 << 1 << 4 << 4;
        QTest::newRow("on the grid a whole step") << 4 << 1 << 4 << 8;
        QTest::newRow("back off the grid to the line below") << 7 << -1 << 4 << 4;
        QTest::newRow("grid 8 past the top clamps") << 248 << 1 << 8 << 255;
    }
    void nudges() {
        QFETCH(int, value);
        QFETCH(int, delta);
        QFETCH(int, grid);
        QFETCH(int, expected);
        QCOMPARE(workbench::nudgePosition(value, delta, grid), expected);
    }
};

QTEST_GUILESS_MAIN(LayoutTest)
#include "tst_layout.moc"
