#include "calculationfile.h"

#include "edition.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <cmath>

namespace morvane {

namespace {

CalculationReading refuse(const QString &reason) { return {std::nullopt, reason}; }

QString wrongType(const QString &key) { return QString("文件中「%1」的值类型不正确").arg(key); }

}  // namespace

CalculationReading readCalculation(const QByteArray &bytes)
{
    if (bytes.size() > kCalculationFileLimit)
        return refuse("文件大于1 MiB，不是本程序的计算文件");
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return refuse("文件不是JSON格式，不是本程序的计算文件");
    const QJsonObject root = document.object();
    if (root.value("format") != QLatin1String(kCalculationFormat))
        return refuse("文件不是本程序的计算文件");
    const QJsonValue version = root.value("version");
    if (!version.isDouble() || version.toDouble() != std::floor(version.toDouble()) || version.toDouble() < 1)
        return refuse(wrongType("version"));
    if (version.toDouble() > kCalculationVersion)
        return refuse(QString("文件由较新版本的程序保存（格式版本%1），请升级本程序后再打开").arg(version.toDouble()));

    Calculation calculation;
    const QJsonValue calculator = root.value("calculator");
    if (!calculator.isString())
        return refuse(wrongType("calculator"));
    calculation.calculator = calculator.toString();
    if (std::ranges::find(kCalculatorIds, calculation.calculator) == std::end(kCalculatorIds))
        return refuse(QString("文件中的计算类型「%1」无法识别").arg(calculation.calculator));

    const QJsonValue edition = root.value("edition");
    if (edition.isUndefined())
        calculation.edition = editionKey(Edition::Original);
    else if (!edition.isString())
        return refuse(wrongType("edition"));
    else if (!editionFromKey(edition.toString().toStdString()))
        return refuse(QString("文件中的设计规范「%1」无法识别").arg(edition.toString()));
    else
        calculation.edition = edition.toString();

    const QJsonValue inputs = root.value("inputs");
    if (!inputs.isUndefined() && !inputs.isObject())
        return refuse(wrongType("inputs"));
    const QJsonObject inputObject = inputs.toObject();
    for (auto it = inputObject.begin(); it != inputObject.end(); ++it) {
        if (!it.value().isString())
            return refuse(wrongType(it.key()));
        calculation.inputs.insert(it.key(), it.value().toString());
    }

    const QJsonValue saved = root.value("saved");
    if (!saved.isUndefined() && !saved.isString())
        return refuse(wrongType("saved"));
    calculation.saved = QDateTime::fromString(saved.toString(), Qt::ISODate);
    return {calculation, {}};
}

QByteArray writeCalculation(const Calculation &calculation)
{
    QJsonObject inputs;
    for (auto it = calculation.inputs.begin(); it != calculation.inputs.end(); ++it)
        inputs.insert(it.key(), it.value());
    QJsonObject root;
    root.insert("format", QLatin1String(kCalculationFormat));
    root.insert("version", kCalculationVersion);
    root.insert("calculator", calculation.calculator);
    root.insert("edition", calculation.edition);
    root.insert("inputs", inputs);
    if (calculation.saved.isValid())
        root.insert("saved", calculation.saved.toString(Qt::ISODate));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString calculatorTitle(const QString &calculator)
{
    static const char *const titles[] = {"摩擦型高强螺栓连接计算", "端板厚度计算", "轴心受压构件稳定系数查询",
                                         "桩基承载力估算", "柱配筋率验算"};
    for (std::size_t i = 0; i < std::size(kCalculatorIds); ++i) {
        if (calculator == QLatin1String(kCalculatorIds[i]))
            return QString::fromUtf8(titles[i]);
    }
    return calculator;
}

CalculationLoading decideLoading(const QByteArray &bytes, const WindowInputs &window)
{
    CalculationLoading loading;
    const CalculationReading reading = readCalculation(bytes);
    if (!reading.calculation) {
        loading.refusal = reading.refusal;
        return loading;
    }
    const Calculation &file = *reading.calculation;
    if (file.calculator != window.calculator) {
        loading.refusal = QString("文件保存的是「%1」，不能在「%2」窗口中打开")
                              .arg(calculatorTitle(file.calculator), calculatorTitle(window.calculator));
        return loading;
    }
    const bool otherEdition = !window.edition.isEmpty() && file.edition != window.edition;
    QStringList defaulted;
    QMap<QString, QString> texts = window.defaults;
    for (const InputRule &rule : window.rules) {
        const auto kept = file.inputs.constFind(rule.name);
        if (kept == file.inputs.cend())
            continue;  // missing: the default stays
        const QString &text = *kept;
        if (text.size() > rule.maxLength) {
            loading.refusal = QString("文件中「%1」的文字有%2个字符，长于输入框允许的%3个字符")
                                  .arg(rule.title)
                                  .arg(text.size())
                                  .arg(rule.maxLength);
            return loading;
        }
        if (rule.onlyChoices && !rule.choices.contains(text)) {
            if (!otherEdition) {
                loading.refusal = QString("文件中「%1」的值「%2」不是本窗口可选的值").arg(rule.title, text);
                return loading;
            }
            defaulted << rule.title;
            loading.defaulted << rule.name;
            continue;
        }
        texts.insert(rule.name, text);
    }
    if (otherEdition) {
        const auto edition = [](const QString &key) {
            const std::optional<Edition> known = editionFromKey(key.toStdString());
            return known ? QString::fromUtf8(editionTitle(*known)) : key;
        };
        loading.notice = QString("文件按%1保存，本窗口按%2计算。文件中的数据已载入，请核对后再计算。")
                             .arg(edition(file.edition), edition(window.edition));
        if (!defaulted.isEmpty())
            loading.notice +=
                QString("\n以下输入在%1中没有，已取默认值：%2").arg(edition(window.edition), defaulted.join("、"));
    }
    loading.texts = texts;
    return loading;
}

}  // namespace morvane
