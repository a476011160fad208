#include "bookactions.h"

#include "controls.h"
#include "filedialog.h"
#include "settings.h"
#include "version.h"
#include "warningbox.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextFrame>

#include <climits>
#include <functional>
#include <map>
#include <memory>

namespace morvane {

namespace {

const QString kPdfFilter = QStringLiteral("PDF 文件 (*.pdf)");
const QString kHtmlFilter = QStringLiteral("HTML 文件 (*.html)");
const QString kOdtFilter = QStringLiteral("ODT 文件 (*.odt)");
constexpr qreal kMarginMm = 20;
constexpr char kWatched[] = "morvaneBookTooltipWatched";
const QString kLastFolderKey = QStringLiteral("book/lastFolder");

// The project of the books: its settings key, its caption, its place in the header.
struct InformationField {
    const char *key;
    const char *caption;
    std::string BookHeader::*field;
};
const InformationField kInformation[] = {
    {"projectName", "工程名称", &BookHeader::projectName},
    {"projectNumber", "工程编号", &BookHeader::projectNumber},
    {"member", "构件/节点", &BookHeader::member},
    {"designer", "设计", &BookHeader::designer},
    {"checker", "校对", &BookHeader::checker},
    {"approver", "审核", &BookHeader::approver},
};
QString informationKey(const InformationField &field) { return QStringLiteral("book/") + QLatin1String(field.key); }

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
    font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Times New Roman"),
                      QStringLiteral("AR PL UKai CN"), QStringLiteral("SimSun")});
    font.setPointSizeF(9);
    document->setDefaultFont(font);
    document->setHtml(QString::fromStdString(bookHtml(book, header)));
    return document;
}

// Lays the document out on pages of the device with 20 mm margins and
// paints them, up to `lastPage`, each with a foot line: the project at the
// left, the page number in the middle, the program at the right; `newPage`
// starts the next page.
void paintPages(QTextDocument &document, const BookHeader &header, QPaintDevice *device, QPainter &painter,
                int lastPage, const std::function<bool()> &newPage)
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
        const QRectF foot(margin, page.height() - margin, page.width() - 2 * margin, margin);
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(header.projectName));
        painter.drawText(foot, Qt::AlignCenter, QStringLiteral("第 %1 页 共 %2 页").arg(i + 1).arg(pages));
        painter.drawText(foot, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(header.program));
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
    paintPages(*document, header, &writer, painter, INT_MAX, [&writer] { return writer.newPage(); });
    return painter.end();
}

// The format a file name asks for by its suffix (.pdf, .html, .htm, .odt,
// in any case), if it names one.
std::optional<BookFormat> formatOfSuffix(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("pdf"))
        return BookFormat::Pdf;
    if (suffix == QStringLiteral("html") || suffix == QStringLiteral("htm"))
        return BookFormat::Html;
    if (suffix == QStringLiteral("odt"))
        return BookFormat::Odt;
    return std::nullopt;
}

}  // namespace

BookHeader bookHeader(const QDateTime &when)
{
    BookHeader header;
    header.program = "Morvane " MORVANE_VERSION;
    header.dateTime = when.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
    return header;
}

BookHeader withBookInformation(BookHeader header)
{
    for (const InformationField &field : kInformation)
        header.*field.field = rememberedValue(informationKey(field)).toString().toStdString();
    return header;
}

bool editBookInformation(QWidget *parent)
{
    QDialog dialog(parent ? parent->window() : nullptr);
    dialog.setObjectName(QStringLiteral("bookInformation"));
    dialog.setWindowTitle(QStringLiteral("计算书信息"));
    auto *form = new QFormLayout(&dialog);
    QList<QLineEdit *> boxes;
    for (const InformationField &field : kInformation) {
        auto *box = new QLineEdit(rememberedValue(informationKey(field)).toString(), &dialog);
        box->setObjectName(QLatin1String(field.key));
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("工程名称工程名称工程名称工程名称")));
        form->addRow(QString::fromUtf8(field.caption) + QStringLiteral("："), box);
        boxes << box;
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    for (std::size_t i = 0; i < std::size(kInformation); ++i)
        rememberValue(informationKey(kInformation[i]), boxes.at(qsizetype(i))->text().trimmed());
    return true;
}

bool writeBook(const CalcBook &book, const BookHeader &header, const QString &path, BookFormat format)
{
    if (format == BookFormat::Pdf)
        return writePdf(book, header, path);
    if (format == BookFormat::Odt) {
        const auto document = bookDocument(book, header);
        QTextDocumentWriter writer(path, QByteArrayLiteral("ODF"));
        return writer.write(document.get());
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const std::string text = format == BookFormat::Html ? bookHtml(book, header) : bookPlainText(book, header);
    return file.write(text.data(), qint64(text.size())) == qint64(text.size()) && file.flush();
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
    paintPages(*document, header, &image, painter, 1, [] { return false; });
    return image;
}

QString suggestedBookName(const CalcBook &book, const QDate &date)
{
    return titleOf(book) + QLatin1Char('-') + date.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".pdf");
}

BookActions::BookActions(QWidget *window, const QList<QWidget *> &resultsFrames,
                         const QList<QAbstractButton *> &calculateButtons, std::map<std::string, QWidget *> resultBoxes)
    : QObject(window)
    , window_(window)
    , resultBoxes_(std::move(resultBoxes))
{
    setObjectName(QStringLiteral("bookActions"));
    auto make = [this, window, &resultsFrames](const QString &text, const QKeySequence &keys,
                                               void (BookActions::*slot)()) {
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
    copy_ = make(QStringLiteral("复制计算书"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &BookActions::copyBook);
    save_ = make(QStringLiteral("导出计算书…"), QKeySequence(Qt::CTRL | Qt::Key_E), &BookActions::saveBook);
    print_ = make(QStringLiteral("打印计算书…"), QKeySequence(Qt::CTRL | Qt::Key_P), &BookActions::printBook);
    // The project of the books, asked for at any time: not a shortcut of the window.
    information_ = new QAction(QStringLiteral("计算书信息…"), window);
    connect(information_, &QAction::triggered, window, [window] { editBookInformation(window); });
    window->addAction(information_);
    for (QWidget *frame : resultsFrames)
        frame->addAction(information_);
    for (QWidget *frame : resultsFrames)
        frame->setContextMenuPolicy(Qt::ActionsContextMenu);
    // The text boxes keep their own menu; a result box's menu offers the book too.
    for (QWidget *box : window->findChildren<QWidget *>()) {
        if (qobject_cast<QLineEdit *>(box)) {
            box->installEventFilter(this);
        } else if (auto *text = qobject_cast<QPlainTextEdit *>(box)) {
            text->installEventFilter(this);              // the menu key
            text->viewport()->installEventFilter(this);  // the mouse
        }
    }
    for (QAbstractButton *button : calculateButtons)
        setToolTipText(
            button, QStringLiteral("计算后，可在结果区右键或按 Ctrl+E / Ctrl+P / Ctrl+Shift+C 导出、打印或复制计算书"));
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
    forgetStepTooltips();
    std::map<std::string, std::string> tips;
    for (const BookStep &step : book.steps) {
        if (step.result.empty())
            continue;
        std::string &tip = tips[step.result];
        tip += (tip.empty() ? "" : "\n\n") + stepTooltip(step);
    }
    tooltipBoxes_.clear();
    for (const auto &[result, tip] : tips) {
        const auto listed = resultBoxes_.find(result);
        if (listed != resultBoxes_.end()) {
            QWidget *box = listed->second;
            setToolTipText(box, QString::fromStdString(tip));
            tooltipBoxes_.append(box);
            // A multi-line box the user may type into no longer shows the
            // step's result once its text changes.
            auto *text = qobject_cast<QPlainTextEdit *>(box);
            if (text && !text->property(kWatched).toBool()) {
                text->setProperty(kWatched, true);
                connect(text, &QPlainTextEdit::textChanged, text, [text] { setToolTipText(text, QString()); });
            }
        }
    }
}

void BookActions::withdrawBook()
{
    book_.reset();
    for (QAction *action : {copy_, save_, print_})
        action->setEnabled(false);
    forgetStepTooltips();
    tooltipBoxes_.clear();
}

void BookActions::forgetStepTooltips()
{
    for (QWidget *box : std::as_const(tooltipBoxes_)) {
        auto *line = qobject_cast<QLineEdit *>(box);
        setToolTipText(box, line ? line->text() : QString());
    }
}

bool BookActions::eventFilter(QObject *watched, QEvent *event)
{
    // On X11 a text box takes Ctrl+E to the end of its line: the export wins.
    if (event->type() == QEvent::ShortcutOverride && save_->isEnabled()
        && static_cast<QKeyEvent *>(event)->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_E)) {
        event->ignore();
        return true;
    }
    if (event->type() != QEvent::ContextMenu)
        return false;
    QWidget *widget = static_cast<QWidget *>(watched);
    auto *line = qobject_cast<QLineEdit *>(widget);
    auto *text = qobject_cast<QPlainTextEdit *>(line ? nullptr : widget);
    if (!line && !text)
        text = qobject_cast<QPlainTextEdit *>(widget->parentWidget());  // its viewport
    QWidget *box = line ? static_cast<QWidget *>(line) : text;
    // A result box, on the result shade (some take typing too); not an input
    // box, nor one locked in grey.
    if (!box || box->palette().color(QPalette::Base) != tooltipBackground())
        return false;
    QMenu *menu = line ? line->createStandardContextMenu() : text->createStandardContextMenu();
    menu->addSeparator();
    menu->addActions({copy_, save_, print_, information_});
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
    return true;
}

void BookActions::copyBook()
{
    if (!book_)
        return;
    auto *data = new QMimeData;
    const BookHeader header = withBookInformation(header_);
    data->setHtml(QString::fromStdString(bookHtml(*book_, header)));
    data->setText(QString::fromStdString(bookPlainText(*book_, header)));
    QApplication::clipboard()->setMimeData(data);
}

void BookActions::saveBook()
{
    if (!book_)
        return;
    // The folder a book was saved in last, in this run or an earlier one.
    QString folder = rememberedValue(kLastFolderKey).toString();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    QString filter = kPdfFilter;
    const QString chosen = chooseFileToSave(window_, QStringLiteral("导出计算书"),
                                            QDir(folder).filePath(suggestedBookName(*book_, date_)),
                                            {kPdfFilter, kHtmlFilter, kOdtFilter}, &filter);
    if (chosen.isEmpty())
        return;
    rememberValue(kLastFolderKey, QFileInfo(chosen).absolutePath());
    // A suffix typed with the name wins ("book.html" with the PDF filter is
    // written as HTML); a name without one takes the filter's.
    const std::optional<BookFormat> typed = formatOfSuffix(chosen);
    const BookFormat format = typed ? *typed
        : filter == kHtmlFilter     ? BookFormat::Html
        : filter == kOdtFilter      ? BookFormat::Odt
                                    : BookFormat::Pdf;
    const char *suffixes[] = {".pdf", ".html", ".odt"};
    const QString path = typed ? chosen : chosen + QLatin1String(suffixes[int(format)]);
    if (!mayReplace(window_, chosen, path))
        return;
    if (!writeBook(*book_, withBookInformation(header_), path, format))
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
    const auto document = bookDocument(*book_, withBookInformation(header_));
    paintPages(*document, withBookInformation(header_), &printer, painter, INT_MAX,
               [&printer] { return printer.newPage(); });
}

}  // namespace morvane
