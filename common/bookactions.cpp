#include "bookactions.h"

#include "warningbox.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTextFrame>

#include <climits>
#include <functional>
#include <map>
#include <memory>

namespace morvane {

namespace {

const QString kPdfFilter = QStringLiteral("PDF 文件 (*.pdf)");
const QString kHtmlFilter = QStringLiteral("HTML 文件 (*.html)");
constexpr qreal kMarginMm = 20;
constexpr char kWatched[] = "morvaneBookTooltipWatched";

QString titleOf(const CalcBook &book) { return QString::fromStdString(bookTitle(book)); }

// The book as a document: Latin in a serif face, Chinese in the Kai face
// (on Windows, Times New Roman and SimSun).
// The Kai face's glyphs map back to the characters they show, so the text of
// a PDF can be searched and copied (the Noto CJK faces also map each glyph
// of a radical such as 高 to the Kangxi radical sign, and a PDF reader then
// copies that instead).
std::unique_ptr<QTextDocument> bookDocument(const CalcBook &book, const BookHeader &header)
{
    auto document = std::make_unique<QTextDocument>();
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Times New Roman"), QStringLiteral("AR PL UKai CN"),
                      QStringLiteral("SimSun")});
    font.setPointSizeF(9);
    document->setDefaultFont(font);
    document->setHtml(QString::fromStdString(bookHtml(book, header)));
    return document;
}

// Lays the document out on pages of the device with 20 mm margins and
// paints them, up to `lastPage`, each with its page number at the foot;
// `newPage` starts the next page.
void paintPages(QTextDocument &document, QPaintDevice *device, QPainter &painter, int lastPage,
                const std::function<bool()> &newPage)
{
    document.documentLayout()->setPaintDevice(device);
    // The layout scales frame margins from the screen's resolution to the device's.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const qreal screenDpi = screen ? screen->logicalDotsPerInchY() : 96;
    const qreal margin = kMarginMm / 25.4 * device->logicalDpiY();
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setMargin(kMarginMm / 25.4 * screenDpi);
    document.rootFrame()->setFrameFormat(frame);
    const QSizeF page(device->width(), device->height());
    document.setPageSize(page);
    const int pages = document.pageCount();
    painter.setFont(QFont(document.defaultFont(), device));
    for (int i = 0; i < pages && i < lastPage; ++i) {
        if (i > 0 && !newPage())
            return;
        painter.save();
        painter.translate(0, -i * page.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, i * page.height(), page.width(), page.height());
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.drawText(QRectF(0, page.height() - margin, page.width(), margin), Qt::AlignCenter,
                         QStringLiteral("第 %1 页，共 %2 页").arg(i + 1).arg(pages));
    }
}

bool writePdf(const CalcBook &book, const BookHeader &header, const QString &path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(300);
    writer.setTitle(titleOf(book));
    writer.setCreator(QString::fromStdString(header.program));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const auto document = bookDocument(book, header);
    paintPages(*document, &writer, painter, INT_MAX, [&writer] { return writer.newPage(); });
    return painter.end();
}

// The path with the suffix of the format, in place of the other format's.
QString withSuffix(QString path, BookFormat format)
{
    const QString wanted = format == BookFormat::Pdf ? QStringLiteral(".pdf") : QStringLiteral(".html");
    for (const QString &other : {QStringLiteral(".pdf"), QStringLiteral(".html"), QStringLiteral(".htm")}) {
        if (other != wanted && path.endsWith(other, Qt::CaseInsensitive)) {
            path.chop(other.size());
            break;
        }
    }
    if (!path.endsWith(wanted, Qt::CaseInsensitive))
        path += wanted;
    return path;
}

}  // namespace

BookHeader bookHeader(const QDateTime &when)
{
    return {"Morvane " MORVANE_VERSION, when.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString()};
}

bool writeBook(const CalcBook &book, const BookHeader &header, const QString &path, BookFormat format)
{
    if (format == BookFormat::Pdf)
        return writePdf(book, header, path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const std::string html = bookHtml(book, header);
    return file.write(html.data(), qint64(html.size())) == qint64(html.size()) && file.flush();
}

QImage bookPageImage(const CalcBook &book, const BookHeader &header, int dotsPerInch)
{
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Inch);
    QImage image(qRound(a4.width() * dotsPerInch), qRound(a4.height() * dotsPerInch), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const auto document = bookDocument(book, header);
    paintPages(*document, &image, painter, 1, [] { return false; });
    return image;
}

QString suggestedBookName(const CalcBook &book, const QDate &date)
{
    return titleOf(book) + QLatin1Char('-') + date.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".pdf");
}

BookActions::BookActions(QWidget *window, std::initializer_list<QWidget *> resultsFrames,
                         std::initializer_list<QAbstractButton *> calculateButtons)
    : QObject(window)
    , window_(window)
{
    setObjectName(QStringLiteral("bookActions"));
    auto make = [this, window, resultsFrames](const QString &text, const QKeySequence &keys, void (BookActions::*slot)()) {
        auto *action = new QAction(text, window);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, slot);
        window->addAction(action);
        for (QWidget *frame : resultsFrames)
            frame->addAction(action);
        return action;
    };
    copy_ = make(QStringLiteral("复制计算书"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                 &BookActions::copyBook);
    save_ = make(QStringLiteral("保存计算书…"), QKeySequence(Qt::CTRL | Qt::Key_S), &BookActions::saveBook);
    print_ = make(QStringLiteral("打印计算书…"), QKeySequence(Qt::CTRL | Qt::Key_P), &BookActions::printBook);
    for (QWidget *frame : resultsFrames)
        frame->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (QAbstractButton *button : calculateButtons)
        button->setToolTip(QStringLiteral("计算后，可在结果区右键或按 Ctrl+S / Ctrl+P / Ctrl+Shift+C 保存、打印或复制计算书"));
}

void BookActions::setBook(const CalcBook &book)
{
    const QDateTime now = QDateTime::currentDateTime();
    book_ = book;
    header_ = bookHeader(now);
    date_ = now.date();
    for (QAction *action : {copy_, save_, print_})
        action->setEnabled(true);

    // The step behind each result, as its box's tooltip; a box that no
    // step names any more keeps only its own text.
    for (const QString &name : std::as_const(tooltipBoxes_)) {
        if (auto *box = window_->findChild<QWidget *>(name)) {
            auto *line = qobject_cast<QLineEdit *>(box);
            box->setToolTip(line ? line->text() : QString());
        }
    }
    std::map<std::string, std::string> tips;
    for (const BookStep &step : book.steps) {
        if (step.resultBox.empty())
            continue;
        std::string &tip = tips[step.resultBox];
        tip += (tip.empty() ? "" : "\n\n") + stepTooltip(step);
    }
    tooltipBoxes_.clear();
    for (const auto &[name, tip] : tips) {
        if (auto *box = window_->findChild<QWidget *>(QString::fromStdString(name))) {
            box->setToolTip(QString::fromStdString(tip));
            tooltipBoxes_.append(box->objectName());
            // A multi-line box the user may type into no longer shows the
            // step's result once its text changes.
            auto *text = qobject_cast<QPlainTextEdit *>(box);
            if (text && !text->property(kWatched).toBool()) {
                text->setProperty(kWatched, true);
                connect(text, &QPlainTextEdit::textChanged, text, [text] { text->setToolTip(QString()); });
            }
        }
    }
}

void BookActions::copyBook()
{
    if (!book_)
        return;
    auto *data = new QMimeData;
    data->setHtml(QString::fromStdString(bookHtml(*book_, header_)));
    data->setText(QString::fromStdString(bookPlainText(*book_, header_)));
    QApplication::clipboard()->setMimeData(data);
}

void BookActions::saveBook()
{
    if (!book_)
        return;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    QString filter = kPdfFilter;
    const QString chosen = QFileDialog::getSaveFileName(window_, QStringLiteral("保存计算书"),
                                                        QDir(folder).filePath(suggestedBookName(*book_, date_)),
                                                        kPdfFilter + QStringLiteral(";;") + kHtmlFilter, &filter);
    if (chosen.isEmpty())
        return;
    const BookFormat format = filter == kHtmlFilter ? BookFormat::Html : BookFormat::Pdf;
    const QString path = withSuffix(chosen, format);
    if (!writeBook(*book_, header_, path, format))
        showWarning(window_, QStringLiteral("提示"), QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(path));
}

void BookActions::printBook()
{
    if (!book_)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    printer.setDocName(titleOf(*book_));
    QPrintDialog dialog(&printer, window_);
    dialog.setWindowTitle(QStringLiteral("打印计算书"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const auto document = bookDocument(*book_, header_);
    paintPages(*document, &printer, painter, INT_MAX, [&printer] { return printer.newPage(); });
}

}  // namespace morvane
