// Slenderness with its three warnings, and the stability coefficient by
// steel grade and section class.

#include "numbers.h"
#include "stability.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace morvane;

class TestStability : public QObject
{
    Q_OBJECT
private slots:
    void shouldComputeSlenderness_data();
    void shouldComputeSlenderness();
    void shouldComputeStabilityCoefficient_data();
    void shouldComputeStabilityCoefficient();
    void shouldTakeTheBranchByNormalisedSlenderness_data();
    void shouldTakeTheBranchByNormalisedSlenderness();
};

void TestStability::shouldComputeSlenderness_data()
{
    // clang-format off
    QTest::addColumn<double>("L");  // mm
    QTest::addColumn<double>("I");  // 10^4 mm^4
    QTest::addColumn<double>("A");  // mm^2
    QTest::addColumn<QString>("warning");
    QTest::addColumn<SlendernessWarning>("raised");  // the check that warned
    QTest::addColumn<QString>("slendernessText");  // empty: no slenderness

    const QString lengthWarning = QString::fromUtf8("构件的计算长度不得<=0");
    const QString inertiaWarning = QString::fromUtf8("构件的惯性距不得<=0");
    const QString areaWarning = QString::fromUtf8("构件的面积不得为<=0");
    const double inf = std::numeric_limits<double>::infinity();

    // λ = L / sqrt(I·10000 / A)
    QTest::newRow("defaults") << 6000.0 << 20000.0 << 10000.0 << "" << SlendernessWarning::None << "42.4264068711929";
    QTest::newRow("I 0 raised to 1") << 6000.0 << 0.0 << 10000.0 << inertiaWarning << SlendernessWarning::Inertia << "6000";
    QTest::newRow("I -0.5 raised to 0.5") << 6000.0 << -0.5 << 10000.0 << inertiaWarning << SlendernessWarning::Inertia << "8485.28137423857";
    QTest::newRow("A 0 raised to 1") << 6000.0 << 20000.0 << 0.0 << areaWarning << SlendernessWarning::Area << "0.424264068711929";
    QTest::newRow("A 0 raised, small I kept") << 6000.0 << 0.5 << 0.0 << areaWarning << SlendernessWarning::Area << "84.8528137423857";
    QTest::newRow("L 0 kept") << 0.0 << 20000.0 << 10000.0 << lengthWarning << SlendernessWarning::Length << "0";
    QTest::newRow("L -100 kept") << -100.0 << 20000.0 << 10000.0 << lengthWarning << SlendernessWarning::Length << "-0.707106781186547";
    // Only the first failing check warns and only its value is raised;
    // a later failing value then leaves no slenderness.
    QTest::newRow("L 0 and I 0: I not raised, 0/0") << 0.0 << 0.0 << 10000.0 << lengthWarning << SlendernessWarning::Length << "";
    QTest::newRow("L -100 and I 0: zero radius") << -100.0 << 0.0 << 10000.0 << lengthWarning << SlendernessWarning::Length << "";
    QTest::newRow("L -100 and A 0: A not raised") << -100.0 << 20000.0 << 0.0 << lengthWarning << SlendernessWarning::Length << "";
    QTest::newRow("I 0 and A 0: A not raised") << 6000.0 << 0.0 << 0.0 << inertiaWarning << SlendernessWarning::Inertia << "";
    QTest::newRow("I -5: I·10000/A negative") << 6000.0 << -5.0 << 10000.0 << inertiaWarning << SlendernessWarning::Inertia << "";
    QTest::newRow("I -1: zero radius") << 6000.0 << -1.0 << 10000.0 << inertiaWarning << SlendernessWarning::Inertia << "";
    QTest::newRow("A -1: divided by 0") << 6000.0 << 20000.0 << -1.0 << areaWarning << SlendernessWarning::Area << "";
    QTest::newRow("A -5: I·10000/A negative") << 6000.0 << 20000.0 << -5.0 << areaWarning << SlendernessWarning::Area << "";
    QTest::newRow("L infinite (read from 1e400)") << inf << 20000.0 << 10000.0 << "" << SlendernessWarning::None << "";
    QTest::newRow("A infinite: infinite radius") << 6000.0 << inf << 10000.0 << "" << SlendernessWarning::None << "";
    // clang-format on
}

void TestStability::shouldComputeSlenderness()
{
    QFETCH(double, L);
    QFETCH(double, I);
    QFETCH(double, A);
    QFETCH(QString, warning);
    QFETCH(SlendernessWarning, raised);
    QFETCH(QString, slendernessText);

    const SlendernessResult r = computeSlenderness({L, I, A});
    QCOMPARE(QString::fromStdString(r.warningText), warning);
    QCOMPARE(r.warning, raised);
    QCOMPARE(QString::fromStdString(r.slendernessText), slendernessText);
    QCOMPARE(r.hasSlenderness, !slendernessText.isEmpty());
    QVERIFY(std::isfinite(r.slenderness));
}

void TestStability::shouldComputeStabilityCoefficient_data()
{
    // clang-format off
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("sectionClass");
    QTest::addColumn<QString>("slenderness");  // text of the slenderness box
    QTest::addColumn<QString>("coefficientText");  // empty: no result

    // The window's slenderness, read back from its box.
    const QString worked = "42.4264068711929";
    QTest::newRow("Q235 a, worked") << "Q235" << "a类" << worked << ".9357";
    QTest::newRow("Q235 b, worked") << "Q235" << "b类" << worked << ".8889";
    QTest::newRow("Q235 c, worked") << "Q235" << "c类" << worked << ".8237";
    QTest::newRow("Q345 a, worked") << "Q345" << "a类" << worked << ".9116";
    QTest::newRow("Q345 b, worked") << "Q345" << "b类" << worked << ".8499";
    QTest::newRow("Q345 c, worked") << "Q345" << "c类" << worked << ".7654";
    QTest::newRow("Q390 a, worked") << "Q390" << "a类" << worked << ".9014";
    QTest::newRow("Q390 b, worked") << "Q390" << "b类" << worked << ".8344";
    QTest::newRow("Q390 c, worked") << "Q390" << "c类" << worked << ".744";

    QTest::newRow("Q235 a, 80") << "Q235" << "a类" << "80" << ".7829";
    QTest::newRow("Q235 b, 80") << "Q235" << "b类" << "80" << ".6878";
    QTest::newRow("Q235 c, 80") << "Q235" << "c类" << "80" << ".5781";

    // λn 0.1075 and 0.2150208 either side of 0.215.
    QTest::newRow("Q235 a, 10: 1 - a1 λn²") << "Q235" << "a类" << "10" << "0.995261021176217";
    QTest::newRow("Q235 b, 10: 1 - a1 λn²") << "Q235" << "b类" << "10" << "0.992486984791564";
    QTest::newRow("Q235 c, 10: 1 - a1 λn²") << "Q235" << "c类" << "10" << "0.991562305996679";
    QTest::newRow("Q235 a, 20: pattern") << "Q235" << "a类" << "20" << ".9808";
    QTest::newRow("Q235 b, 20: pattern") << "Q235" << "b类" << "20" << ".97";
    // Class c: λn 1.0493 uses 0.906 and 0.595, λn 1.0504 uses 1.216 and 0.302.
    QTest::newRow("Q235 c, 97.6: lower band") << "Q235" << "c类" << "97.6" << ".4741";
    QTest::newRow("Q235 c, 97.7: upper band") << "Q235" << "c类" << "97.7" << ".4729";
    QTest::newRow("negative: 1 - a1 λn²") << "Q235" << "a类" << "-50" << "0.881525529405426";

    // Unrecognised grade: fy 0, λn 0, φ 1.
    QTest::newRow("lower case q235") << "q235" << "b类" << worked << "1";
    QTest::newRow("Q420 not in this table") << "Q420" << "c类" << "80" << "1";
    QTest::newRow("empty grade") << "" << "a类" << "80" << "1";
    // Empty slenderness box reads 0.
    QTest::newRow("empty box, a") << "Q235" << "a类" << "" << "1";
    QTest::newRow("empty box, b") << "Q235" << "b类" << "" << "1";
    QTest::newRow("empty box, c") << "Q235" << "c类" << "" << "1";

    // No result.
    QTest::newRow("empty class") << "Q235" << "" << worked << "";
    QTest::newRow("class d") << "Q235" << "d类" << worked << "";
    QTest::newRow("class without 类") << "Q235" << "a" << worked << "";
    QTest::newRow("class with trailing blank") << "Q235" << "b类 " << worked << "";
    QTest::newRow("1e200: λn² overflows") << "Q235" << "b类" << "1e200" << "";
    QTest::newRow("1e400 reads as infinity") << "Q235" << "a类" << "1e400" << "";
    QTest::newRow("infinity times fy 0") << "q235" << "a类" << "1e400" << "";
    // clang-format on
}

void TestStability::shouldComputeStabilityCoefficient()
{
    QFETCH(QString, grade);
    QFETCH(QString, sectionClass);
    QFETCH(QString, slenderness);
    QFETCH(QString, coefficientText);

    StabilityInput in;
    in.steelGrade = grade.toStdString();
    in.sectionClass = sectionClass.toStdString();
    in.slenderness = parseLeadingNumber(slenderness.toStdString());
    const StabilityResult r = computeStability(in);
    QCOMPARE(r.hasResult, !coefficientText.isEmpty());
    QCOMPARE(QString::fromStdString(r.coefficientText), coefficientText);
    QVERIFY(std::isfinite(r.coefficient));
    QVERIFY(std::isfinite(r.normalisedSlenderness));
}

void TestStability::shouldTakeTheBranchByNormalisedSlenderness_data()
{
    // clang-format off
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<double>("lambdaN");
    QTest::addColumn<QString>("text");

    // Exactly 0.215: 1 - α1·0.046225, in double display.
    QTest::newRow("ablei a at 0.215") << "ablei a" << 0.215 << "0.98104775";
    QTest::newRow("clei at 0.215") << "clei" << 0.215 << "0.96625575";
    // Exactly 1.05: clei uses 0.906 and 0.595 as ablei would with them.
    QTest::newRow("clei at 1.05") << "clei" << 1.05 << ".4737";
    QTest::newRow("ablei 0.906/0.595 at 1.05") << "ablei c lower" << 1.05 << ".4737";
    QTest::newRow("clei just above 1.05") << "clei" << 1.0500001 << ".473";
    QTest::newRow("ablei 1.216/0.302 just above 1.05") << "ablei c upper" << 1.0500001 << ".473";
    // clang-format on
}

void TestStability::shouldTakeTheBranchByNormalisedSlenderness()
{
    QFETCH(QString, procedure);
    QFETCH(double, lambdaN);
    QFETCH(QString, text);

    StabilityCoefficient c;
    if (procedure == "ablei a")
        c = ablei(0.41, 0.986, 0.152, lambdaN);
    else if (procedure == "ablei c lower")
        c = ablei(0.73, 0.906, 0.595, lambdaN);
    else if (procedure == "ablei c upper")
        c = ablei(0.73, 1.216, 0.302, lambdaN);
    else
        c = clei(0.73, lambdaN);
    QVERIFY(c.computable);
    QCOMPARE(QString::fromStdString(c.text), text);
}

QTEST_APPLESS_MAIN(TestStability)
#include "test_stability.moc"
