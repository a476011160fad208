// Column reinforcement ratio and the kind of ties it calls for.

#include "column.h"
#include "numbers.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace morvane;

class TestColumn : public QObject
{
    Q_OBJECT
private slots:
    void shouldGiveBarArea_data();
    void shouldGiveBarArea();
    void shouldComputeRatioAndVerdict_data();
    void shouldComputeRatioAndVerdict();
    void shouldWriteTheTwoLineReport_data();
    void shouldWriteTheTwoLineReport();
};

void TestColumn::shouldGiveBarArea_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("diameter");  // mm
    QTest::addColumn<QString>("area");  // mm², d²·3.14159/4

    QTest::newRow("直径16") << "直径16" << 16 << "201.06176";
    QTest::newRow("直径18") << "直径18" << 18 << "254.46879";
    QTest::newRow("直径20") << "直径20" << 20 << "314.159";
    QTest::newRow("直径22") << "直径22" << 22 << "380.13239";
    QTest::newRow("直径25") << "直径25" << 25 << "490.8734375";
    QTest::newRow("empty") << "" << 0 << "0";
    QTest::newRow("digits only") << "20" << 0 << "0";
    QTest::newRow("unlisted 直径28") << "直径28" << 0 << "0";
    QTest::newRow("trailing blank") << "直径20 " << 0 << "0";
    // clang-format on
}

void TestColumn::shouldGiveBarArea()
{
    QFETCH(QString, text);
    QFETCH(int, diameter);
    QFETCH(QString, area);

    const int d = barDiameter(text.toStdString());
    QCOMPARE(d, diameter);
    QCOMPARE(QString::fromStdString(displayDouble(morvane::area(static_cast<float>(d)))), area);
}

void TestColumn::shouldComputeRatioAndVerdict_data()
{
    // clang-format off
    QTest::addColumn<double>("b");  // mm
    QTest::addColumn<double>("h");  // mm
    QTest::addColumn<QString>("corner");
    QTest::addColumn<double>("bCount");
    QTest::addColumn<QString>("bDiameter");
    QTest::addColumn<double>("hCount");
    QTest::addColumn<QString>("hDiameter");
    QTest::addColumn<QString>("steelArea");  // mm²
    QTest::addColumn<QString>("ratioText");  // %, empty: no ratio
    QTest::addColumn<bool>("welded");

    const double inf = std::numeric_limits<double>::infinity();
    // As = 4·A(corner) + 2·nb·A(b) + 2·nh·A(h); ρ = As / b / h.
    QTest::newRow("defaults") << 400.0 << 400.0 << "直径20" << 2.0 << "直径20" << 2.0 << "直径20"
                              << "3769.908" << "2.36" << false;
    QTest::newRow("h 313.9: 3.0025 %") << 400.0 << 313.9 << "直径20" << 2.0 << "直径20" << 2.0 << "直径20"
                                       << "3769.908" << "3.00" << true;
    QTest::newRow("h 314.2: 2.9996 %") << 400.0 << 314.2 << "直径20" << 2.0 << "直径20" << 2.0 << "直径20"
                                       << "3769.908" << "3.00" << false;
    QTest::newRow("300 x 300, all 25") << 300.0 << 300.0 << "直径25" << 2.0 << "直径25" << 2.0 << "直径25"
                                       << "5890.48125" << "6.54" << true;
    QTest::newRow("corner bars only") << 400.0 << 400.0 << "直径20" << 0.0 << "直径20" << 0.0 << "直径20"
                                      << "1256.636" << "0.79" << false;
    QTest::newRow("b and h bars differ") << 400.0 << 600.0 << "直径22" << 1.0 << "直径16" << 3.0 << "直径18"
                                         << "3449.46582" << "1.44" << false;
    QTest::newRow("fractional count") << 400.0 << 400.0 << "直径20" << 0.5 << "直径20" << 0.0 << "直径20"
                                      << "1570.795" << "0.98" << false;
    QTest::newRow("negative count subtracts") << 400.0 << 400.0 << "直径20" << -3.0 << "直径20" << 0.0 << "直径20"
                                              << "-628.318" << "-0.39" << false;
    QTest::newRow("unlisted corner text") << 400.0 << 400.0 << "" << 2.0 << "直径20" << 2.0 << "直径20"
                                          << "2513.272" << "1.57" << false;
    QTest::newRow("negative b") << -400.0 << 400.0 << "直径20" << 2.0 << "直径20" << 2.0 << "直径20"
                                << "3769.908" << "-2.36" << false;
    // No finite ratio.
    QTest::newRow("b 0") << 0.0 << 400.0 << "直径20" << 2.0 << "直径20" << 2.0 << "直径20" << "0" << "" << false;
    QTest::newRow("h 0") << 400.0 << 0.0 << "直径20" << 2.0 << "直径20" << 2.0 << "直径20" << "0" << "" << false;
    QTest::newRow("b 0 and no bars: 0/0") << 0.0 << 400.0 << "" << 0.0 << "" << 0.0 << "" << "0" << "" << false;
    QTest::newRow("b beyond the double range") << inf << 400.0 << "直径20" << 2.0 << "直径20" << 2.0 << "直径20"
                                               << "0" << "" << false;
    QTest::newRow("infinite count of no bar") << 400.0 << 400.0 << "直径20" << inf << "" << 2.0 << "直径20"
                                              << "0" << "" << false;
    // clang-format on
}

void TestColumn::shouldComputeRatioAndVerdict()
{
    QFETCH(double, b);
    QFETCH(double, h);
    QFETCH(QString, corner);
    QFETCH(double, bCount);
    QFETCH(QString, bDiameter);
    QFETCH(double, hCount);
    QFETCH(QString, hDiameter);
    QFETCH(QString, steelArea);
    QFETCH(QString, ratioText);
    QFETCH(bool, welded);

    const ColumnInput in{b, h, corner.toStdString(), bCount, bDiameter.toStdString(), hCount, hDiameter.toStdString()};
    const ColumnResult r = computeColumnRatio(in);
    QCOMPARE(r.computable, !ratioText.isEmpty());
    QCOMPARE(QString::fromStdString(displayDouble(r.steelArea)), steelArea);
    QCOMPARE(QString::fromStdString(r.ratioText), ratioText);
    QVERIFY(std::isfinite(r.ratio));
    QCOMPARE(r.needsWeldedHoops, welded);
    if (!r.computable) {
        QVERIFY(r.verdict.empty());
        QVERIFY(r.report.empty());
        return;
    }
    const QString verdict = welded ? QString::fromUtf8("二.柱配筋率大于3%，需采用焊接封闭箍")
                                   : QString::fromUtf8("二.采用普通箍即可");
    QCOMPARE(QString::fromStdString(r.verdict), verdict);
}

void TestColumn::shouldWriteTheTwoLineReport_data()
{
    // clang-format off
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("h");
    QTest::addColumn<QString>("diameter");  // all three lists
    QTest::addColumn<double>("count");      // both middle counts
    QTest::addColumn<QString>("report");

    QTest::newRow("defaults") << 400.0 << 400.0 << "直径20" << 2.0
                              << QString::fromUtf8("一.计算得该柱配筋率为：2.36%\r\n二.采用普通箍即可");
    QTest::newRow("300 x 300, all 25") << 300.0 << 300.0 << "直径25" << 2.0
                                       << QString::fromUtf8("一.计算得该柱配筋率为：6.54%\r\n二.柱配筋率大于3%，需采用焊接封闭箍");
    QTest::newRow("corner bars only") << 400.0 << 400.0 << "直径20" << 0.0
                                      << QString::fromUtf8("一.计算得该柱配筋率为：0.79%\r\n二.采用普通箍即可");
    // clang-format on
}

void TestColumn::shouldWriteTheTwoLineReport()
{
    QFETCH(double, b);
    QFETCH(double, h);
    QFETCH(QString, diameter);
    QFETCH(double, count);
    QFETCH(QString, report);

    const std::string d = diameter.toStdString();
    const ColumnResult r = computeColumnRatio({b, h, d, count, d, count, d});
    QStringList lines;
    for (const std::string &line : r.report)
        lines << QString::fromStdString(line);
    QCOMPARE(lines.join("\r\n"), report);
}

QTEST_APPLESS_MAIN(TestColumn)
#include "test_column.moc"
