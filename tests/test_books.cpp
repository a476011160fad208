// Calculation books: for worked values of each calculator the book holds
// every input as read and every result as the window shows it, and its
// formulas show no number but those and the formulas' own constants.

#include "columnbook.h"
#include "endplatebook.h"
#include "numbers.h"
#include "pilegroupbook.h"
#include "stabilitybook.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

using namespace morvane;

namespace {

// A result box's object name and the text the window writes into it.
using Shown = QList<QPair<QString, QString>>;

QString q(const std::string &text) { return QString::fromStdString(text); }

// The numbers of a text, not those that are part of a symbol (t1, α2, M20, Q235).
QStringList numbersIn(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("(?<![A-Za-z0-9_.\\x{0370}-\\x{03FF}])(\\d+(\\.\\d+)?|\\.\\d+)([eE][+-]?\\d+)?"));
    QStringList numbers;
    for (auto it = number.globalMatch(text); it.hasNext();)
        numbers << it.next().captured();
    return numbers;
}

// The value of a substituted formula's right-hand side with numbers only
// (+, −, ×, /, parentheses, √, ²), evaluated left to right as the
// calculations do; nothing when a symbol is left in it.
std::optional<double> evaluate(const QString &substituted)
{
    QString e = substituted.section(QStringLiteral(" = "), 1);
    e.remove(' ');
    e.replace(QChar(0x2212), '-');
    qsizetype at = 0;
    bool ok = true;
    std::function<double()> sum;
    auto factor = [&]() -> double {
        const bool negative = e.mid(at, 1) == "-";
        at += negative ? 1 : 0;
        double v = 0;
        if (e.mid(at, 2) == QStringLiteral("√(") || e.mid(at, 1) == "(") {
            const bool root = e[at] != '(';
            at += root ? 2 : 1;
            v = sum();
            ok = ok && e.mid(at++, 1) == ")";
            v = root ? std::sqrt(v) : v;
        } else {
            const auto m = QRegularExpression(QStringLiteral("^\\d+(\\.\\d+)?([eE][+-]?\\d+)?")).match(e.mid(at));
            ok = ok && m.hasMatch();
            v = m.captured().toDouble();
            at += m.capturedLength();
        }
        if (e.mid(at, 1) == QStringLiteral("²")) {
            ++at;
            v = v * v;
        }
        return negative ? -v : v;
    };
    auto product = [&] {
        double v = factor();
        while (ok && (e.mid(at, 1) == QStringLiteral("×") || e.mid(at, 1) == "/"))
            v = e[at++] == '/' ? v / factor() : v * factor();
        return v;
    };
    sum = [&] {
        double v = product();
        while (ok && (e.mid(at, 1) == "+" || e.mid(at, 1) == "-"))
            v = e[at++] == '-' ? v - product() : v + product();
        return v;
    };
    const double v = sum();
    return ok && at == e.size() ? std::optional(v) : std::nullopt;
}

// `inputs`: "symbol=value" (the name where there is no symbol), separated by "|".
// `constants`: the numbers the formulas may hold besides inputs and results.
// `checks`: the verdicts of the check steps in order, "满足" or "不满足".
void checkBook(const CalcBook &book, const QString &calculator, const QString &inputs, const Shown &shown,
               const QStringList &constants, const QStringList &checks, const QStringList &verdicts,
               const QString &note)
{
    QCOMPARE(q(book.calculator), calculator);

    QStringList read;
    for (const BookInput &input : book.inputs)
        read << (input.symbol.empty() ? q(input.name) : q(input.symbol)) + "=" + q(input.value);
    QCOMPARE(read.join('|'), inputs);

    QStringList allowed = constants;
    for (const BookInput &input : book.inputs)
        allowed << numbersIn(q(input.value));
    for (const auto &[box, text] : shown) {
        allowed << numbersIn(text);
        const bool found = std::any_of(book.steps.begin(), book.steps.end(), [&](const BookStep &step) {
            return q(step.value) == text && q(step.resultBox) == box;
        });
        QVERIFY2(found, qPrintable(box + " shows " + text + ", which no step holds"));
    }

    QStringList checked;
    for (const BookStep &step : book.steps) {
        if (!step.value.empty())
            QVERIFY2(shown.contains({q(step.resultBox), q(step.value)}),
                     qPrintable(q(step.value) + " is not shown in " + q(step.resultBox)));
        for (const std::string *text : {&step.formula, &step.substituted, &step.comparison}) {
            for (const QString &n : numbersIn(q(*text)))
                QVERIFY2(allowed.contains(n), qPrintable(n + " in \"" + q(*text) + "\" is not shown"));
        }
        // A formula with every value put in gives the value shown.
        if (const std::optional<double> v = evaluate(q(step.substituted)); v && !step.value.empty())
            QCOMPARE(q(displayDouble(*v)), q(step.value));
        if (step.verdict != Verdict::None)
            checked << (step.verdict == Verdict::Satisfied ? "满足" : "不满足");
    }
    QCOMPARE(checked, checks);

    QStringList said;
    for (const std::string &verdict : book.verdicts)
        said << q(verdict);
    QCOMPARE(said, verdicts);
    QCOMPARE(q(book.note), note);
}

}  // namespace

class TestBooks : public QObject
{
    Q_OBJECT
private slots:
    void shouldDescribeTheEndPlate_data();
    void shouldDescribeTheEndPlate();
    void shouldDescribeThePileGroup_data();
    void shouldDescribeThePileGroup();
    void shouldDescribeTheColumn_data();
    void shouldDescribeTheColumn();
    void shouldDescribeTheStability_data();
    void shouldDescribeTheStability();
};

void TestBooks::shouldDescribeTheEndPlate_data()
{
    QTest::addColumn<QString>("classes");  // cantilever noStiffener twoSide threeSide
    QTest::addColumn<bool>("flush");
    QTest::addColumn<QString>("steel");
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("grade8_8");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("ef");
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("constants");  // P and f from their tables
    QTest::addColumn<QString>("note");

    const QString rest = "|bs=100|a=80|";
    const QString defaults = "b=200|bs=100|a=80|ef=40|ew=50|端板钢材=Q235|螺栓直径=M20|螺栓级别=10.9级|支承条件=";
    QTest::newRow("none ticked: 16") << "" << false << "Q235" << "M20" << false << 200.0 << 40.0
                                     << defaults + "无|两边支承端板的端板形式=端板外伸" << "155" << "";
    QTest::newRow("cantilever") << "cantilever" << false << "Q235" << "M20" << false << 200.0 << 40.0
                                << defaults + "伸臂类端板|两边支承端板的端板形式=端板外伸" << "155 205" << "";
    QTest::newRow("two-side flush") << "twoSide" << true << "Q235" << "M20" << false << 200.0 << 40.0
                                    << defaults + "两边支承端板|两边支承端板的端板形式=端板平齐" << "155 205" << "";
    QTest::newRow("all four, extended")
        << "cantilever noStiffener twoSide threeSide" << false << "Q235" << "M20" << false << 200.0 << 40.0
        << defaults + "伸臂类端板、无加劲肋类端板、两边支承端板、三边支承类端板|两边支承端板的端板形式=端板外伸"
        << "155 205" << "";
    QTest::newRow("class exactly 16, floored") << "cantilever" << false << "Q235" << "M20" << false << 2325.0 << 164.0
                                               << "b=2325" + rest + "ef=164|ew=50|端板钢材=Q235|螺栓直径=M20|螺栓级别=10.9级|"
                                                  "支承条件=伸臂类端板|两边支承端板的端板形式=端板外伸"
                                               << "155 205" << "";
    QTest::newRow("Q345 M16 8.8级") << "noStiffener" << false << "Q345" << "M16" << true << 200.0 << 40.0
                                   << "b=200" + rest + "ef=40|ew=50|端板钢材=Q345|螺栓直径=M16|螺栓级别=8.8级|"
                                      "支承条件=无加劲肋类端板|两边支承端板的端板形式=端板外伸"
                                   << "80 295" << "";
    // No thickness: the bolt capacity is still shown.
    QTest::newRow("unlisted steel") << "threeSide" << false << "q235" << "M20" << false << 200.0 << 40.0
                                    << "b=200" + rest + "ef=40|ew=50|端板钢材=q235|螺栓直径=M20|螺栓级别=10.9级|"
                                       "支承条件=三边支承类端板|两边支承端板的端板形式=端板外伸"
                                    << "155" << "端板钢材应为Q235、Q345、Q390或Q420";
    QTest::newRow("ef -40: negative root") << "cantilever" << false << "Q235" << "M20" << false << 200.0 << -40.0
                                           << "b=200" + rest + "ef=-40|ew=50|端板钢材=Q235|螺栓直径=M20|螺栓级别=10.9级|"
                                              "支承条件=伸臂类端板|两边支承端板的端板形式=端板外伸"
                                           << "155" << "输入数据超出计算范围，无法计算";
    // The window computes nothing for a size without pretension.
    QTest::newRow("unlisted bolt size") << "cantilever" << false << "Q235" << "m20" << false << 200.0 << 40.0
                                        << "b=200" + rest + "ef=40|ew=50|端板钢材=Q235|螺栓直径=m20|螺栓级别=10.9级|"
                                           "支承条件=伸臂类端板|两边支承端板的端板形式=端板外伸"
                                        << "" << "螺栓直径应为M16、M20、M22、M24、M27或M30";
}

void TestBooks::shouldDescribeTheEndPlate()
{
    QFETCH(QString, classes);
    QFETCH(bool, flush);
    QFETCH(QString, steel);
    QFETCH(QString, size);
    QFETCH(bool, grade8_8);
    QFETCH(double, b);
    QFETCH(double, ef);
    QFETCH(QString, inputs);
    QFETCH(QString, constants);
    QFETCH(QString, note);

    EndPlateInput in;
    in.b = b;
    in.bs = 100;
    in.a = 80;
    in.ef = ef;
    in.ew = 50;
    in.steelGrade = steel.toStdString();
    in.boltSize = size.toStdString();
    in.boltGrade = grade8_8 ? BoltGrade::Grade8_8 : BoltGrade::Grade10_9;
    in.cantilever = classes.contains("cantilever");
    in.noStiffener = classes.contains("noStiffener");
    in.twoSide = classes.contains("twoSide");
    in.threeSide = classes.contains("threeSide");
    in.plateEnd = flush ? PlateEnd::Flush : PlateEnd::Extended;
    const EndPlateResult r = computeEndPlate(in);
    Shown shown;  // as Form3 writes them; nothing when it refuses the bolt size
    if (boltPretension(in.boltSize, in.boltGrade) != 0)
        shown = {{"Text7", q(r.NtbText)}, {"Text6", q(r.thicknessText)}};
    shown.removeIf([](const auto &box) { return box.second.isEmpty(); });

    checkBook(describeEndPlate(in, r), "端板厚度计算器", inputs, shown,
              constants.split(' ', Qt::SkipEmptyParts) + QStringList{"0.8", "1000", "6", "3", "0.5", "2", "4", "12", "16"},
              {}, {}, note);
}

void TestBooks::shouldDescribeThePileGroup_data()
{
    QTest::addColumn<double>("L");
    QTest::addColumn<double>("H");
    QTest::addColumn<double>("capDepth");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("piles");  // the number the list text stands for
    QTest::addColumn<QString>("note");

    // Other inputs: B 1000, R 350, γc 25, γs 18.
    QTest::newRow("defaults, six piles: 2068.8") << 1000.0 << 600.0 << 1500.0 << "六桩"
                                                 << "L=1000|B=1000|H=600|d=1500|R=350|γc=25|γs=18|桩数=六桩" << "6" << "";
    QTest::newRow("sixteen piles: 5568.8") << 1000.0 << 600.0 << 1500.0 << "十六桩"
                                           << "L=1000|B=1000|H=600|d=1500|R=350|γc=25|γs=18|桩数=十六桩" << "16" << "";
    QTest::newRow("typed 6桩, no piles: -31.2") << 1000.0 << 600.0 << 1500.0 << "6桩"
                                                << "L=1000|B=1000|H=600|d=1500|R=350|γc=25|γs=18|桩数=6桩" << "0" << "";
    QTest::newRow("depth below the cap height: 2086.8")
        << 1000.0 << 600.0 << 500.0 << "六桩" << "L=1000|B=1000|H=600|d=500|R=350|γc=25|γs=18|桩数=六桩" << "6" << "";
    QTest::newRow("negative height, 0.5 mm cap") << 0.5 << -600.0 << 1500.0 << "两桩"
                                                 << "L=0.5|B=1000|H=-600|d=1500|R=350|γc=25|γs=18|桩数=两桩" << "2" << "";
    QTest::newRow("plan 1e306 x 1000: out of range")
        << 1e306 << 600.0 << 1500.0 << "六桩" << "L=1E+306|B=1000|H=600|d=1500|R=350|γc=25|γs=18|桩数=六桩" << ""
        << "输入数据超出计算范围，无法计算";
}

void TestBooks::shouldDescribeThePileGroup()
{
    QFETCH(double, L);
    QFETCH(double, H);
    QFETCH(double, capDepth);
    QFETCH(QString, count);
    QFETCH(QString, inputs);
    QFETCH(QString, piles);
    QFETCH(QString, note);

    const PileGroupInput in{L, 1000, H, capDepth, 350, 25, 18, count.toStdString()};
    const PileGroupResult r = computePileGroup(in);
    Shown shown{{"Text8", q(r.capacityText)}};  // as Form5 writes it
    shown.removeIf([](const auto &box) { return box.second.isEmpty(); });
    checkBook(describePileGroup(in, r), "桩基承载力估算", inputs, shown, {piles, "1000", "1000000"}, {}, {}, note);
}

void TestBooks::shouldDescribeTheColumn_data()
{
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("h");
    QTest::addColumn<QString>("diameter");  // of all three lists
    QTest::addColumn<double>("count");      // of both sides
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("check");
    QTest::addColumn<QString>("report");    // the two lines, "|" between them
    QTest::addColumn<QString>("note");

    const QString ordinary = "|二.采用普通箍即可";
    const QString welded = "|二.柱配筋率大于3%，需采用焊接封闭箍";
    QTest::newRow("defaults: 2.36") << 400.0 << 400.0 << "直径20" << 2.0
                                    << "b=400|h=400|dc=直径20|nb=2|db=直径20|nh=2|dh=直径20" << "满足"
                                    << "一.计算得该柱配筋率为：2.36%" + ordinary << "";
    QTest::newRow("300 x 300, 直径25: 6.54") << 300.0 << 300.0 << "直径25" << 2.0
                                             << "b=300|h=300|dc=直径25|nb=2|db=直径25|nh=2|dh=直径25" << "不满足"
                                             << "一.计算得该柱配筋率为：6.54%" + welded << "";
    QTest::newRow("h 313.9: 3.00, welded") << 400.0 << 313.9 << "直径20" << 2.0
                                           << "b=400|h=313.9|dc=直径20|nb=2|db=直径20|nh=2|dh=直径20" << "不满足"
                                           << "一.计算得该柱配筋率为：3.00%" + welded << "";
    QTest::newRow("negative b, half bars: -1.18") << -400.0 << 400.0 << "直径20" << 0.5
                                                  << "b=-400|h=400|dc=直径20|nb=0.5|db=直径20|nh=0.5|dh=直径20" << "满足"
                                                  << "一.计算得该柱配筋率为：-1.18%" + ordinary << "";
    QTest::newRow("unlisted diameter: no area") << 400.0 << 400.0 << "直径28" << 2.0
                                                << "b=400|h=400|dc=直径28|nb=2|db=直径28|nh=2|dh=直径28" << "满足"
                                                << "一.计算得该柱配筋率为：0.00%" + ordinary << "";
    QTest::newRow("b 0: out of range") << 0.0 << 400.0 << "直径20" << 2.0
                                       << "b=0|h=400|dc=直径20|nb=2|db=直径20|nh=2|dh=直径20" << "" << ""
                                       << "输入数据超出计算范围，无法计算";
}

void TestBooks::shouldDescribeTheColumn()
{
    QFETCH(double, b);
    QFETCH(double, h);
    QFETCH(QString, diameter);
    QFETCH(double, count);
    QFETCH(QString, inputs);
    QFETCH(QString, check);
    QFETCH(QString, report);
    QFETCH(QString, note);

    const std::string d = diameter.toStdString();
    const ColumnInput in{b, h, d, count, d, count, d};
    const ColumnResult r = computeColumnRatio(in);
    Shown shown{{"Text6", q(r.ratioText)}};  // in the first line of Form6's report
    shown.removeIf([](const auto &box) { return box.second.isEmpty(); });
    const QStringList constants{QString::number(barDiameter(d)), "4", "2", "3.14159", "100", "3"};
    checkBook(describeColumnRatio(in, r), "柱配筋率验算", inputs, shown, constants,
              check.split(' ', Qt::SkipEmptyParts), report.split('|', Qt::SkipEmptyParts), note);
}

void TestBooks::shouldDescribeTheStability_data()
{
    QTest::addColumn<QString>("slenderness");  // "L I A" of the first button, empty when not clicked
    QTest::addColumn<QString>("coefficient");  // "steel class λ" of the second, λ "read" from the first's box
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("constants");    // fy and α from their tables
    QTest::addColumn<QString>("checks");
    QTest::addColumn<QString>("note");

    const QString defaults = "L=6000|I=20000|A=10000";
    QTest::newRow("both, Q235 a类: .9357") << "6000 20000 10000" << "Q235 a类 read" << defaults + "|钢材=Q235|截面类型=a类|λ=42.4264068711929"
                                           << "235 0.41 0.986 0.152" << "" << "";
    QTest::newRow("both, Q390 b类: .8344") << "6000 20000 10000" << "Q390 b类 read" << defaults + "|钢材=Q390|截面类型=b类|λ=42.4264068711929"
                                           << "390 0.65 0.965 0.3" << "" << "";
    QTest::newRow("slenderness only") << "6000 20000 10000" << "" << defaults << "" << "" << "";
    QTest::newRow("typed 10, stocky: 0.995261021176217") << "" << "Q235 a类 10" << "钢材=Q235|截面类型=a类|λ=10"
                                                        << "235 0.41" << "" << "";
    QTest::newRow("typed 97.6, c类 up to 1.05: .4741") << "" << "Q235 c类 97.6" << "钢材=Q235|截面类型=c类|λ=97.6"
                                                      << "235 0.906 0.595" << "" << "";
    QTest::newRow("typed 97.7, c类 above 1.05: .4729") << "" << "Q235 c类 97.7" << "钢材=Q235|截面类型=c类|λ=97.7"
                                                      << "235 1.216 0.302" << "" << "";
    QTest::newRow("I 0 raised: 6000") << "6000 0 10000" << "" << "L=6000|I=0|A=10000" << "" << "不满足" << "";
    QTest::newRow("A -5 raised: no slenderness") << "6000 20000 -5" << "" << "L=6000|I=20000|A=-5" << "" << "不满足"
                                                 << "输入数据超出计算范围，无法计算";
    QTest::newRow("steel q235 refused") << "6000 20000 10000" << "q235 b类 read" << defaults + "|钢材=q235|截面类型=b类|λ=42.4264068711929"
                                        << "" << "" << "钢材应为Q235、Q345或Q390";
    QTest::newRow("λ 1e308: no coefficient") << "" << "Q345 b类 1e308" << "钢材=Q345|截面类型=b类|λ=1E+308" << "345" << ""
                                               << "输入数据超出计算范围，无法计算";
    QTest::newRow("neither clicked") << "" << "" << "" << "" << "" << "尚未计算";
}

void TestBooks::shouldDescribeTheStability()
{
    QFETCH(QString, slenderness);
    QFETCH(QString, coefficient);
    QFETCH(QString, inputs);
    QFETCH(QString, constants);
    QFETCH(QString, checks);
    QFETCH(QString, note);

    Shown shown;  // as Form4 writes them
    std::optional<SlendernessRun> first;
    if (const QStringList v = slenderness.split(' ', Qt::SkipEmptyParts); !v.isEmpty()) {
        const SlendernessInput in{v[0].toDouble(), v[1].toDouble(), v[2].toDouble()};
        first = SlendernessRun{in, computeSlenderness(in)};
        shown << QPair<QString, QString>("Text4", q(first->result.slendernessText));
    }
    std::optional<StabilityRun> second;
    if (const QStringList v = coefficient.split(' ', Qt::SkipEmptyParts); !v.isEmpty()) {
        const double lambda = v[2] == "read" ? parseLeadingNumber(first->result.slendernessText) : v[2].toDouble();
        const StabilityInput in{v[0].toStdString(), v[1].toStdString(), lambda};
        second = StabilityRun{in, computeStability(in)};
        if (yieldStrength(in.steelGrade) != 0)  // the window refuses an unlisted steel
            shown << QPair<QString, QString>("Text5", q(second->result.coefficientText));
    }
    shown.removeIf([](const auto &box) { return box.second.isEmpty(); });
    const QStringList whitelist{"10000", "206000", "3.1415926", "0.215", "1.05", "0", "1", "2", "4"};
    checkBook(describeStability(first, second), "轴心受压构件稳定系数查询", inputs, shown,
              constants.split(' ', Qt::SkipEmptyParts) + whitelist, checks.split(' ', Qt::SkipEmptyParts), {}, note);
}

QTEST_APPLESS_MAIN(TestBooks)
#include "test_books.moc"
