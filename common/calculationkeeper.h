#pragma once
// A calculator window's calculation kept in a file (.mvcalc): "打开计算…"
// (Ctrl+O), "保存计算" (Ctrl+S), "计算另存为…" (Ctrl+Shift+S) and the
// "最近的计算" submenu in the context menu of the window and its frames; the
// file's name in the caption, marked while the inputs differ from the file;
// the question before such a window closes.

#include "calculationfile.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace morvane {

class CalculatorWindow;

// The edition the window computes by, as its files keep it.
QString savedEdition(const CalculatorWindow *window);

// The bytes of a calculation file, or nothing after a "提示" box over
// `parent` saying why it cannot be read (missing, unreadable).
std::optional<QByteArray> readCalculationFile(QWidget *parent, const QString &path);

// Asks for a calculation file to open; empty when the user cancels.
QString chooseCalculationToOpen(QWidget *parent);

// The calculations opened or saved last, newest first, at most ten.
QStringList recentCalculations();
void rememberRecentCalculation(const QString &path);
void forgetRecentCalculation(const QString &path);

// Lists the recent calculations in the menu each time it is about to show
// (not before: reading them costs nothing at start); the one chosen is
// given to `open`.
void offerRecentCalculations(QMenu *menu, const std::function<void(const QString &)> &open);

// Where a window sends a file of another calculator: the program opens it
// in that calculator's window. Unset, such a file is refused.
void setCalculationOpener(std::function<void(const QString &path)> opener);

class CalculationKeeper : public QObject
{
    Q_OBJECT
public:
    explicit CalculationKeeper(CalculatorWindow *window);

    // The file the inputs were last opened from or saved to; empty when none.
    const QString &filePath() const { return path_; }
    // The inputs differ from their file's.
    bool isChanged() const;

    // What the window would show from a file's bytes; the window is not touched.
    CalculationLoading decide(const QByteArray &bytes) const;
    // Replaces the inputs with what was decided. When the inputs differ from
    // their file, asks first whether to save them; false when the user
    // cancels. Tells the notice of a file of the other edition.
    bool apply(const QString &path, const CalculationLoading &loading);
    // Opens a file in this window, or a file of another calculator in that
    // calculator's window; a file that cannot be used is told in a box.
    void openFile(const QString &path);

    void chooseAndOpen();
    bool save();    // to its file; asks for one when there is none
    bool saveAs();  // asks for a file
    // Before the window closes: asks whether to save inputs that differ from their file.
    bool mayClose();

private:
    bool writeTo(const QString &path);
    void follow();  // caption and the changed mark

    CalculatorWindow *window_;
    QString caption_;  // the window's own caption
    QString path_;
    QMap<QString, QString> fileTexts_;
};

}  // namespace morvane
