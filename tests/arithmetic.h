#pragma once
// The arithmetic of the calculation books, for the tests that hold each
// substituted formula against the figure it shows.

#include <QRegularExpression>
#include <QString>
#include <QStringView>

#include <cmath>
#include <optional>
#include <utility>

// An arithmetic expression as the books write it: numbers, + − × / ² ³ √
// ( ) [ ]; nothing when it holds anything else (a symbol, a unit, a word).
class Arithmetic
{
public:
    static std::optional<double> evaluate(QString text)
    {
        text.remove(' ');
        Arithmetic reader{text};
        const double value = reader.sum();
        return reader.ok_ && reader.at_ == text.size() && !text.isEmpty() ? std::optional(value) : std::nullopt;
    }

private:
    explicit Arithmetic(const QString &text)
        : e_(text)
    {
    }
    bool take(const QString &sign)
    {
        if (!QStringView(e_).mid(at_).startsWith(sign))
            return false;
        at_ += sign.size();
        return true;
    }
    double sum()
    {
        double v = product();
        while (ok_) {
            if (take("+"))
                v += product();
            else if (take("−") || take("-"))
                v -= product();
            else
                break;
        }
        return v;
    }
    double product()
    {
        double v = factor();
        while (ok_) {
            if (take("×"))
                v *= factor();
            else if (take("/"))
                v /= factor();
            else
                break;
        }
        return v;
    }
    double factor()
    {
        if (take("−") || take("-"))
            return -factor();
        double v = primary();
        if (take("²"))
            v = v * v;
        else if (take("³"))
            v = v * v * v;
        return v;
    }
    double primary()
    {
        if (take("√"))
            return std::sqrt(primary());
        for (const auto &[open, close] : {std::pair{"(", ")"}, std::pair{"[", "]"}}) {
            if (take(open)) {
                const double v = sum();
                ok_ = ok_ && take(close);
                return v;
            }
        }
        static const QRegularExpression number(QStringLiteral("^\\d+(\\.\\d+)?([eE][+-]?\\d+)?"));
        const QRegularExpressionMatch m = number.match(QStringView(e_).mid(at_));
        ok_ = ok_ && m.hasMatch();
        at_ += m.capturedLength();
        return m.captured().toDouble();
    }

    QString e_;
    qsizetype at_ = 0;
    bool ok_ = true;
};
