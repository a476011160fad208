// Calculation books: for worked values of each calculator the book holds
// every input as read and every result as the window shows it, and its
// formulas show no number but those, earlier steps' figures and the
// formulas' own constants; each formula gives the figure its step shows.

#include "arithmetic.h"
#include "boltbook.h"
#include "booktext.h"
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

// A result box's object name and the text the window writes into it, perhaps none.
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

// The value of a substituted formula's right-hand side with numbers only,
// a closing "%" left out; nothing when a symbol is left in it.
std::optional<double> evaluate(const QString &substituted)
{
    return Arithmetic::evaluate(substituted.section(QStringLiteral(" = "), 1).remove('%'));
}

// True when a figure is the value rounded for reading, or agrees with it in
// the seven digits a single-precision value carries (the bolt's μ).
bool sameFigure(double value, const QString &figure)
{
    return q(bookFigure(value)) == figure || displaySignificant(value, 7) == displaySignificant(figure.toDouble(), 7);
}

// `inputs`: "symbol=value" (the name where there is no symbol), separated by "|".
// `constants`: the numbers the formulas may hold besides inputs and results.
// `checks`: the verdicts of the check steps in order, "满足" or "不满足".
void checkBook(const CalcBook &book, const QString &calculator, const QString &inputs, const Shown &shown,
               const QStringList &constants, const QStringList &checks, const QStringList &verdicts,
               const QString &note, const QString &figures = {})
{
    QCOMPARE(q(book.calculator), calculator);

    QStringList read;
    for (const BookInput &input : book.inputs)
        read << (input.symbol.empty() ? q(input.name) : q(input.symbol)) + "=" + q(input.value);
    QCOMPARE(read.join('|'), inputs);

    QStringList allowed = constants;
    for (const BookInput &input : book.inputs)
        allowed << numbersIn(q(input.value));
    for (const BookStep &step : book.steps)
        allowed << numbersIn(q(step.value));  // a figure the book works out, used further on
    for (const auto &[box, text] : shown) {
        if (text.isEmpty())
            continue;  // the box is left empty
        allowed << numbersIn(text);
        const bool found = std::any_of(book.steps.begin(), book.steps.end(), [&](const BookStep &step) {
            return q(step.value) == text && q(step.result) == box;
        });
        QVERIFY2(found, qPrintable(box + " shows " + text + ", which no step holds"));
    }

    QStringList checked, stepFigures;  // stepFigures: the values of steps no box shows, rounded for reading
    for (const BookStep &step : book.steps) {
        const bool figure = step.result.empty();
        if (!step.value.empty() && !figure)
            QVERIFY2(shown.contains({q(step.result), q(step.value)}),
                     qPrintable(q(step.value) + " is not shown in " + q(step.result)));
        // A figure a check works out ("σ = 62000 / 50 / 6 = 206.7 N/mm²") is
        // what the values put in give.
        for (const QString &side : q(step.comparison).split(QRegularExpression(QStringLiteral(" [<>≤≥] ")))) {
            const QStringList parts = side.split(QStringLiteral(" = "));
            const std::optional<double> v = parts.size() == 3 ? evaluate(" = " + parts[1]) : std::nullopt;
            if (!v)
                continue;
            QVERIFY2(sameFigure(*v, parts[2].section(' ', 0, 0)), qPrintable(side));
            allowed << numbersIn(parts[2]);
        }
        // A formula may take a figure whole.
        for (const std::string *text : {&step.formula, &step.substituted, &step.comparison}) {
            for (const QString &n : numbersIn(q(*text)))
                QVERIFY2(allowed.contains(n) || stepFigures.contains(q(bookFigure(n.toDouble()))),
                         qPrintable(n + " in \"" + q(*text) + "\" is not shown"));
        }
        // A formula with every value put in gives the figure of the step: the
        // window's digits of a result shown (φ with its leading zero), four
        // digits of one that is not.
        const std::optional<double> v = evaluate(q(step.substituted));
        if (v && !step.value.empty()) {
            const QStringList accepted = figure
                ? QStringList{q(bookFigure(*v))}
                : QStringList{q(displayDouble(*v)), q(formatTwoDecimals(*v)), "0" + q(formatFourDecimals(*v))};
            // A figure a later formula takes up whole, and a result worked from the
            // single-precision μ, agree to seven digits.
            QVERIFY2(accepted.contains(q(step.value)) || sameFigure(*v, q(step.value)),
                     qPrintable(q(step.substituted) + " gives " + accepted[0] + ", shown " + q(step.value)));
        }
        // A later step may take up the figure, or the unrounded value behind it.
        if (figure)
            stepFigures << numbersIn(q(step.value));
        allowed << numbersIn(q(step.value)) << (v ? numbersIn(q(displayDouble(*v))) : QStringList());
        if (step.verdict != Verdict::None)
            checked << (step.verdict == Verdict::Satisfied ? "满足" : "不满足");
    }
    QCOMPARE(checked, checks);

    QStringList said;
    for (const std::string &verdict : book.verdicts)
        said << q(verdict);
    QCOMPARE(said, verdicts);
    QCOMPARE(q(book.note), note);
    const QString text = q(bookPlainText(book, {}));  // texts the book must hold, "|" between them
    for (const QString &figure : figures.split('|', Qt::SkipEmptyParts))
        QVERIFY2(text.contains(figure), qPrintable("no \"" + figure + "\" in\n" + text));
}

// The inputs text of a row as a map, to fill the input record from.
QMap<QString, QString> fields(const QString &inputs)
{
    QMap<QString, QString> map;
    for (const QString &field : inputs.split('|', Qt::SkipEmptyParts))
        map.insert(field.section('=', 0, 0), field.section('=', 1));
    return map;
}

}  // namespace

class TestBooks : public QObject
{
    Q_OBJECT
private slots:
    void shouldDescribeTheBoltConnection_data();
    void shouldDescribeTheBoltConnection();
    void shouldDescribeTheEndPlate_data();
    void shouldDescribeTheEndPlate();
    void shouldDescribeThePileGroup_data();
    void shouldDescribeThePileGroup();
    void shouldDescribeTheColumn_data();
    void shouldDescribeTheColumn();
    void shouldDescribeTheStability_data();
    void shouldDescribeTheStability();
    void shouldTitleEachBookOnce_data();
    void shouldTitleEachBookOnce();
};

// Every table: the inputs as the book must list them (the record is filled
// from them), the numbers taken from the calculation's tables, and what the
// book must conclude.

void TestBooks::shouldDescribeTheBoltConnection_data()
{
    // clang-format off
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("checks");      // tension, shear (while the tension holds), web
    QTest::addColumn<QString>("conclusion");
    QTest::addColumn<QString>("says");        // a line the book holds
    QTest::addColumn<QString>("note");

    const QString layout = "|e1=40|e2=80|e3=0|ef=40|ew=50|tw=6|";
    const QString materials = "|η=1|钢材类别=Q235|螺栓直径=M20|螺栓级别=10.9级|接触面处理方法=喷砂（丸）";
    const QString fails = "该节点连接不满足要求，应按上列不满足项调整设计。";
    QTest::newRow("defaults: web on 0.4P") << "螺栓排数=八排" + layout + "M=105|V=720" + materials << "满足 不满足 满足"
                                           << fails << "σ = 62000 / 50 / 6 = 206.7 N/mm² < f = 215 N/mm²" << "";
    // The moment and the shear by their size, the inputs as typed.
    QTest::newRow("M -20, V -100: all hold") << "螺栓排数=八排" + layout + "M=-20|V=-100" + materials << "满足 满足 满足"
                                             << "该节点连接满足要求。" << "|ηM|·y4 / [4(y1² + y2² + y3² + y4²)]，弯矩和剪力按绝对值计算" << "";
    QTest::newRow("four rows") << "螺栓排数=四排|e1=40|ef=40|ew=50|tw=6|M=105|V=720" + materials << "不满足 满足" << fails
                               << "y4 = 40 + 2 × 40" << "";
    QTest::newRow("six rows, 8.8级, 钢丝刷, M 300: web on nt2")
        << "螺栓排数=六排|e1=40|e2=80|ef=40|ew=50|tw=6|M=300|V=720|η=1|钢材类别=Q345|螺栓直径=M20|螺栓级别=8.8级|"
           "接触面处理方法=钢丝刷清除浮锈或未经处理的干净扎制表面"
        << "不满足 不满足" << fails << "σ = 160714.285714286 / 50 / 6 = 535.7 N/mm² ≥ f = 310 N/mm²" << "";
    QTest::newRow("M 1e39: out of range") << "螺栓排数=八排" + layout + "M=1E+39|V=720" + materials << "" << "" << ""
                                          << "输入数据超出计算范围，无法计算";
    // clang-format on
}

void TestBooks::shouldDescribeTheBoltConnection()
{
    QFETCH(QString, inputs);
    QFETCH(QString, checks);
    QFETCH(QString, conclusion);
    QFETCH(QString, says);
    QFETCH(QString, note);

    const auto v = fields(inputs);
    const BoltConnectionInput in{int(QStringList{"四排", "六排", "八排"}.indexOf(v["螺栓排数"])) * 2 + 4,
                                 v["e1"].toDouble(),
                                 v["e2"].toDouble(),
                                 v["e3"].toDouble(),
                                 v["ef"].toDouble(),
                                 v["ew"].toDouble(),
                                 v["tw"].toDouble(),
                                 v["M"].toDouble(),
                                 v["V"].toDouble(),
                                 v["η"].toDouble(),
                                 v["钢材类别"].toStdString(),
                                 v["螺栓直径"].toStdString(),
                                 v["螺栓级别"] == "8.8级" ? BoltGrade::Grade8_8 : BoltGrade::Grade10_9,
                                 v["接触面处理方法"] == "喷砂（丸）" ? SurfaceTreatment::Blasted
                                                                     : SurfaceTreatment::WireBrushed};
    const BoltConnectionResult r = computeBoltConnection(in);
    Shown shown{{"Nt1", q(r.Nt1Text)}, {"Nv1", q(r.Nv1Text)}, {"Nbv1", q(r.Nbv1Text)},
                {"P", q(r.PText)},     {"nt2", q(r.nt2Text)}, {"mu", q(r.muText)}};  // as the bolt window writes them
    QStringList lines;                                                               // as the verdict box shows them
    for (const std::string &line : r.verdict)
        lines << q(line);
    const CalcBook book = describeBoltConnection(in, r);
    checkBook(book, "摩擦型高强螺栓连接计算", inputs, shown,
              {QString::number(in.rows), "0.9", "1.25", "0.8", "0.4", "10", "2", "4", "16"},
              checks.split(' ', Qt::SkipEmptyParts), lines, note);
    QCOMPARE(q(book.conclusion), conclusion);
    QVERIFY2(q(bookPlainText(book, {})).contains(says), qPrintable(q(bookPlainText(book, {}))));
}

void TestBooks::shouldDescribeTheEndPlate_data()
{
    // clang-format off
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("constants");  // P and f
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("figures");  // texts of the book, "|" between them

    const QString plate = "b=200|bs=100|a=80|ef=40|ew=50|";
    const QString q235 = plate + "端板钢材=Q235|螺栓直径=M20|螺栓级别=10.9级|支承条件=";
    const QString extended = "|两边支承端板的端板形式=端板外伸";
    const QString floor = "端板最小厚度 t = 16 mm，由端板厚度不小于16 mm的构造要求控制。";
    QTest::newRow("none ticked: 16") << q235 + "无" + extended << "155" << "" << "P = 155 kN|" + floor;
    QTest::newRow("cantilever") << q235 + "伸臂类端板" + extended << "155 205" << ""
                                << "f = 205 N/mm²|t1 = 26.94 mm > 16 mm，取 t = 26.94167 mm|由伸臂类端板控制。";
    QTest::newRow("two-side flush") << q235 + "两边支承端板|两边支承端板的端板形式=端板平齐" << "155 205" << "" << "";
    QTest::newRow("all four") << q235 + "伸臂类端板、无加劲肋类端板、两边支承端板、三边支承类端板" + extended
                              << "155 205" << "" << "max(t1, t2, t3, t4) = 31.75 mm > 16 mm|由无加劲肋类端板控制。";
    QTest::newRow("class exactly 16, floored")
        << "b=2325|bs=100|a=80|ef=164|ew=50|端板钢材=Q235|螺栓直径=M20|螺栓级别=10.9级|支承条件=伸臂类端板" + extended
        << "155 205" << "" << "t1 = 16 mm ≤ 16 mm，取 t = 16 mm|" + floor;
    QTest::newRow("Q345 M16 8.8级") << plate + "端板钢材=Q345|螺栓直径=M16|螺栓级别=8.8级|支承条件=无加劲肋类端板" + extended
                                   << "80 295" << "" << "";
    // No thickness: the bolt capacity is still shown.
    QTest::newRow("unlisted steel") << plate + "端板钢材=q235|螺栓直径=M20|螺栓级别=10.9级|支承条件=三边支承类端板" + extended
                                    << "155" << "端板钢材应为Q235、Q345、Q390或Q420" << "";
    QTest::newRow("ef -40: negative root")
        << "b=200|bs=100|a=80|ef=-40|ew=50|端板钢材=Q235|螺栓直径=M20|螺栓级别=10.9级|支承条件=伸臂类端板" + extended
        << "155" << "输入数据超出计算范围，无法计算" << "";
    // The window computes nothing for a size without pretension.
    QTest::newRow("unlisted bolt size") << plate + "端板钢材=Q235|螺栓直径=m20|螺栓级别=10.9级|支承条件=伸臂类端板" + extended
                                        << "" << "螺栓直径应为M16、M20、M22、M24、M27或M30" << "";
    // clang-format on
}

void TestBooks::shouldDescribeTheEndPlate()
{
    QFETCH(QString, inputs);
    QFETCH(QString, constants);
    QFETCH(QString, note);
    QFETCH(QString, figures);

    const auto v = fields(inputs);
    const QString classes = v["支承条件"];
    EndPlateInput in{v["b"].toDouble(),
                     v["bs"].toDouble(),
                     v["a"].toDouble(),
                     v["ef"].toDouble(),
                     v["ew"].toDouble(),
                     v["端板钢材"].toStdString(),
                     v["螺栓直径"].toStdString(),
                     v["螺栓级别"] == "8.8级" ? BoltGrade::Grade8_8 : BoltGrade::Grade10_9,
                     classes.contains("伸臂"),
                     classes.contains("无加劲肋"),
                     classes.contains("两边"),
                     classes.contains("三边"),
                     v["两边支承端板的端板形式"] == "端板平齐" ? PlateEnd::Flush : PlateEnd::Extended};
    const EndPlateResult r = computeEndPlate(in);
    Shown shown;  // as the end plate window writes them, the thickness in its sentence; nothing when it refuses the
                  // bolt size
    if (boltPretension(in.boltSize, in.boltGrade) != 0)
        shown = {{"Ntb", q(r.NtbText)}, {"thickness", r.hasThickness ? q(displaySingle(r.thickness)) : ""}};
    checkBook(describeEndPlate(in, r), "端板厚度计算器", inputs, shown,
              constants.split(' ', Qt::SkipEmptyParts)
                  + QStringList{"0.8", "1000", "6", "3", "0.5", "2", "4", "12", "16"},
              {}, {}, note, figures);
}

void TestBooks::shouldDescribeThePileGroup_data()
{
    // clang-format off
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("piles");  // the number the list text stands for
    QTest::addColumn<QString>("note");

    const QString rest = "|R=350|γc=25|γs=18|桩数=";
    QTest::newRow("defaults, six piles: 2068.8") << "L=1000|B=1000|H=600|d=1500" + rest + "六桩" << "6" << "";
    QTest::newRow("typed 6桩, refused") << "L=1000|B=1000|H=600|d=1500" + rest + "6桩" << "0" << "桩数应从列表中选择";
    QTest::newRow("depth below the cap height: 2086.8") << "L=1000|B=1000|H=600|d=500" + rest + "六桩" << "6" << "";
    QTest::newRow("negative height, 0.5 mm cap") << "L=0.5|B=1000|H=-600|d=1500" + rest + "两桩" << "2" << "";
    QTest::newRow("plan 1e306 x 1000: out of range") << "L=1E+306|B=1000|H=600|d=1500" + rest + "六桩" << ""
                                                     << "输入数据超出计算范围，无法计算";
    // clang-format on
}

void TestBooks::shouldDescribeThePileGroup()
{
    QFETCH(QString, inputs);
    QFETCH(QString, piles);
    QFETCH(QString, note);

    const auto v = fields(inputs);
    const PileGroupInput in{v["L"].toDouble(), v["B"].toDouble(),  v["H"].toDouble(),  v["d"].toDouble(),
                            v["R"].toDouble(), v["γc"].toDouble(), v["γs"].toDouble(), v["桩数"].toStdString()};
    const PileGroupResult r = computePileGroup(in);
    Shown shown{{"capacity", q(r.capacityText)}};  // as the pile group window writes it
    checkBook(describePileGroup(in, r), "桩基承载力估算", inputs, shown, {piles, "1000", "1000000"}, {}, {}, note);
}

void TestBooks::shouldDescribeTheColumn_data()
{
    // clang-format off
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("check");
    QTest::addColumn<QString>("report");  // the two lines, "|" between them
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("figures");  // texts of the book, "|" between them

    const QString bars20 = "|dc=Φ20|nb=2|db=Φ20|nh=2|dh=Φ20";
    const QString ordinary = "|二.采用普通箍即可";
    const QString welded = "|二.柱配筋率大于3%，需采用焊接封闭箍";
    QTest::newRow("defaults: 2.36") << "b=400|h=400" + bars20 << "满足" << "一.计算得该柱配筋率为：2.36%" + ordinary << ""
                                    << "Φ20 mm|配筋率不大于3%：满足|柱全部纵向钢筋的配筋率 ρ = 2.36%，不大于3%，采用普通箍即可。";
    QTest::newRow("300 x 300, 直径25: 6.54") << "b=300|h=300|dc=Φ25|nb=2|db=Φ25|nh=2|dh=Φ25" << "不满足"
                                             << "一.计算得该柱配筋率为：6.54%" + welded << ""
                                             << "柱全部纵向钢筋的配筋率 ρ = 6.54%，大于3%，箍筋应焊成封闭环式。";
    QTest::newRow("h 313.9: 3.00, welded") << "b=400|h=313.9" + bars20 << "不满足"
                                           << "一.计算得该柱配筋率为：3.00%" + welded << "" << "";
    QTest::newRow("negative b, half bars: -1.18") << "b=-400|h=400|dc=Φ20|nb=0.5|db=Φ20|nh=0.5|dh=Φ20" << "满足"
                                                  << "一.计算得该柱配筋率为：-1.18%" + ordinary << "" << "";
    QTest::newRow("unlisted diameter: no area") << "b=400|h=400|dc=直径28|nb=2|db=直径28|nh=2|dh=直径28" << "满足"
                                                << "一.计算得该柱配筋率为：0.00%" + ordinary << "" << "";
    QTest::newRow("b 0: out of range") << "b=0|h=400" + bars20 << "" << "" << "输入数据超出计算范围，无法计算" << "";
    // clang-format on
}

void TestBooks::shouldDescribeTheColumn()
{
    QFETCH(QString, inputs);
    QFETCH(QString, check);
    QFETCH(QString, report);
    QFETCH(QString, note);
    QFETCH(QString, figures);

    const auto v = fields(QString(inputs).replace("Φ", "直径"));  // the list text the book writes as Φ20
    const ColumnInput in{v["b"].toDouble(),     v["h"].toDouble(),  v["dc"].toStdString(), v["nb"].toDouble(),
                         v["db"].toStdString(), v["nh"].toDouble(), v["dh"].toStdString()};
    const ColumnResult r = computeColumnRatio(in);
    Shown shown{{"report", q(r.ratioText)}};  // in the first line of the column window's report
    const QStringList constants{QString::number(barDiameter(in.bDiameter)), "4", "2", "3.14159", "100", "3"};
    checkBook(describeColumnRatio(in, r), "柱配筋率验算", inputs, shown, constants,
              check.split(' ', Qt::SkipEmptyParts), report.split('|', Qt::SkipEmptyParts), note, figures);
}

void TestBooks::shouldDescribeTheStability_data()
{
    // clang-format off
    // L, I, A of the first button; steel, class and λ of the second, λ
    // only when typed: without it, the second takes the first's λ.
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("constants");  // numbers no step of the book gives
    QTest::addColumn<QString>("checks");
    QTest::addColumn<QString>("note");

    const QString both = "L=6000|I=20000|A=10000|钢材=";
    QTest::newRow("both, Q235 a类: .9357") << both + "Q235|截面类型=a类" << "" << "" << "";
    QTest::newRow("both, Q390 c类: .744") << both + "Q390|截面类型=c类" << "" << "" << "";
    QTest::newRow("slenderness only") << "L=6000|I=20000|A=10000" << "" << "" << "";
    QTest::newRow("typed 10, stocky: 0.995261021176217") << "钢材=Q235|截面类型=a类|λ=10" << "" << "" << "";
    QTest::newRow("typed 97.6, c类 up to 1.05: .4741") << "钢材=Q235|截面类型=c类|λ=97.6" << "" << "" << "";
    QTest::newRow("typed 97.7, c类 above 1.05: .4729") << "钢材=Q235|截面类型=c类|λ=97.7" << "" << "" << "";
    QTest::newRow("slenderness computed after a typed one") << both + "Q235|截面类型=b类|λ=80" << "" << "" << "";
    QTest::newRow("I 0 raised: 6000") << "L=6000|I=0|A=10000" << "" << "不满足" << "";
    QTest::newRow("A -5 raised: no slenderness") << "L=6000|I=20000|A=-5" << "" << "不满足"
                                                 << "输入数据超出计算范围，无法计算";
    QTest::newRow("steel q235 refused") << both + "q235|截面类型=b类" << "" << "" << "钢材应为Q235、Q345或Q390";
    QTest::newRow("no slenderness refused") << "钢材=Q235|截面类型=a类|λ=" << "" << "" << "请先计算或输入长细比";
    QTest::newRow("λ 1e308: no coefficient") << "钢材=Q345|截面类型=b类|λ=1E+308" << "" << ""
                                               << "输入数据超出计算范围，无法计算";
    QTest::newRow("neither clicked") << "" << "" << "" << "尚未计算";
    // clang-format on
}

void TestBooks::shouldDescribeTheStability()
{
    QFETCH(QString, inputs);
    QFETCH(QString, constants);
    QFETCH(QString, checks);
    QFETCH(QString, note);

    const auto v = fields(inputs);
    Shown shown;  // as the stability window writes them
    std::optional<SlendernessRun> first;
    if (v.contains("L")) {
        const SlendernessInput in{v["L"].toDouble(), v["I"].toDouble(), v["A"].toDouble()};
        first = SlendernessRun{in, computeSlenderness(in)};
        shown.append({"slenderness", q(first->result.slendernessText)});
    }
    std::optional<StabilityRun> second;
    if (v.contains("钢材")) {
        const QString lambda = v.contains("λ") ? v["λ"] : q(first->result.slendernessText);
        StabilityRun run{{v["钢材"].toStdString(), v["截面类型"].toStdString(), lambda.toDouble()}, {}, {}, {}};
        run.refusal = stabilityRefusal(lambda.toStdString(), run.input.steelGrade, run.input.sectionClass);
        if (run.refusal == StabilityRefusal::None)
            run.result = computeStability(run.input);
        if (!v.contains("λ"))
            run.source = first;
        const QString phi = q(run.result.coefficientText);  // the book writes φ with its leading zero
        shown.append({"coefficient", phi.startsWith('.') ? "0" + phi : phi});
        second = run;
    }
    const QStringList whitelist{"10000", "206000", "3.1415926", "0.215", "1.05", "0", "1", "2", "4"};
    checkBook(describeStability(first, second), "轴心受压构件稳定系数查询", inputs, shown,
              constants.split(' ', Qt::SkipEmptyParts) + whitelist, checks.split(' ', Qt::SkipEmptyParts), {}, note);
}

void TestBooks::shouldTitleEachBookOnce_data()
{
    // clang-format off
    QTest::addColumn<QString>("calculator");
    QTest::addColumn<QString>("title");
    QTest::newRow("bolt") << "摩擦型高强螺栓连接计算" << "摩擦型高强螺栓连接计算书";
    QTest::newRow("end plate") << "端板厚度计算器" << "端板厚度计算书";
    QTest::newRow("stability") << "轴心受压构件稳定系数查询" << "轴心受压构件稳定系数查询计算书";
    QTest::newRow("column") << "柱配筋率验算" << "柱配筋率验算计算书";
    // clang-format on
}

void TestBooks::shouldTitleEachBookOnce()
{
    QFETCH(QString, calculator);
    QFETCH(QString, title);
    CalcBook book;
    book.calculator = calculator.toStdString();
    QCOMPARE(QString::fromStdString(bookTitle(book)), title);
}

QTEST_APPLESS_MAIN(TestBooks)
#include "test_books.moc"
