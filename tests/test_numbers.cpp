// Reading numbers from text boxes and writing them back as the boxes show them.

#include "boltgrade.h"
#include "booktext.h"
#include "numbers.h"

#include <QTest>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

using namespace morvane;

class TestNumbers : public QObject
{
    Q_OBJECT
private slots:
    void shouldReadTheLeadingNumber_data();
    void shouldReadTheLeadingNumber();
    void shouldReadBrokenFullWidthBytesAsNoDigit_data();
    void shouldReadBrokenFullWidthBytesAsNoDigit();
    void shouldReadHugeNumbersAsInfinityNotAsADisplayedValue_data();
    void shouldReadHugeNumbersAsInfinityNotAsADisplayedValue();
    void shouldDisplayDoubles_data();
    void shouldDisplayDoubles();
    void shouldDisplaySingles_data();
    void shouldDisplaySingles();
    void shouldDisplayTheValueRoundedToItsDigits_data();
    void shouldDisplayTheValueRoundedToItsDigits();
    void shouldFormatFourDecimals_data();
    void shouldFormatFourDecimals();
    void shouldFormatTwoDecimals_data();
    void shouldFormatTwoDecimals();
    void shouldShowBookFiguresToFourDigits_data();
    void shouldShowBookFiguresToFourDigits();
    void shouldLookUpBoltPretension_data();
    void shouldLookUpBoltPretension();
};

void TestNumbers::shouldReadTheLeadingNumber_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("oneNumber");  // the whole text is read: "计算" takes it
    QTest::newRow("integer") << "40" << 40.0 << true;
    QTest::newRow("trailing letters") << "12abc" << 12.0 << false;
    QTest::newRow("blank inside") << "1 2" << 12.0 << false;
    QTest::newRow("tab, sign, line feed") << "\t-\n3" << -3.0 << false;
    QTest::newRow("no digit before the point") << ".5" << 0.5 << true;
    QTest::newRow("point without fraction") << "5." << 5.0 << true;
    QTest::newRow("exponent") << "1e3" << 1000.0 << true;
    QTest::newRow("capital exponent with sign") << "2.5E-2" << 0.025 << true;
    QTest::newRow("exponent without digits") << "1e" << 1.0 << false;
    QTest::newRow("exponent sign without digits") << "1e+" << 1.0 << false;
    QTest::newRow("comma ends the number") << "1,5" << 1.0 << false;
    QTest::newRow("hexadecimal is not read") << "0x1A" << 0.0 << false;
    QTest::newRow("inf is not a number") << "inf" << 0.0 << false;
    QTest::newRow("nan is not a number") << "nan" << 0.0 << false;
    QTest::newRow("empty") << "" << 0.0 << true;
    QTest::newRow("letters") << "abc" << 0.0 << false;
    // What a Chinese input method types in full-width mode reads as typed.
    QTest::newRow("full-width digits") << QString::fromUtf8("４０") << 40.0 << true;
    QTest::newRow("full-width point") << QString::fromUtf8("１２．５") << 12.5 << true;
    QTest::newRow("full-width minus") << QString::fromUtf8("－３") << -3.0 << true;
    QTest::newRow("full-width plus, exponent") << QString::fromUtf8("＋１ｅ３") << 1000.0 << true;
    QTest::newRow("full-width capital exponent") << QString::fromUtf8("２Ｅ－２") << 0.02 << true;
    QTest::newRow("ideographic blank inside") << QString::fromUtf8("１　２") << 12.0 << false;
    QTest::newRow("mixed widths") << QString::fromUtf8("1２.５") << 12.5 << true;
    QTest::newRow("full-width letter ends it") << QString::fromUtf8("７ａ８") << 7.0 << false;
    QTest::newRow("full-width comma ends it") << QString::fromUtf8("１，５") << 1.0 << false;
    QTest::newRow("sign alone") << "-" << 0.0 << false;
    QTest::newRow("point alone") << "." << 0.0 << false;
    QTest::newRow("plus sign") << "+7" << 7.0 << true;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2 << false;
    QTest::newRow("second sign ends it") << "3-4" << 3.0 << false;
    QTest::newRow("carriage return ends it") << "1\r2" << 1.0 << false;
    QTest::newRow("tiny underflows to zero") << "1e-400" << 0.0 << true;
    QTest::newRow("250") << "250" << 250.0 << true;
    QTest::newRow("2.01") << "2.01" << 2.01 << true;
    // Anything besides one number is read by its leading digits, and refused at "计算".
    QTest::newRow("letter O for zero") << "8O" << 8.0 << false;
    QTest::newRow("letter O after 4") << "4O" << 4.0 << false;
    QTest::newRow("decimal comma") << "12,5" << 12.0 << false;
    QTest::newRow("full-width decimal comma") << QString::fromUtf8("１２，５") << 12.0 << false;
    QTest::newRow("two signs") << "--3" << 0.0 << false;
    QTest::newRow("blanks around") << QString::fromUtf8(" \t４０\n　") << 40.0 << true;
    QTest::newRow("blanks only") << QString::fromUtf8(" 　") << 0.0 << true;
    QTest::newRow("negative exponent") << "-1.5e-3" << -0.0015 << true;
    // The digits of most boxes, read in one pass, as the general reading reads them.
    QTest::newRow("minus zero") << "-0" << 0.0 << true;
    QTest::newRow("one tenth") << "0.1" << 0.1 << true;
    QTest::newRow("leading and trailing zeros") << "007.50" << 7.5 << true;
    QTest::newRow("15 digits") << "123456789012345" << 123456789012345.0 << true;
    QTest::newRow("19 digits, rounded") << "1234567890123456789" << 1234567890123456789.0 << true;
    QTest::newRow("25 decimals") << "0.0000000000000000000000001" << 1e-25 << true;
    QTest::newRow("halfway between two doubles") << "9007199254740993" << 9007199254740992.0 << true;
    QTest::newRow("19 digits with a minus and a point") << "-123456789.0123456789" << -123456789.0123456789 << true;
    QTest::newRow("20 digits") << "12345678901234567890" << 12345678901234567890.0 << true;
    QTest::newRow("22 characters of leading zeros") << "0000000000000000000001" << 1.0 << true;
    QTest::newRow("minus before the point") << "-.5" << -0.5 << true;
    QTest::newRow("a minus zero fraction") << "-0.000" << 0.0 << true;
    QTest::newRow("digits then a letter") << "123456789x" << 123456789.0 << false;
    // clang-format on
}

void TestNumbers::shouldReadTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, oneNumber);
    const double read = parseLeadingNumber(text.toStdString());
    QCOMPARE(read, value);
    QCOMPARE(isOneNumber(text.toStdString()), oneNumber);
    QVERIFY(!std::signbit(read) || read != 0);  // never -0
    // Both at once, as a batch reads its cells.
    bool readAsOne = !oneNumber;
    QCOMPARE(readNumber(text.toStdString(), readAsOne), value);
    QCOMPARE(readAsOne, oneNumber);
}

void TestNumbers::shouldReadHugeNumbersAsInfinityNotAsADisplayedValue_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("1e400") << "1e400" << inf;
    QTest::newRow("-1e400") << "-1e400" << -inf;
    QTest::newRow("400 digits") << QString(400, QLatin1Char('9')) << inf;
    QTest::newRow("long zero fraction then exponent") << "0.000001e-400" << 0.0;
    // clang-format on
}

// Bytes that only look like the start of a full-width form ("\xEF\xBD"
// and an ASCII letter) are no character of it: the number ends there.
void TestNumbers::shouldReadBrokenFullWidthBytesAsNoDigit_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("value");
    QTest::newRow("after a digit") << QByteArray("7\xEF\xBDQ") << 7.0;
    QTest::newRow("before a digit") << QByteArray("\xEF\xBDU5") << 0.0;
    QTest::newRow("not a minus") << QByteArray("\xEF\xBDM4") << 0.0;
    QTest::newRow("whole full-width five still reads") << QByteArray("\xEF\xBC\x95") << 5.0;
    // clang-format on
}

void TestNumbers::shouldReadBrokenFullWidthBytesAsNoDigit()
{
    QFETCH(QByteArray, bytes);
    QFETCH(double, value);
    QCOMPARE(parseLeadingNumber(bytes.toStdString()), value);
}

void TestNumbers::shouldReadHugeNumbersAsInfinityNotAsADisplayedValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const double read = parseLeadingNumber(text.toStdString());
    QCOMPARE(read, value);
    QCOMPARE(QString::fromStdString(displayDouble(read)), std::isinf(value) ? QString() : QStringLiteral("0"));
}

void TestNumbers::shouldDisplayDoubles_data()
{
    // clang-format off
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("Nt1 of the defaults") << 74573.86363636363 / 1000 << "74.5738636363636";
    QTest::newRow("whole number") << 45.0 << "45";
    // Its shortest digits end in a 5 at the sixteenth, the value itself a little below.
    QTest::newRow("shortest digits halfway") << 2927700900931.385 << "2927700900931.38";
    QTest::newRow("nines carried") << 0.99999999999999994 << "1";
    QTest::newRow("below one") << 6000 / std::sqrt(20000.0 * 10000 / 1) << "0.424264068711929";
    QTest::newRow("negative") << -31.2 << "-31.2";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("15 digits round up") << 0.9999999999999999 << "1";
    QTest::newRow("1e14 stays plain") << 123456789012345.0 << "123456789012345";
    QTest::newRow("1e15 takes an exponent") << 1.5e15 << "1.5E+15";
    QTest::newRow("0.0001 stays plain") << 0.0001 << "0.0001";
    QTest::newRow("smaller takes an exponent") << -2.5e-5 << "-2.5E-05";
    // The fifteenth digit of an exact half: to the even one.
    QTest::newRow("exact half, down to even") << 12345678901234.25 << "12345678901234.2";
    QTest::newRow("exact half, up to even") << 12345678901234.75 << "12345678901234.8";
    QTest::newRow("15 digits carried to 1e15") << 999999999999999.9 << "1E+15";
    QTest::newRow("carried to 1e14") << 99999999999999.99 << "100000000000000";
    QTest::newRow("fewest digits below one") << 0.00012345678901234567 << "0.000123456789012346";
    QTest::newRow("exactly a power of two") << 3.0517578125e-05 << "3.0517578125E-05";
    QTest::newRow("infinity shows nothing") << std::numeric_limits<double>::infinity() << "";
    QTest::newRow("nan shows nothing") << std::numeric_limits<double>::quiet_NaN() << "";
    // clang-format on
}

void TestNumbers::shouldDisplayDoubles()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(displayDouble(value)), text);
}

void TestNumbers::shouldDisplaySingles_data()
{
    // clang-format off
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("slip coefficient 0.45") << 0.45f << "0.45";
    QTest::newRow("0.5") << 0.5f << "0.5";
    QTest::newRow("0.3") << 0.3f << "0.3";
    QTest::newRow("whole") << 124.0f << "124";
    QTest::newRow("seven digits") << 26.941670f << "26.94167";
    QTest::newRow("negative zero") << -0.0f << "0";
    QTest::newRow("2^24") << 16777216.0f << "16777220";
    QTest::newRow("exact half, up to even") << 123456.75f << "123456.8";
    QTest::newRow("exact half of a whole") << 1234567.5f << "1234568";
    QTest::newRow("small takes an exponent") << 2.5e-5f << "2.5E-05";
    // clang-format on
}

void TestNumbers::shouldDisplaySingles()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(displaySingle(value)), text);
}

// Many values of each kind against the C library's own rounding to the
// same digits ("%.14e"): the display must stand for the same decimal.
void TestNumbers::shouldDisplayTheValueRoundedToItsDigits_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("any bits") << 0;
    QTest::newRow("typed decimals") << 1;
    QTest::newRow("binary fractions, exact halves among them") << 2;
    QTest::newRow("magnitudes from 1e-20 to 1e20") << 3;
}

void TestNumbers::shouldDisplayTheValueRoundedToItsDigits()
{
    QFETCH(int, kind);
    std::mt19937_64 random(20261208 + kind);
    const auto reference = [](double value, int digits) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
        return std::strtod(text, nullptr);
    };
    for (int i = 0; i < 40000; ++i) {
        const std::uint64_t bits = random();
        double value;
        switch (kind) {
        case 0: std::memcpy(&value, &bits, sizeof value); break;
        case 1: value = double(bits % 2000000000000000) / std::pow(10.0, int(random() % 20)); break;
        case 2: value = std::ldexp(double(std::int64_t(bits % 100000000000000000)), -int(random() % 40)); break;
        default: value = std::pow(10.0, int(random() % 40) - 20) * double(bits % 100000) / 8; break;
        }
        if (!std::isfinite(value))
            continue;
        const int digits = 1 + int(random() % 17);
        const auto single = static_cast<float>(value);
        const std::string shown[] = {displayDouble(value), displaySignificant(value, digits),
                                     std::isfinite(single) ? displaySingle(single) : std::string("0")};
        const double meant[] = {reference(value, 15), reference(value, digits),
                                std::isfinite(single) ? reference(single, 7) : 0.0};
        for (int form = 0; form < 3; ++form) {
            if (std::strtod(shown[form].c_str(), nullptr) != meant[form])
                QFAIL(qPrintable(QString::asprintf("%.17g shown \"%s\" (form %d, %d digits)", value,
                                                   shown[form].c_str(), form, digits)));
        }
    }
}

void TestNumbers::shouldFormatFourDecimals_data()
{
    // clang-format off
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.93571") << 0.93571 << ".9357";
    QTest::newRow("0.744048") << 0.744048 << ".744";
    QTest::newRow("0.97003") << 0.97003 << ".97";
    QTest::newRow("half away from zero") << 0.12345 << ".1235";
    QTest::newRow("decimal half, binary below") << 0.00015 << ".0002";
    QTest::newRow("rounds up to one") << 0.99996 << "1.";
    QTest::newRow("rounds to zero") << 0.00004 << "0";
    QTest::newRow("negative") << -0.5 << "-.5";
    QTest::newRow("negative rounds to zero") << -0.00004 << "0";
    // clang-format on
}

void TestNumbers::shouldFormatFourDecimals()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(formatFourDecimals(value)), text);
}

void TestNumbers::shouldFormatTwoDecimals_data()
{
    // clang-format off
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.7853975") << 0.7853975 << "0.79";
    QTest::newRow("12.5") << 12.5 << "12.50";
    QTest::newRow("negative") << -2.3561925 << "-2.36";
    QTest::newRow("2.675 as read") << 2.675 << "2.68";
    QTest::newRow("carry into integer") << 9.996 << "10.00";
    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("negative rounds to zero") << -0.001 << "0.00";
    QTest::newRow("tiny negative rounds to zero") << -0.0004 << "0.00";
    QTest::newRow("3.0024") << 3.00248 << "3.00";
    // clang-format on
}

void TestNumbers::shouldFormatTwoDecimals()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(formatTwoDecimals(value)), text);
}

void TestNumbers::shouldShowBookFiguresToFourDigits_data()
{
    // clang-format off
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("web stress") << 62000.0 / 50 / 6 << "206.7";
    QTest::newRow("below one") << 0.424264068711929 << "0.4243";
    QTest::newRow("whole") << 124.0 << "124";
    QTest::newRow("rounds up a carry") << 99.996 << "100";
    QTest::newRow("negative") << -31.249 << "-31.25";
    QTest::newRow("no whole digit rounded away") << 400 * 313.9 << "125560";
    QTest::newRow("five whole digits and a fraction") << 12345.67 << "12346";
    // clang-format on
}

void TestNumbers::shouldShowBookFiguresToFourDigits()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(bookFigure(value)), text);
}

void TestNumbers::shouldLookUpBoltPretension_data()
{
    // clang-format off
    QTest::addColumn<QString>("size");
    QTest::addColumn<int>("grade8_8");
    QTest::addColumn<int>("grade10_9");
    QTest::newRow("M16") << "M16" << 80 << 100;
    QTest::newRow("M20") << "M20" << 125 << 155;
    QTest::newRow("M22") << "M22" << 150 << 190;
    QTest::newRow("M24") << "M24" << 175 << 225;
    QTest::newRow("M27") << "M27" << 230 << 290;
    QTest::newRow("M30") << "M30" << 280 << 355;
    QTest::newRow("lower case") << "m20" << 0 << 0;
    QTest::newRow("trailing blank") << "M20 " << 0 << 0;
    QTest::newRow("empty") << "" << 0 << 0;
    // clang-format on
}

void TestNumbers::shouldLookUpBoltPretension()
{
    QFETCH(QString, size);
    QFETCH(int, grade8_8);
    QFETCH(int, grade10_9);
    QCOMPARE(boltPretension(size.toStdString(), BoltGrade::Grade8_8), grade8_8);
    QCOMPARE(boltPretension(size.toStdString(), BoltGrade::Grade10_9), grade10_9);
}

QTEST_APPLESS_MAIN(TestNumbers)
#include "test_numbers.moc"
