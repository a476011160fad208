// End plate thickness: bolt capacity, class thicknesses, the 16 mm floor.

#include "endplate.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace morvane;

namespace {

// Ticked classes as words: "cantilever", "noStiffener", "twoSide",
// "threeSide", separated by blanks; and "current" for the current edition
// of the design codes.
EndPlateInput plate(const QString &classes, const QString &plateEnd = "外伸")
{
    EndPlateInput in;
    in.b = 200;
    in.bs = 100;
    in.a = 80;
    in.ef = 40;
    in.ew = 50;
    in.steelGrade = "Q235";
    in.boltSize = "M20";
    in.boltGrade = BoltGrade::Grade10_9;
    const QStringList ticked = classes.split(' ', Qt::SkipEmptyParts);
    in.cantilever = ticked.contains("cantilever");
    in.noStiffener = ticked.contains("noStiffener");
    in.twoSide = ticked.contains("twoSide");
    in.threeSide = ticked.contains("threeSide");
    in.plateEnd = plateEnd == "平齐" ? PlateEnd::Flush : PlateEnd::Extended;
    in.edition = ticked.contains("current") ? Edition::Current : Edition::Original;
    return in;
}

}  // namespace

class TestEndPlate : public QObject
{
    Q_OBJECT
private slots:
    void shouldGiveTheGoverningThickness_data();
    void shouldGiveTheGoverningThickness();
    void shouldGiveBoltCapacity_data();
    void shouldGiveBoltCapacity();
    void shouldRefuseAnUnlistedSteelOnlyWithATickedClass_data();
    void shouldRefuseAnUnlistedSteelOnlyWithATickedClass();
    void shouldGiveNoThicknessOutOfRange_data();
    void shouldGiveNoThicknessOutOfRange();
};

void TestEndPlate::shouldGiveTheGoverningThickness_data()
{
    // clang-format off
    QTest::addColumn<QString>("classes");
    QTest::addColumn<QString>("plateEnd");
    QTest::addColumn<QString>("steel");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("bs");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("ef");
    QTest::addColumn<QString>("thicknessText");

    // Defaults: b 200, bs 100, a 80, ef 40, ew 50, Q235 (f 205), M20 10.9级 (Ntb 124).
    QTest::newRow("none ticked") << "" << "外伸" << "Q235" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为16mm";
    QTest::newRow("cantilever") << "cantilever" << "外伸" << "Q235" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为26.94167mm";
    QTest::newRow("no stiffener") << "noStiffener" << "外伸" << "Q235" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为31.75106mm";
    QTest::newRow("two-side extended") << "twoSide" << "外伸" << "Q235" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为20.54283mm";
    QTest::newRow("two-side flush") << "twoSide" << "平齐" << "Q235" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为24.39184mm";
    QTest::newRow("three-side, just above 16") << "threeSide" << "外伸" << "Q235" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为16.58145mm";
    QTest::newRow("cantilever and no stiffener") << "cantilever noStiffener" << "外伸" << "Q235" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为31.75106mm";
    QTest::newRow("ticked in the other order") << "noStiffener cantilever" << "外伸" << "Q235" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为31.75106mm";
    QTest::newRow("all four") << "cantilever noStiffener twoSide threeSide" << "平齐" << "Q235" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为31.75106mm";
    // sqrt(6·164·124·1000/2325/205) = sqrt(256) = 16 exactly: the floor takes it.
    QTest::newRow("class thickness exactly 16") << "cantilever" << "外伸" << "Q235" << 2325.0 << 100.0 << 80.0 << 164.0 << "此端板的最小厚度为16mm";
    QTest::newRow("three-side below 16") << "threeSide" << "外伸" << "Q235" << 200.0 << 200.0 << 80.0 << 40.0 << "此端板的最小厚度为16mm";
    // Each input reaches only the classes that read it.
    QTest::newRow("flush without two-side") << "cantilever" << "平齐" << "Q235" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为26.94167mm";
    QTest::newRow("bs without three-side") << "cantilever" << "外伸" << "Q235" << 200.0 << 0.0 << 80.0 << 40.0 << "此端板的最小厚度为26.94167mm";
    QTest::newRow("a without no-stiffener") << "cantilever" << "外伸" << "Q235" << 200.0 << 100.0 << 0.0 << 40.0 << "此端板的最小厚度为26.94167mm";
    // Plate steel strength f: sqrt(148800 / f) for the cantilever.
    QTest::newRow("Q345, f 295") << "cantilever" << "外伸" << "Q345" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为22.459mm";
    QTest::newRow("Q390, f 335") << "cantilever" << "外伸" << "Q390" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为21.07556mm";
    QTest::newRow("Q420, f 360") << "cantilever" << "外伸" << "Q420" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为20.3306mm";
    // The current edition, in double precision: f by the thickness group, 16 < t ≤ 40 mm first.
    QTest::newRow("current: none ticked") << "current" << "外伸" << "Q235" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为16mm";
    QTest::newRow("current: cantilever") << "current cantilever" << "外伸" << "Q235" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为26.94167mm";
    QTest::newRow("current: two-side extended") << "current twoSide" << "外伸" << "Q235" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为20.54283mm";
    QTest::newRow("current: Q390, f 330") << "current cantilever" << "外伸" << "Q390" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为21.23462mm";
    QTest::newRow("current: Q420, f 355") << "current cantilever" << "外伸" << "Q420" << 200.0 << 100.0 << 80.0 << 40.0 << "此端板的最小厚度为20.47327mm";
    // √(6·41·124000/93/205) = √1600 = 40 exactly stays with f 205.
    QTest::newRow("current: exactly 40 keeps its group") << "current cantilever" << "外伸" << "Q235" << 93.0 << 100.0 << 80.0 << 41.0 << "此端板的最小厚度为40mm";
    // 46.66 with f 205 is thicker than 40: again with f 200.
    QTest::newRow("current: Q235 over 40, f 200") << "current cantilever" << "外伸" << "Q235" << 200.0 << 100.0 << 80.0 << 120.0 << "此端板的最小厚度为47.24405mm";
    // 62.93 with 295, 63.47 with 290 (over 63), 64.59 with 280.
    QTest::newRow("current: Q345 over 63, f 280") << "current cantilever" << "外伸" << "Q345" << 200.0 << 100.0 << 80.0 << 314.0 << "此端板的最小厚度为64.58881mm";
    // clang-format on
}

void TestEndPlate::shouldGiveTheGoverningThickness()
{
    QFETCH(QString, classes);
    QFETCH(QString, plateEnd);
    QFETCH(QString, steel);
    QFETCH(double, b);
    QFETCH(double, bs);
    QFETCH(double, a);
    QFETCH(double, ef);
    QFETCH(QString, thicknessText);

    EndPlateInput in = plate(classes, plateEnd);
    in.steelGrade = steel.toStdString();
    in.b = b;
    in.bs = bs;
    in.a = a;
    in.ef = ef;
    const EndPlateResult r = computeEndPlate(in);
    QVERIFY(r.hasThickness);
    QCOMPARE(QString::fromStdString(r.NtbText), QString("124"));
    QCOMPARE(QString::fromStdString(r.thicknessText), thicknessText);
    QVERIFY(r.thickness >= 16.0f);
    QVERIFY(r.message.empty());
}

void TestEndPlate::shouldGiveBoltCapacity_data()
{
    // clang-format off
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("grade10_9");
    QTest::addColumn<QString>("NtbText");
    QTest::addColumn<QString>("thicknessText");  // cantilever ticked, other defaults

    QTest::newRow("M16 8.8") << "M16" << false << "64" << "此端板的最小厚度为19.35547mm";
    QTest::newRow("M16 10.9") << "M16" << true << "80" << "此端板的最小厚度为21.64007mm";
    QTest::newRow("M20 8.8") << "M20" << false << "100" << "此端板的最小厚度为24.19434mm";
    QTest::newRow("M20 10.9") << "M20" << true << "124" << "此端板的最小厚度为26.94167mm";
    QTest::newRow("M22 8.8") << "M22" << false << "120" << "此端板的最小厚度为26.50357mm";
    QTest::newRow("M22 10.9") << "M22" << true << "152" << "此端板的最小厚度为29.82878mm";
    QTest::newRow("M24 8.8") << "M24" << false << "140" << "此端板的最小厚度为28.62712mm";
    QTest::newRow("M24 10.9") << "M24" << true << "180" << "此端板的最小厚度为32.46011mm";
    QTest::newRow("M27 8.8") << "M27" << false << "184" << "此端板的最小厚度为32.81879mm";
    QTest::newRow("M27 10.9") << "M27" << true << "232" << "此端板的最小厚度为36.85172mm";
    QTest::newRow("M30 8.8") << "M30" << false << "224" << "此端板的最小厚度为36.21077mm";
    QTest::newRow("M30 10.9") << "M30" << true << "284" << "此端板的最小厚度为40.77302mm";
    // An unlisted size has no pretension: Ntb 0, every class 0, the floor 16.
    QTest::newRow("lower case m20") << "m20" << true << "0" << "此端板的最小厚度为16mm";
    QTest::newRow("trailing blank") << "M20 " << true << "0" << "此端板的最小厚度为16mm";
    QTest::newRow("empty size") << "" << false << "0" << "此端板的最小厚度为16mm";
    // clang-format on
}

void TestEndPlate::shouldGiveBoltCapacity()
{
    QFETCH(QString, size);
    QFETCH(bool, grade10_9);
    QFETCH(QString, NtbText);
    QFETCH(QString, thicknessText);

    EndPlateInput in = plate("cantilever");
    in.boltSize = size.toStdString();
    in.boltGrade = grade10_9 ? BoltGrade::Grade10_9 : BoltGrade::Grade8_8;
    const EndPlateResult r = computeEndPlate(in);
    QCOMPARE(QString::fromStdString(r.NtbText), NtbText);
    QCOMPARE(QString::fromStdString(r.thicknessText), thicknessText);
}

void TestEndPlate::shouldRefuseAnUnlistedSteelOnlyWithATickedClass_data()
{
    // clang-format off
    QTest::addColumn<QString>("steel");
    QTest::addColumn<QString>("classes");
    QTest::addColumn<QString>("thicknessText");
    QTest::addColumn<QString>("message");

    const QString refused = QString::fromUtf8("端板钢材应为Q235、Q345、Q390或Q420");
    QTest::newRow("lower case q235, cantilever") << "q235" << "cantilever" << "" << refused;
    QTest::newRow("trailing blank, two-side") << "Q235 " << "twoSide" << "" << refused;
    QTest::newRow("empty steel, three-side") << "" << "threeSide" << "" << refused;
    QTest::newRow("Q460, no stiffener") << "Q460" << "noStiffener" << "" << refused;
    // f is never used without a ticked class.
    QTest::newRow("lower case q235, none ticked") << "q235" << "" << "此端板的最小厚度为16mm" << "";
    // clang-format on
}

void TestEndPlate::shouldRefuseAnUnlistedSteelOnlyWithATickedClass()
{
    QFETCH(QString, steel);
    QFETCH(QString, classes);
    QFETCH(QString, thicknessText);
    QFETCH(QString, message);

    EndPlateInput in = plate(classes);
    in.steelGrade = steel.toStdString();
    const EndPlateResult r = computeEndPlate(in);
    QCOMPARE(r.hasThickness, !thicknessText.isEmpty());
    QCOMPARE(QString::fromStdString(r.thicknessText), thicknessText);
    QCOMPARE(QString::fromStdString(r.message), message);
    QCOMPARE(QString::fromStdString(r.NtbText), QString("124"));  // the bolt does not depend on the plate
}

void TestEndPlate::shouldGiveNoThicknessOutOfRange_data()
{
    // clang-format off
    QTest::addColumn<QString>("classes");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("ef");
    QTest::addColumn<double>("ew");
    QTest::addColumn<QString>("size");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("b 0, cantilever: zero divisor") << "cantilever" << 0.0 << 80.0 << 40.0 << 50.0 << "M20";
    QTest::newRow("b 0 and no pretension: 0/0") << "cantilever" << 0.0 << 80.0 << 40.0 << 50.0 << "m20";
    QTest::newRow("ef -40, cantilever: negative root") << "cantilever" << 200.0 << 80.0 << -40.0 << 50.0 << "M20";
    QTest::newRow("b -200, two-side: negative root") << "twoSide" << -200.0 << 80.0 << 40.0 << 50.0 << "M20";
    QTest::newRow("a -100, no stiffener: 0.5a + ew = 0") << "noStiffener" << 200.0 << -100.0 << 40.0 << 50.0 << "M20";
    QTest::newRow("ew 0 and ef 0, three-side: 0/0") << "threeSide" << 200.0 << 80.0 << 0.0 << 0.0 << "M20";
    QTest::newRow("one class out of range spoils all") << "cantilever noStiffener" << 200.0 << -100.0 << 40.0 << 50.0 << "M20";
    QTest::newRow("b infinite (read from 1e400)") << "cantilever" << inf << 80.0 << 40.0 << 50.0 << "M20";
    QTest::newRow("ef 1e300: root beyond single precision") << "cantilever" << 200.0 << 80.0 << 1e300 << 50.0 << "M20";
    // 104.3 mm with f 205: the strength table ends at 100 mm.
    QTest::newRow("current: thicker than 100 mm") << "current cantilever" << 200.0 << 80.0 << 600.0 << 50.0 << "M20";
    // clang-format on
}

void TestEndPlate::shouldGiveNoThicknessOutOfRange()
{
    QFETCH(QString, classes);
    QFETCH(double, b);
    QFETCH(double, a);
    QFETCH(double, ef);
    QFETCH(double, ew);
    QFETCH(QString, size);

    EndPlateInput in = plate(classes);
    in.b = b;
    in.a = a;
    in.ef = ef;
    in.ew = ew;
    in.boltSize = size.toStdString();
    const EndPlateResult r = computeEndPlate(in);
    QVERIFY(!r.hasThickness);
    QCOMPARE(r.thickness, 0.0f);
    QVERIFY(r.thicknessText.empty());
    QVERIFY(r.message.empty());
    QVERIFY(std::isfinite(r.Ntb));
}

QTEST_APPLESS_MAIN(TestEndPlate)
#include "test_endplate.moc"
