// Pile group capacity after deducting the weight of the cap and of the soil on it.

#include "booktext.h"
#include "numbers.h"
#include "pilegroup.h"

#include <QTest>

#include <cmath>

using namespace morvane;

class TestPileGroup : public QObject
{
    Q_OBJECT
private slots:
    void shouldDeductCapAndSoil_data();
    void shouldDeductCapAndSoil();
    void shouldCountPilesByListText_data();
    void shouldCountPilesByListText();
};

void TestPileGroup::shouldDeductCapAndSoil_data()
{
    // clang-format off
    QTest::addColumn<double>("L");               // mm
    QTest::addColumn<double>("B");               // mm
    QTest::addColumn<double>("H");               // mm
    QTest::addColumn<double>("capDepth");        // mm
    QTest::addColumn<double>("pileCapacity");    // kN
    QTest::addColumn<double>("concreteWeight");  // kN/m³
    QTest::addColumn<double>("soilWeight");      // kN/m³
    QTest::addColumn<QString>("pileCountText");
    QTest::addColumn<int>("pileCount");
    QTest::addColumn<QString>("capLoad");        // kN/m²
    QTest::addColumn<QString>("soilLoad");       // kN/m²
    QTest::addColumn<QString>("deduction");      // kN
    QTest::addColumn<QString>("capacityText");   // kN; empty: no result

    // capacity = n·R − L·B·(γc·H/1000 + γs·(d − H)/1000)/1000000
    QTest::newRow("defaults, six piles") << 1000.0 << 1000.0 << 600.0 << 1500.0 << 350.0 << 25.0 << 18.0 << "六桩"
                                         << 6 << "15" << "16.2" << "31.2" << "2068.8";
    QTest::newRow("sixteen piles") << 1000.0 << 1000.0 << 600.0 << 1500.0 << 350.0 << 25.0 << 18.0 << "十六桩"
                                   << 16 << "15" << "16.2" << "31.2" << "5568.8";
    // A text off the list is no group of piles: no result, not the negative of the deduction.
    QTest::newRow("typed 6: refused") << 1000.0 << 1000.0 << 600.0 << 1500.0 << 350.0 << 25.0 << 18.0 << "6"
                                      << 0 << "0" << "0" << "0" << "";
    QTest::newRow("typed 6桩: refused") << 1000.0 << 1000.0 << 600.0 << 1500.0 << 350.0 << 25.0 << 18.0 << "6桩"
                                        << 0 << "0" << "0" << "0" << "";
    QTest::newRow("burial depth equals cap height") << 1000.0 << 1000.0 << 600.0 << 600.0 << 350.0 << 25.0 << 18.0 << "六桩"
                                                    << 6 << "15" << "0" << "15" << "2085";
    QTest::newRow("burial depth below cap height") << 1000.0 << 1000.0 << 600.0 << 500.0 << 350.0 << 25.0 << 18.0 << "六桩"
                                                   << 6 << "15" << "-1.8" << "13.2" << "2086.8";
    QTest::newRow("plan 2000 x 3000, four piles") << 2000.0 << 3000.0 << 800.0 << 2000.0 << 500.0 << 25.0 << 18.0 << "四桩"
                                                  << 4 << "20" << "21.6" << "249.6" << "1750.4";
    QTest::newRow("all empty, single pile") << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << "单桩"
                                            << 1 << "0" << "0" << "0" << "0";
    // Products beyond the double range give no result.
    QTest::newRow("plan 1e300 x 1e300") << 1e300 << 1e300 << 600.0 << 1500.0 << 350.0 << 25.0 << 18.0 << "六桩"
                                        << 6 << "0" << "0" << "0" << "";
    QTest::newRow("unit weight times height") << 1000.0 << 1000.0 << 1e300 << 1e300 << 350.0 << 1e300 << 18.0 << "六桩"
                                              << 6 << "0" << "0" << "0" << "";
    QTest::newRow("sixteen times 1e308") << 1000.0 << 1000.0 << 600.0 << 1500.0 << 1e308 << 25.0 << 18.0 << "十六桩"
                                         << 16 << "0" << "0" << "0" << "";
    // clang-format on
}

void TestPileGroup::shouldDeductCapAndSoil()
{
    QFETCH(double, L);
    QFETCH(double, B);
    QFETCH(double, H);
    QFETCH(double, capDepth);
    QFETCH(double, pileCapacity);
    QFETCH(double, concreteWeight);
    QFETCH(double, soilWeight);
    QFETCH(QString, pileCountText);
    QFETCH(int, pileCount);
    QFETCH(QString, capLoad);
    QFETCH(QString, soilLoad);
    QFETCH(QString, deduction);
    QFETCH(QString, capacityText);

    const PileGroupInput in{L, B, H, capDepth, pileCapacity, concreteWeight, soilWeight, pileCountText.toStdString()};
    const PileGroupResult r = computePileGroup(in);
    QCOMPARE(r.pileCount, pileCount);
    QCOMPARE(r.computable, !capacityText.isEmpty());
    QCOMPARE(r.refusal,
             r.computable         ? PileGroupRefusal::None
                 : pileCount == 0 ? PileGroupRefusal::PileCount
                                  : PileGroupRefusal::OutOfRange);
    QCOMPARE(QString::fromStdString(r.refusalText),
             QString::fromUtf8(r.computable         ? ""
                                   : pileCount == 0 ? kPileCountMessage
                                                    : kOutOfRangeMessage));
    QCOMPARE(QString::fromStdString(displayDouble(r.capLoad)), capLoad);
    QCOMPARE(QString::fromStdString(displayDouble(r.soilLoad)), soilLoad);
    QCOMPARE(QString::fromStdString(displayDouble(r.deduction)), deduction);
    QCOMPARE(QString::fromStdString(r.capacityText), capacityText);
    QVERIFY(std::isfinite(r.capacity));
}

void TestPileGroup::shouldCountPilesByListText_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");

    QTest::newRow("单桩") << "单桩" << 1;
    QTest::newRow("两桩") << "两桩" << 2;
    QTest::newRow("三桩") << "三桩" << 3;
    QTest::newRow("四桩") << "四桩" << 4;
    QTest::newRow("五桩") << "五桩" << 5;
    QTest::newRow("六桩") << "六桩" << 6;
    QTest::newRow("七桩") << "七桩" << 7;
    QTest::newRow("八桩") << "八桩" << 8;
    QTest::newRow("九桩") << "九桩" << 9;
    QTest::newRow("十桩") << "十桩" << 10;
    QTest::newRow("十一桩") << "十一桩" << 11;
    QTest::newRow("十二桩") << "十二桩" << 12;
    QTest::newRow("十三桩") << "十三桩" << 13;
    QTest::newRow("十四桩") << "十四桩" << 14;
    QTest::newRow("十五桩") << "十五桩" << 15;
    QTest::newRow("十六桩") << "十六桩" << 16;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("digit 6") << "6" << 0;
    QTest::newRow("二桩 is not 两桩") << "二桩" << 0;
    QTest::newRow("trailing blank") << "六桩 " << 0;
    QTest::newRow("leading blank") << " 六桩" << 0;
    QTest::newRow("十七桩 beyond the list") << "十七桩" << 0;
    QTest::newRow("a part of 十六桩") << "十六" << 0;
    // clang-format on
}

void TestPileGroup::shouldCountPilesByListText()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(pileCountFromText(text.toStdString()), count);
}

QTEST_APPLESS_MAIN(TestPileGroup)
#include "test_pilegroup.moc"
