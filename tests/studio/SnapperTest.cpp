// Where a dragged box lands: on a nearby edge, else on the grid.
#include <QTest>

#include "studio/Snapper.h"

using namespace quill;
using namespace quill::studio;

class SnapperTest : public QObject {
    Q_OBJECT

private slots:
    void snapsBoxes_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("guide");  // -1: none
        // Edges at 100 and 300; reach 5.
        QTest::newRow("left edge within reach") << 103 << 153 << 8 << -3 << 100;
        QTest::newRow("right edge within reach") << 241 << 298 << 8 << 2 << 300;
        QTest::newRow("the nearer edge wins") << 98 << 296 << 8 << 2 << 100;
        QTest::newRow("a tie goes to the left edge") << 102 << 302 << 8 << -2 << 100;
        QTest::newRow("out of reach: the nearest grid line") << 109 << 159 << 8 << 3 << -1;
        QTest::newRow("out of reach, no grid") << 106 << 156 << 0 << 0 << -1;
        QTest::newRow("negative positions round to the grid") << -13 << 7 << 8 << -3 << -1;
        QTest::newRow("exactly on an edge") << 300 << 350 << 8 << 0 << 300;
    }
    void snapsBoxes() {
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(int, grid);
        QFETCH(int, dx);
        QFETCH(int, guide);
        TSnapper snapper;
        snapper.SetEdges({300, 100, 100}, {});
        snapper.SetGrid(grid);
        const TSnapper::TMove move = snapper.Snap({left, 0, right, 10});
        QCOMPARE(move.Dx, dx);
        QCOMPARE(move.GuideX.value_or(-1), guide);
        QVERIFY(!move.GuideY);
    }

    void snapsOneEdge() {
        TSnapper snapper;
        snapper.SetEdges({}, {40});
        std::optional<int> guide;
        QCOMPARE(snapper.SnapY(44, guide), 40);
        QCOMPARE(guide, std::optional<int>(40));
        guide.reset();
        QCOMPARE(snapper.SnapY(46, guide), 48);
        QVERIFY(!guide);
    }
};

QTEST_MAIN(SnapperTest)
#include "SnapperTest.moc"
