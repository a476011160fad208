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

}  // namespace morvane
