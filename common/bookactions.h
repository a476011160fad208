#pragma once
// The calculation book of a calculator window: copied to the clipboard,
// saved as PDF or HTML, or printed, from a context menu on the results
// frame and by the window's shortcuts; and the step behind each result as
// the tooltip of its box.

#include "calcbook.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <map>
#include <optional>
#include <string>

class QAbstractButton;
class QAction;
class QImage;
class QWidget;

namespace morvane {

enum class BookFormat { Pdf, Html, Odt, Text };

// The header of a book made at that moment: this program with its version,
// the date and time to the minute.
BookHeader bookHeader(const QDateTime &when);

// The header with the project the user keeps for the books (计算书信息).
BookHeader withBookInformation(BookHeader header);

// Asks for the project the books belong to (工程名称, 工程编号, 构件/节点,
// 设计, 校对, 审核) and keeps what is given for the books to come. True
// when the user confirms.
bool editBookInformation(QWidget *parent);

// Writes the book to a file: a PDF on A4 with its fonts embedded, each page
// with the project, its number and the program at its foot; an HTML
// document in UTF-8; an OpenDocument text whose tables stay tables; or
// plain text in UTF-8. False when the file cannot be written.
bool writeBook(const CalcBook &book, const BookHeader &header, const QString &path, BookFormat format);

// The first page of the book as printed, as a picture at that resolution.
QImage bookPageImage(const CalcBook &book, const BookHeader &header, int dotsPerInch);

// The name a saved book is offered under: "<calculator>计算书-yyyy-MM-dd.pdf".
QString suggestedBookName(const CalcBook &book, const QDate &date);

class BookActions : public QObject
{
    Q_OBJECT
public:
    // Offers "复制计算书" (Ctrl+Shift+C), "导出计算书…" (Ctrl+E),
    // "打印计算书…" (Ctrl+P) and "计算书信息…" in the context menu of the results frames and,
    // after its own entries (复制, 全选 …), of every result box, and
    // as shortcuts anywhere in the window, disabled until the first book; the
    // tooltip of each calculate button tells of them. `resultBoxes`: the box
    // that shows each result, by the name the book's steps give the result.
    BookActions(QWidget *window, const QList<QWidget *> &resultsFrames,
                const QList<QAbstractButton *> &calculateButtons, std::map<std::string, QWidget *> resultBoxes);

    // The book of the calculation just done, dated now. The box of each
    // result its steps name shows them as its tooltip.
    void setBook(const CalcBook &book);
    // No book is offered any more, until the next setBook: the figures it
    // holds no longer stand (another edition of the design codes was chosen).
    // The result boxes' tooltips no longer tell its steps.
    void withdrawBook();

    bool hasBook() const { return book_.has_value(); }
    const CalcBook &book() const { return *book_; }
    const BookHeader &header() const { return header_; }

    void copyBook();   // HTML and plain text to the clipboard
    void saveBook();   // through the file dialog, as PDF, HTML or ODT by the filter
    void printBook();  // through the print dialog

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Each box whose tooltip told a step of the last book shows its own text again.
    void forgetStepTooltips();

    QWidget *window_;
    std::map<std::string, QWidget *> resultBoxes_;
    QAction *copy_;
    QAction *save_;
    QAction *print_;
    QAction *information_;
    std::optional<CalcBook> book_;
    BookHeader header_;
    QDate date_;
    QList<QWidget *> tooltipBoxes_;  // boxes whose tooltip the last book set
};

}  // namespace morvane
