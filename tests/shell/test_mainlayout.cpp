#include "shell/MainLayout.h"
#include "shell/Placement.h"

#include <QtTest/QtTest>

class TestMainLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void designClientArea()
    {
        MainLayout::Geometry g;
        MainLayout::layoutPass(g, 2895, 3630, false);
        QCOMPARE(g.cmdGo, QRectF(2400, 0, 495, 315));
        QCOMPARE(g.txtFilter, QRectF(0, 0, 2355, 315));
        QCOMPARE(g.txtNames, QRectF(0, 350, 2895, 2965));
        QCOMPARE(g.lblStatus, QRectF(30, 3395, 2850, 230));
        QCOMPARE(g.picProgBar, QRectF(15, 3395, 2865, 230));
        QCOMPARE(g.Shape1, QRectF(0, 3370, 2895, 255));
        QCOMPARE(g.Line1[0], QLineF(5, 3620, 2895, 3620));
        QCOMPARE(g.Line1[1], QLineF(2880, 3380, 2880, 3625));
        // Two buttons of half the box less 50, the second right-aligned.
        QCOMPARE(g.cmdSelAll, QRectF(0, 0, 1382.5, 230));
        QCOMPARE(g.cmdSelNone, QRectF(2865 - 1382.5, 0, 1382.5, 230));
    }

    void statusStripRoundsHalfToEven()
    {
        MainLayout::Geometry g;
        // CH - 255 = 3374.5 and CW = 2894.5 both go to the even neighbour.
        MainLayout::layoutPass(g, 2894.5, 3629.5, false);
        QCOMPARE(g.Shape1, QRectF(0, 3369, 2894, 255));
        MainLayout::layoutPass(g, 2895.5, 3630.5, false);
        QCOMPARE(g.Shape1, QRectF(0, 3371, 2896, 255));
    }

    void narrowClientSkipsOnlyFailingSteps()
    {
        MainLayout::Geometry g;
        MainLayout::layoutPass(g, 500, 3630, false);
        QCOMPARE(g.cmdGo, QRectF(5, 0, 495, 315));
        QCOMPARE(g.txtFilter, QRectF(0, 0, 2355, 315)); // design size kept
        QCOMPARE(g.txtNames, QRectF(0, 350, 500, 2965));
        QCOMPARE(g.lblStatus, QRectF(30, 3395, 455, 230));

        // Too low for the list, too narrow for the label: both keep their
        // last geometry while the frame and lines still follow.
        MainLayout::layoutPass(g, 40, 600, false);
        QCOMPARE(g.txtNames, QRectF(0, 350, 500, 2965));
        QCOMPARE(g.lblStatus, QRectF(30, 3395, 455, 230));
        QCOMPARE(g.picProgBar, QRectF(15, 3395, 470, 230));
        QCOMPARE(g.Shape1, QRectF(0, 340, 40, 255));
        QCOMPARE(g.Line1[1], QLineF(25, 350, 25, 595));
        // Half of 470 less 50 is still positive.
        QCOMPARE(g.cmdSelAll.width(), 185.0);
    }

    void directSavePlacesOnlyTheTopRow()
    {
        MainLayout::Geometry g;
        MainLayout::layoutPass(g, 2895, 3630, false);
        const MainLayout::Geometry before = g;
        MainLayout::layoutPass(g, 4000, 300, true);
        QCOMPARE(g.cmdGo.left(), 3505.0);
        QCOMPARE(g.txtFilter.width(), 3460.0);
        QCOMPARE(g.txtNames, before.txtNames);
        QCOMPARE(g.Shape1, before.Shape1);
    }

    void keepOnScreen_data()
    {
        QTest::addColumn<QRectF>("window");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("inside") << QRectF(100, 100, 300, 200) << QRectF(100, 100, 300, 200);
        QTest::newRow("partly out, title reachable") << QRectF(900, 700, 300, 200) << QRectF(900, 700, 300, 200);
        QTest::newRow("title above the screen") << QRectF(100, -500, 300, 200) << QRectF(100, 0, 300, 200);
        QTest::newRow("far right") << QRectF(5000, 100, 300, 200) << QRectF(700, 100, 300, 200);
        QTest::newRow("second screen") << QRectF(1100, 100, 300, 200) << QRectF(1100, 100, 300, 200);
        QTest::newRow("bigger than the screen") << QRectF(-4000, -4000, 3000, 3000) << QRectF(0, 0, 3000, 3000);
        QTest::newRow("only a sliver showing") << QRectF(990, 100, 300, 200) << QRectF(990, 100, 300, 200);
        QTest::newRow("left of everything") << QRectF(-290, 100, 300, 200) << QRectF(0, 100, 300, 200);
    }
    void keepOnScreen()
    {
        // The rows are in pixels; placement works in twips.
        const auto twips = [](const QRectF &px) { return QRectF(px.topLeft() * 15, px.size() * 15); };
        QFETCH(QRectF, window);
        QFETCH(QRectF, expected);
        const QList<QRectF> screens{twips(QRectF(0, 0, 1000, 800)), twips(QRectF(1000, 0, 1000, 800))};
        QCOMPARE(Placement::keepOnScreen(twips(window), screens), twips(expected));
        QCOMPARE(Placement::keepOnScreen(twips(window), {}), twips(window));
    }
};

QTEST_GUILESS_MAIN(TestMainLayout)
#include "test_mainlayout.moc"
