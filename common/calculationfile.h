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
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

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

// The calculator's name as the main window's button gives it; the id itself
// for an unknown one.
QString calculatorTitle(const QString &calculator);

// What one input of a window can show: any text up to a length (a box, a
// list that takes typing), or one of a few texts (a key-proof list, a check,
// an option group).
struct InputRule {
    QString name;   // the calculation input it feeds
    QString title;  // what the window calls it, for the messages
    int maxLength = 32767;
    bool onlyChoices = false;  // takes one of `choices` only
    QStringList choices;
};

// What a calculator window takes from a file: which calculator it is, the
// edition it computes by, its inputs and their defaults.
struct WindowInputs {
    QString calculator;
    QString edition;  // none: the window is the same under both editions
    QList<InputRule> rules;
    QMap<QString, QString> defaults;
};

// What opening a file in a window comes to: either every input's text (the
// file's, or the window's default where the file has none) or one refusal.
struct CalculationLoading {
    QMap<QString, QString> texts;  // every input of the window when loaded; empty when refused
    QString refusal;               // why the file cannot be used; empty when loaded
    QString notice;                // the file was kept under the other edition: what the user is told
    QStringList defaulted;         // inputs this edition cannot show, left at their defaults
    bool loaded() const { return refusal.isEmpty(); }
};

// Decides what a window shows from a file's bytes, without touching any
// window: refuses what readCalculation refuses, a file of another
// calculator, a text longer than its input takes, and a text its input
// cannot show (under the file's own edition). A file of the other edition
// is loaded with a notice, and an input that this edition cannot show takes
// its default. Unknown keys are passed by.
CalculationLoading decideLoading(const QByteArray &bytes, const WindowInputs &window);

}  // namespace morvane
