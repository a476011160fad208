#pragma once
// A calculation kept in a file (.mvcalc): JSON in UTF-8, one calculation a
// file, its inputs as the texts of the window's boxes and lists under the
// names of the calculation inputs they feed (the window table's `feeds`).
// Results are not kept: they are computed again.
//
//   {"format": "morvane-calculation", "version": 1,
//    "calculator": "bolt-connection", "edition": "original",
//    "inputs": {"e1": "40", "rows": "八排", …}, "saved": "2026-12-08T10:00:00"}

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>

#include <optional>

namespace morvane {

inline constexpr char kCalculationFormat[] = "morvane-calculation";
inline constexpr int kCalculationVersion = 1;             // the newest this program reads and the one it writes
inline constexpr qint64 kCalculationFileLimit = 1 << 20;  // bytes; a larger file is refused unread
inline constexpr char kCalculationSuffix[] = "mvcalc";
inline constexpr char kCalculationMimeType[] = "application/x-morvane-calculation";

// The calculators by the names files and the command line give them.
inline constexpr const char *kCalculatorIds[] = {"bolt-connection", "end-plate", "stability", "pile-group", "column"};

struct Calculation {
    QString calculator;             // one of kCalculatorIds
    QString edition;                // "original" or "current"
    QMap<QString, QString> inputs;  // input name → the text as shown
    QDateTime saved;                // local time, to the second; invalid when the file has none
};

// A file read: the calculation, or why it cannot be used (a sentence in
// Chinese for the "提示" box and the command line).
struct CalculationReading {
    std::optional<Calculation> calculation;
    QString refusal;
};

// Reads the bytes of a file. Refuses, with its reason: more than
// kCalculationFileLimit bytes, not a JSON object, another format, a newer
// version, an unknown calculator or edition, a value of the wrong type.
// Unknown keys are ignored; the inputs are not checked against any window.
CalculationReading readCalculation(const QByteArray &bytes);

// The bytes of the file that keeps the calculation.
QByteArray writeCalculation(const Calculation &calculation);

}  // namespace morvane
