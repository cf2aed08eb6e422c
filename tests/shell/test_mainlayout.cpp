#include "shell/MainLayout.h"
#include "shell/Placement.h"

#include <QDir>
#include <QStandardPaths>
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

    void storedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "4320" << 4320.0;
        QTest::newRow("blanks") << " 15.5 " << 15.5;
        QTest::newRow("negative") << "-300" << -300.0;
        QTest::newRow("letters") << "wide" << -1.0;
        QTest::newRow("empty") << "" << -1.0;
        QTest::newRow("trailing junk") << "12px" << -1.0;
        QTest::newRow("infinite") << "inf" << -1.0;
    }
    void storedNumbers()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(Placement::storedNumber(text, -1), expected);
    }

    void keepOnScreen_data()
    {
        QTest::addColumn<QRectF>("window");
        QTest::addColumn<QRectF>("expected");
        const QRectF a(0, 0, 1000, 800);
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
        QFETCH(QRectF, window);
        QFETCH(QRectF, expected);
        const QList<QRectF> screens{QRectF(0, 0, 1000, 800), QRectF(1000, 0, 1000, 800)};
        QCOMPARE(Placement::keepOnScreen(window, screens), expected);
        QCOMPARE(Placement::keepOnScreen(window, {}), window);
    }

    void defaultDirectSavePathInDocuments()
    {
        const QString path = Placement::defaultDirectSavePath();
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("fdkdsfk.txt"));
        QVERIFY(QDir::isAbsolutePath(path));
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty())
            folder = QDir::homePath();
        QCOMPARE(QFileInfo(path).absolutePath(), QDir(folder).absolutePath());
    }

    void wordCountAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("value");
        QTest::newRow("1") << "1" << int(WordCountAnswer::Store) << 1;
        QTest::newRow("0.5 rounds to 0") << "0.5" << int(WordCountAnswer::Unchanged) << 0;
        QTest::newRow("1.5 rounds to 2") << "1.5" << int(WordCountAnswer::Store) << 2;
        QTest::newRow("-0.5 rounds to 0") << "-0.5" << int(WordCountAnswer::Unchanged) << 0;
        QTest::newRow("-0.6") << "-0.6" << int(WordCountAnswer::Negative) << -1;
        QTest::newRow("30000.5") << "30000.5" << int(WordCountAnswer::Store) << 30000;
        QTest::newRow("30000.6") << "30000.6" << int(WordCountAnswer::Capped) << 30000;
        QTest::newRow("30001") << "30001" << int(WordCountAnswer::Capped) << 30000;
        QTest::newRow("-1e30") << "-1e30" << int(WordCountAnswer::Negative) << 0;
        QTest::newRow("hex") << "&H10" << int(WordCountAnswer::Store) << 16;
        QTest::newRow("1 000") << "1 000" << int(WordCountAnswer::Store) << 1000;
    }
    void wordCountAnswers()
    {
        QFETCH(QString, answer);
        QFETCH(int, kind);
        QFETCH(int, value);
        const WordCountAnswer got = readWordCountAnswer(answer);
        QCOMPARE(int(got.kind), kind);
        QCOMPARE(got.value, value);
    }
};

QTEST_GUILESS_MAIN(TestMainLayout)
#include "test_mainlayout.moc"
