#include "batch.h"

#include "bookactions.h"
#include "calculationfile.h"
#include "cases.h"
#include "commandline.h"
#include "csv.h"
#include "terminal.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace morvane {

namespace {

constexpr int kComputed = 0;
constexpr int kSomeRefused = 1;
constexpr int kNothingComputed = 2;

// A line on standard error, in the terminal's encoding.
void tell(const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

int refuse(const QString &why)
{
    tell(QStringLiteral("morvane：") + why);
    return kNothingComputed;
}

int refuseCommandLine(const QString &why) { return refuse(why + QStringLiteral("\n运行“morvane --help”查看用法。")); }

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The bytes of a file, or of standard input for "-"; nothing when it cannot be read, and why.
std::optional<std::string> readBytes(const QString &path, QString &why)
{
    QFile file;
    bool opened;
    if (path == QLatin1String("-")) {
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else {
        file.setFileName(path);
        opened = file.open(QIODevice::ReadOnly);
    }
    if (!opened) {
        why = QFileInfo::exists(path) ? QStringLiteral("%1：无法读取文件").arg(path)
                                      : QStringLiteral("%1：文件不存在").arg(path);
        return std::nullopt;
    }
    if (file.isSequential())  // a pipe: its size is not known beforehand
        return file.readAll().toStdString();
    // Read straight into the text, not through a second copy of a large table.
    std::string bytes(std::size_t(file.size()), '\0');
    const qint64 read = file.read(bytes.data(), qint64(bytes.size()));
    if (read < 0) {
        why = QStringLiteral("%1：无法读取文件").arg(path);
        return std::nullopt;
    }
    bytes.resize(std::size_t(read));
    const QByteArray grown = file.readAll();  // written to while it was read
    bytes.append(grown.constData(), std::size_t(grown.size()));
    return bytes;
}

// Writes the bytes to a file whole, or to standard output for "-".
bool writeBytes(const QString &path, const std::string &bytes)
{
    if (path == QLatin1String("-")) {
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
        return std::fflush(stdout) == 0 && written;
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size())
        && file.commit();
}

std::optional<Edition> editionOption(const QCommandLineParser &parser, const QCommandLineOption &option, QString &why)
{
    if (!parser.isSet(option))
        return std::nullopt;
    const QString key = parser.value(option);
    if (const std::optional<Edition> edition = editionFromKey(key.toStdString()))
        return edition;
    why = QStringLiteral("未知的设计规范“%1”：应为 original 或 current。").arg(key);
    return std::nullopt;
}

// An unknown option's name as it is written: "--bogus", or "-x" for one letter.
QString asTyped(const QString &name) { return (name.size() > 1 ? QStringLiteral("--") : QStringLiteral("-")) + name; }

// Parses the arguments after the command's name; false, with the refusal
// told, when they cannot be.
bool parse(QCommandLineParser &parser, const QStringList &arguments, int &status)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (parser.parse(arguments))
        return true;
    status = refuseCommandLine(
        parser.unknownOptionNames().isEmpty()
            ? parser.errorText()
            : QStringLiteral("未知选项“%1”。").arg(asTyped(parser.unknownOptionNames().constFirst())));
    return false;
}

// An application of the kind the command needs: the books need fonts, so
// a GUI application (offscreen, no window is shown); a batch without books
// needs none.
std::unique_ptr<QCoreApplication> application(bool books, int &argc, char *argv[])
{
    if (books)
        return std::make_unique<QGuiApplication>(argc, argv);
    return std::make_unique<QCoreApplication>(argc, argv);
}

int book(const QStringList &arguments, int &argc, char *argv[])
{
    QCommandLineParser parser;
    const QCommandLineOption output({"o", "output"}, QString(), QStringLiteral("输出文件"));
    const QCommandLineOption editionChoice("edition", QString(), QStringLiteral("设计规范"));
    const QCommandLineOption help(QStringList{"h", "help"});
    parser.addOptions({output, editionChoice, help});
    int status = kNothingComputed;
    if (!parse(parser, arguments, status))
        return status;
    if (parser.isSet(help)) {
        std::fputs(calculationCommandsHelp().toLocal8Bit().constData(), stdout);
        return kComputed;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1 || !parser.isSet(output))
        return refuseCommandLine(QStringLiteral("book 需要一个计算文件和“-o 输出文件”。"));
    const QString path = files.constFirst();
    const QString out = parser.value(output);
    std::optional<BookFormat> format;
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        format = BookFormat::Pdf;
    else if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        format = BookFormat::Html;
    else if (suffix == QLatin1String("odt"))
        format = BookFormat::Odt;
    else if (suffix == QLatin1String("txt") || out == QLatin1String("-"))
        format = BookFormat::Text;
    else
        return refuseCommandLine(QStringLiteral("输出文件“%1”的后缀应为 .pdf、.html、.odt 或 .txt。").arg(out));
    QString why;
    const std::optional<Edition> chosenEdition = editionOption(parser, editionChoice, why);
    if (!why.isEmpty())
        return refuseCommandLine(why);

    const std::unique_ptr<QCoreApplication> app = application(true, argc, argv);
    const std::optional<std::string> bytes = readBytes(path, why);
    if (!bytes)
        return refuse(why);
    const CalculationReading reading = readCalculation(QByteArray::fromStdString(*bytes));
    if (!reading.calculation)
        return refuse(path + QStringLiteral("：") + reading.refusal);
    const Calculation &calculation = *reading.calculation;
    const CaseCalculator &calculator = *CaseCalculator::byId(calculation.calculator.toStdString());
    const Edition edition = chosenEdition ? *chosenEdition : *editionFromKey(calculation.edition.toStdString());

    // The inputs the file gives, the others as the window opens; names the window lacks are passed by.
    InputTextMap texts;
    for (std::size_t i = 0; i < calculator.inputs().size(); ++i) {
        const std::string name(calculator.inputs()[i]);
        const auto given = calculation.inputs.constFind(QString::fromStdString(name));
        const std::string text = given == calculation.inputs.cend() ? calculator.defaults(edition)[i]
                                                                    : given->toStdString();
        std::string_view shown = text;
        if (const std::string refusal = calculator.refusalOfText(i, shown, edition); !refusal.empty())
            return refuse(path + QStringLiteral("：") + fromUtf8(refusal));
        texts.texts[name] = shown;
    }
    const CaseOutcome outcome = calculator.compute(texts, edition, true);
    if (!outcome.warning.empty())
        tell(QStringLiteral("morvane：") + path + QStringLiteral("：") + fromUtf8(outcome.warning));
    if (!outcome.refusal.empty())
        return refuse(path + QStringLiteral("：") + fromUtf8(outcome.refusal));

    const BookHeader header = withBookInformation(bookHeader(QDateTime::currentDateTime()));
    const bool written = out == QLatin1String("-") ? writeBytes(out, bookPlainText(*outcome.book, header))
                                                   : writeBook(*outcome.book, header, out, *format);
    if (!written)
        return refuse(QStringLiteral("%1：无法写入文件").arg(out));
    return kComputed;
}

// What stays out of a function's fast path, in each compiler's own words.
#if defined(_MSC_VER)
#define OUT_OF_LINE __declspec(noinline)
#else
#define OUT_OF_LINE __attribute__((noinline))
#endif

// The texts of one row: its cells where the file has a column, the
// window's defaults where it has none.
class RowTexts final : public InputTexts
{
public:
    explicit RowTexts(const CaseCalculator &calculator)
        : names_(calculator.inputs())
        , values_(names_.size())
        , readings_(names_.size())
    {
    }
    void set(std::size_t input, std::string_view text)
    {
        values_[input] = text;
        readings_[input].read = false;
    }
    std::string_view text(std::string_view input) const override
    {
        const std::size_t i = indexOf(input);
        return i < values_.size() ? values_[i] : std::string_view();
    }
    // Read once a row: the field checks and the calculation ask for the same numbers.
    double number(std::string_view input) const override { return reading(input).value; }
    bool holdsOneNumber(std::string_view input) const override { return reading(input).oneNumber; }

private:
    const NumberReading &reading(std::string_view input) const
    {
        const std::size_t i = indexOf(input);
        if (i < readings_.size() && readings_[i].read)
            return readings_[i];
        return read(i);
    }
    OUT_OF_LINE const NumberReading &read(std::size_t input) const
    {
        static const NumberReading none{true, true, 0};  // an empty text
        return input < values_.size() ? readings_[input].of(values_[input]) : none;
    }
    // The calculations ask by the same few names row after row: each asking
    // text is known again by its address, in the place its address gives
    // (names lie a few bytes apart: every bit of the address counts).
    static std::size_t placeOf(const char *data)
    {
        return std::size_t(std::uint64_t(reinterpret_cast<std::uintptr_t>(data)) * 0x9E3779B97F4A7C15u >> 56);
    }
    std::size_t indexOf(std::string_view input) const
    {
        const Known &known = known_[placeOf(input.data())];
        if (known.data == input.data() && known.size == input.size())
            return known.input;
        return learn(input);
    }
    // Else in the next place free or its own.
    OUT_OF_LINE std::size_t learn(std::string_view input) const
    {
        for (std::size_t tried = 0, place = placeOf(input.data()); tried < std::size(known_);
             ++tried, place = (place + 1) % std::size(known_)) {
            Known &known = known_[place];
            if (!known.data)
                known = {input.data(), input.size(), std::size_t(std::ranges::find(names_, input) - names_.begin())};
            if (known.data == input.data() && known.size == input.size())
                return known.input;
        }
        return std::size_t(std::ranges::find(names_, input) - names_.begin());  // more asking texts than places
    }

    struct Known {
        const char *data = nullptr;
        std::size_t size = 0;
        std::size_t input = 0;
    };
    const std::vector<std::string_view> &names_;
    std::vector<std::string_view> values_;
    mutable std::vector<NumberReading> readings_;
    mutable Known known_[256];
};

// The file name of a row's book: its name, with the characters no file
// name may hold replaced, else its row number; a name given twice gets the
// row number too. A name Windows keeps for a device (CON, NUL, COM1 …,
// whatever follows its first point) gets a "_" after it, so that the book
// is a file there too.
QString bookFileName(std::string_view name, std::size_t row, QSet<QString> &used)
{
    QString base = fromUtf8(name).trimmed().left(120);
    for (QChar &c : base) {
        if (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    while (base.endsWith(QLatin1Char('.')) || base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    if (base.isEmpty())
        base = QString::number(row);
    static const QRegularExpression kDevice(QStringLiteral("^(con|prn|aux|nul|com[1-9]|lpt[1-9]) *(?=\\.|$)"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch device = kDevice.match(base); device.hasMatch())
        base.insert(device.capturedEnd(), QLatin1Char('_'));
    if (used.contains(base.toLower()))
        base += QLatin1Char('-') + QString::number(row);
    used.insert(base.toLower());
    return base + QStringLiteral(".pdf");
}

// "已计算 12000 / 50000 行" on standard error while a long file is computed,
// rewritten in place at most four times a second, and only on a terminal;
// from when all its rows are read, which is long before most are computed.
class Progress
{
public:
    Progress()
        : shown_(standardErrorIsTerminal())
        , next_(std::chrono::steady_clock::now() + kInterval)
    {
    }
    void read(std::size_t total) { total_ = total; }
    void computed(std::size_t rows)
    {
        if (!shown_ || !total_)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (now < next_)
            return;
        next_ = now + kInterval;
        print(rows, "");
        printed_ = true;
    }
    void finished()
    {
        if (printed_)
            print(total_, "\n");
    }

private:
    static constexpr std::chrono::milliseconds kInterval{250};
    void print(std::size_t rows, const char *end) const
    {
        const QString line = QStringLiteral("\r已计算 %1 / %2 行").arg(rows).arg(total_) + QLatin1String(end);
        std::fputs(line.toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
    }

    std::atomic<std::size_t> total_ = 0;  // 0 while rows are read
    bool shown_;
    bool printed_ = false;
    std::chrono::steady_clock::time_point next_;
};

// Rows of a batch as read, a block of them at a time.
struct Block {
    std::vector<std::string_view> cells;  // the rows' cells, one after the other
    std::vector<std::size_t> rowStart;    // by row: its first cell, then the end of the last
    std::vector<std::size_t> rowNumber;   // by row: its number in the file, from 1 under the header

    std::size_t rows() const { return rowNumber.size(); }
    std::span<const std::string_view> row(std::size_t row) const
    {
        return {cells.data() + rowStart[row], rowStart[row + 1] - rowStart[row]};
    }
    std::string_view cell(std::size_t row, std::size_t column) const
    {
        const std::span<const std::string_view> cells = this->row(row);
        return column < cells.size() ? cells[column] : std::string_view();  // a short row's last cells are empty
    }
};

// What a batch's rows are computed and written with.
struct Sheet {
    const CaseCalculator &calculator;
    Edition edition;
    bool calculate;  // false: read and written only, as bench/batch.sh times it
    std::size_t columns;
    std::size_t nameColumn;                  // SIZE_MAX: none
    std::vector<std::size_t> inputColumn;    // by input: its column, SIZE_MAX where the file has none
    std::vector<std::size_t> inputResult;    // by input: the result it also is, SIZE_MAX for none
    std::vector<std::size_t> resultColumns;  // the results written after the inputs

    std::string_view name(const Block &block, std::size_t row) const { return block.cell(row, nameColumn); }
};

// The blocks of rows, read on one thread while others compute those already
// read: each block waited for until it is read, or the rows have ended.
class ReadBlocks
{
public:
    void add(Block &&block)
    {
        const std::lock_guard lock(mutex_);
        blocks_.push_back(std::move(block));  // the blocks before stay where they are
        ++inHand_;
        more_.notify_all();
    }
    void end()
    {
        const std::lock_guard lock(mutex_);
        ended_ = true;
        more_.notify_all();
    }
    // The block, once read; none when the rows ended before it.
    const Block *wait(std::size_t block)
    {
        std::unique_lock lock(mutex_);
        more_.wait(lock, [&] { return block < blocks_.size() || ended_; });
        return block < blocks_.size() ? &blocks_[block] : nullptr;
    }
    // A block whose records are written is not needed again: its cells go,
    // so that a batch holds the table and the blocks in hand, not every
    // row's cells at once.
    void release(std::size_t block)
    {
        const std::lock_guard lock(mutex_);
        blocks_[block] = Block{};
        --inHand_;
    }
    // The blocks read and not yet released.
    std::size_t inHand()
    {
        const std::lock_guard lock(mutex_);
        return inHand_;
    }

private:
    std::mutex mutex_;
    std::condition_variable more_;
    std::deque<Block> blocks_;
    std::size_t inHand_ = 0;
    bool ended_ = false;
};

using BookWriter = std::function<void(const Block &block, std::size_t row, const CalcBook &book)>;

constexpr std::size_t kRowsPerBlock = 512;  // the rows computed and written at a time
// The reading runs ahead of the computing by at most so many blocks (some
// 8 MB of a bolt table's cells); beyond, the reading thread computes too.
constexpr std::size_t kMostBlocksInHand = 64;

// Where a batch's records go, as they are computed: a file, kept only when
// all of it is written; or standard output for "-", which cannot be taken
// back (the table is read through once before, so that one refused on its
// last line gives none of it).
class RecordOutput
{
public:
    explicit RecordOutput(const QString &path)
        : file_(path == QLatin1String("-") ? nullptr : std::make_unique<QSaveFile>(path))
        , failed_(file_ && !file_->open(QIODevice::WriteOnly))
    {
    }
    bool write(std::string_view bytes)
    {
        if (failed_)
            return false;
        failed_ = file_ ? file_->write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())
                        : std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size();
        return !failed_;
    }
    bool finish()
    {
        if (file_)
            return !failed_ && file_->commit();
        return std::fflush(stdout) == 0 && !failed_;
    }

private:
    std::unique_ptr<QSaveFile> file_;
    bool failed_;
};

// Computes a block's rows and appends their records; true when some were
// refused. Each row counts in `done`.
bool computeRows(const Sheet &sheet, const Block &block, char separator, std::string &records,
                 std::atomic<std::size_t> &done, const BookWriter *writeBook = nullptr, Progress *progress = nullptr)
{
    const CaseCalculator &calculator = sheet.calculator;
    const std::size_t inputCount = calculator.inputs().size();
    RowTexts texts(calculator);
    CaseOutcome outcome;
    std::string refusal;
    std::vector<std::string_view> record;
    bool someRefused = false;
    std::size_t counted = 0;
    for (std::size_t row = 0; row < block.rows(); ++row) {
        const std::span<const std::string_view> cells = block.row(row);
        refusal.clear();
        if (cells.size() > sheet.columns)
            refusal = "此行有" + std::to_string(cells.size()) + "个字段，多于表头的" + std::to_string(sheet.columns)
                + "列";
        for (std::size_t i = 0; i < inputCount; ++i) {
            const std::size_t column = sheet.inputColumn[i];
            std::string_view text = column == SIZE_MAX ? std::string_view(calculator.defaults(sheet.edition)[i])
                                                       : block.cell(row, column);
            if (sheet.calculate && refusal.empty())
                refusal = calculator.refusalOfText(i, text, sheet.edition);
            texts.set(i, text);
        }
        if (sheet.calculate && refusal.empty()) {
            calculator.compute(texts, sheet.edition, writeBook != nullptr, outcome);
        } else if (sheet.calculate) {
            // Nothing of the row before stays.
            outcome = CaseOutcome{};
            outcome.results.resize(calculator.results().size());
            outcome.verdicts.resize(calculator.verdicts().size());
            outcome.refusal = refusal;
        }
        someRefused = someRefused || !outcome.refusal.empty();

        record.clear();
        if (sheet.nameColumn != SIZE_MAX)
            record.push_back(sheet.name(block, row));
        for (std::size_t i = 0; i < inputCount; ++i) {
            const std::size_t column = sheet.inputColumn[i];
            const std::size_t r = sheet.inputResult[i];
            if (sheet.calculate && outcome.refusal.empty() && r != SIZE_MAX)
                record.emplace_back(outcome.results[r]);  // as the window shows it after "计算"
            else if (sheet.calculate
                     && std::ranges::find(outcome.emptied, calculator.inputs()[i]) != outcome.emptied.end())
                record.emplace_back();
            else if (column == SIZE_MAX)
                record.emplace_back(calculator.defaults(sheet.edition)[i]);
            else
                record.push_back(block.cell(row, column));
        }
        for (const std::size_t r : sheet.resultColumns)
            record.emplace_back(sheet.calculate ? std::string_view(outcome.results[r]) : std::string_view());
        for (std::size_t v = 0; v < calculator.verdicts().size(); ++v)
            record.emplace_back(sheet.calculate ? std::string_view(outcome.verdicts[v]) : std::string_view());
        record.emplace_back(outcome.refusal.empty() ? outcome.warning : outcome.refusal);
        appendCsvRecord(records, record, separator);

        if (outcome.book && writeBook)
            (*writeBook)(block, row, *outcome.book);
        // Added to the count the threads share every 64 rows, not to make
        // them wait for it at each; every row where a row takes long (a book each).
        if (++counted == (writeBook ? 1 : 64) || row + 1 == block.rows()) {
            done += counted;
            counted = 0;
            if (progress)
                progress->computed(done);
        }
    }
    return someRefused;
}

int templateRow(const CaseCalculator &calculator, Edition edition, const QString &out)
{
    const std::vector<std::string> &defaults = calculator.defaults(edition);
    std::string bytes = kUtf8ByteOrderMark;
    appendCsvRecord(bytes, calculator.inputs(), ',');
    appendCsvRecord(bytes, {defaults.begin(), defaults.end()}, ',');
    if (!writeBytes(out, bytes))
        return refuse(QStringLiteral("%1：无法写入文件").arg(out));
    return kComputed;
}

int batch(const QStringList &arguments, int &argc, char *argv[])
{
    QCommandLineParser parser;
    const QCommandLineOption output({"o", "output"}, QString(), QStringLiteral("输出文件"));
    const QCommandLineOption editionChoice("edition", QString(), QStringLiteral("设计规范"));
    const QCommandLineOption bookDirectory("book-dir", QString(), QStringLiteral("目录"));
    const QCommandLineOption templateOnly("template");
    // Reads and writes as a batch does, without calculating: what bench/batch.sh times the batch against.
    const QCommandLineOption noCalculation("no-calculation");
    const QCommandLineOption help(QStringList{"h", "help"});
    parser.addOptions({output, editionChoice, bookDirectory, templateOnly, noCalculation, help});
    int status = kNothingComputed;
    if (!parse(parser, arguments, status))
        return status;
    if (parser.isSet(help)) {
        std::fputs(calculationCommandsHelp().toLocal8Bit().constData(), stdout);
        return kComputed;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return refuseCommandLine(QStringLiteral("batch 需要计算类型、输入表格和“-o 输出表格”。"));
    const CaseCalculator *found = CaseCalculator::byId(positional.constFirst().toStdString());
    if (!found) {
        QStringList ids;
        for (const CaseCalculator *calculator : CaseCalculator::all())
            ids << QString::fromLatin1(calculator->id());
        return refuseCommandLine(QStringLiteral("未知的计算类型“%1”：应为 %2。")
                                     .arg(positional.constFirst(), ids.join(QStringLiteral("、"))));
    }
    const CaseCalculator &calculator = *found;
    QString why;
    const Edition edition = editionOption(parser, editionChoice, why).value_or(Edition::Original);
    if (!why.isEmpty())
        return refuseCommandLine(why);
    if (parser.isSet(templateOnly)) {
        if (positional.size() != 1)
            return refuseCommandLine(QStringLiteral("--template 不读输入表格。"));
        const std::unique_ptr<QCoreApplication> app = application(false, argc, argv);
        return templateRow(calculator, edition, parser.isSet(output) ? parser.value(output) : QStringLiteral("-"));
    }
    if (positional.size() != 2 || !parser.isSet(output))
        return refuseCommandLine(QStringLiteral("batch 需要计算类型、输入表格和“-o 输出表格”。"));
    const QString in = positional.at(1);
    const QString out = parser.value(output);
    const bool calculate = !parser.isSet(noCalculation);
    const QString bookDir = calculate ? parser.value(bookDirectory) : QString();

    const std::unique_ptr<QCoreApplication> app = application(!bookDir.isEmpty(), argc, argv);
    std::optional<std::string> bytes = readBytes(in, why);
    if (!bytes)
        return refuse(why);
    if (bytes->starts_with("\xFF\xFE") || bytes->starts_with("\xFE\xFF"))
        return refuse(in + QStringLiteral("：表格是 UTF-16 编码，请存为 UTF-8 编码的 CSV。"));
    if (const std::optional<std::size_t> bad = firstBadUtf8(*bytes)) {
        const qsizetype line = std::count(bytes->begin(), bytes->begin() + std::ptrdiff_t(*bad), '\n') + 1;
        return refuse(in
                      + QStringLiteral("：第%1行不是 UTF-8 编码（也许是 GBK），"
                                       "请存为“CSV UTF-8（逗号分隔）”。")
                            .arg(line));
    }
    const bool toStandardOutput = out == QLatin1String("-");
    std::string readThroughFirst = toStandardOutput ? *bytes : std::string();
    CsvReader reader(std::move(*bytes));
    const char separator = reader.separator();

    // The header: the calculator's inputs, a row's name, and the columns a
    // batch writes, which are written again.
    std::vector<std::string_view> header;
    if (!reader.next(header))
        return refuse(in + QStringLiteral("：")
                      + (reader.error().empty() ? QStringLiteral("表格是空的，没有表头") : fromUtf8(reader.error())));
    const std::size_t inputCount = calculator.inputs().size();
    std::vector<std::size_t> inputColumn(inputCount, SIZE_MAX);
    std::size_t nameColumn = SIZE_MAX;
    QStringList seen;
    for (std::size_t column = 0; column < header.size(); ++column) {
        std::string_view name = header[column];
        while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
            name.remove_prefix(1);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
            name.remove_suffix(1);
        if (!name.empty() && seen.contains(fromUtf8(name)))
            return refuse(in + QStringLiteral("：表头中“%1”一列出现了两次").arg(fromUtf8(name)));
        seen << fromUtf8(name);
        const std::size_t input = calculator.inputIndex(name);
        const auto written = [&](const std::vector<std::string_view> &names) {
            return std::ranges::find(names, name) != names.end();
        };
        if (input < inputCount) {
            inputColumn[input] = column;
        } else if (name == "name") {
            nameColumn = column;
        } else if (name.empty() || name == "message" || written(calculator.results())
                   || written(calculator.verdicts())) {
            // written again
        } else {
            QStringList names;
            for (const std::string_view input : calculator.inputs())
                names << fromUtf8(input);
            return refuse(
                in
                + QStringLiteral("：表头中的“%1”不是 %2 的输入（输入为 %3）")
                      .arg(fromUtf8(name), QString::fromLatin1(calculator.id()), names.join(QStringLiteral("、"))));
        }
    }

    // Written: the name, the inputs, the results that are not inputs, the verdicts, the message.
    Sheet sheet{calculator, edition, calculate, header.size(), nameColumn, std::move(inputColumn), {}, {}};
    sheet.inputResult.assign(inputCount, SIZE_MAX);
    for (std::size_t r = 0; r < calculator.results().size(); ++r) {
        const std::size_t input = calculator.inputIndex(calculator.results()[r]);
        if (input < inputCount)
            sheet.inputResult[input] = r;
        else
            sheet.resultColumns.push_back(r);
    }
    std::vector<std::string_view> record;
    if (nameColumn != SIZE_MAX)
        record.emplace_back("name");
    record.insert(record.end(), calculator.inputs().begin(), calculator.inputs().end());
    for (const std::size_t r : sheet.resultColumns)
        record.push_back(calculator.results()[r]);
    record.insert(record.end(), calculator.verdicts().begin(), calculator.verdicts().end());
    record.emplace_back("message");
    std::string headerRecord = kUtf8ByteOrderMark;
    appendCsvRecord(headerRecord, record, separator);
    if (!bookDir.isEmpty() && !QDir().mkpath(bookDir))
        return refuse(QStringLiteral("%1：无法建立目录").arg(bookDir));
    if (toStandardOutput) {
        // What goes out cannot be taken back: a quote left open on the last
        // line is found before any record is written.
        CsvReader whole(std::exchange(readThroughFirst, {}), separator);
        for (std::vector<std::string_view> fields; whole.next(fields);) {
        }
        if (!whole.error().empty())
            return refuse(in + QStringLiteral("：") + fromUtf8(whole.error()));
    }
    RecordOutput records(out);
    if (!records.write(headerRecord))
        return refuse(QStringLiteral("%1：无法写入文件").arg(out));

    // The rows in blocks, computed on as many threads as there are
    // processors while this one reads them, then on this one too (on this
    // one alone with books: they are laid out with the application's
    // fonts); each block's records written once those of the blocks before
    // it are, and the block let go: neither the output nor every row's
    // cells are ever held whole.
    ReadBlocks blocks;
    const std::size_t threads = bookDir.isEmpty() ? std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8)
                                                  : 1;
    std::atomic<std::size_t> nextBlock = 0, done = 0, finished = 0;
    std::atomic<bool> someRefused = false;
    std::mutex turnMutex;
    std::condition_variable turn;
    std::size_t writtenBlocks = 0;  // under turnMutex
    bool writeFailed = false;       // under turnMutex
    const auto computeBlock = [&](std::size_t next, const Block &block, std::string &blockRecords,
                                  const BookWriter *writeBook, Progress *progress) {
        blockRecords.clear();
        if (computeRows(sheet, block, separator, blockRecords, done, writeBook, progress))
            someRefused = true;
        std::unique_lock lock(turnMutex);
        turn.wait(lock, [&] { return writtenBlocks == next; });
        writeFailed = writeFailed || !records.write(blockRecords);
        ++writtenBlocks;
        turn.notify_all();
        lock.unlock();
        blocks.release(next);
    };
    const auto computeBlocks = [&](const BookWriter *writeBook, Progress *progress) {
        std::string blockRecords;
        for (std::size_t next; const Block *block = blocks.wait(next = nextBlock++);)
            computeBlock(next, *block, blockRecords, writeBook, progress);
    };
    std::vector<std::thread> helpers;
    for (std::size_t helper = 1; helper < threads; ++helper) {
        helpers.emplace_back([&] {
            computeBlocks(nullptr, nullptr);
            ++finished;
        });
    }
    // Read while the helpers compute; blank lines are no rows.
    Progress progress;
    std::size_t rows = 0, blocksRead = 0;
    Block block;
    std::string readerRecords;
    const auto addBlock = [&] {
        rows += block.rows();
        block.rowStart.push_back(block.cells.size());
        blocks.add(std::move(block));
        block = {};
        ++blocksRead;
        // Too far ahead: a block read and not taken is computed here. Not
        // with books, which are written only once the table is read whole.
        for (std::size_t next = nextBlock;
             bookDir.isEmpty() && next < blocksRead && blocks.inHand() > kMostBlocksInHand;) {
            if (nextBlock.compare_exchange_weak(next, next + 1)) {
                computeBlock(next, *blocks.wait(next), readerRecords, nullptr, nullptr);
                next = nextBlock;
            }
        }
    };
    std::vector<std::string_view> fields;
    for (std::size_t number = 1; reader.next(fields); ++number) {
        if (std::ranges::all_of(fields, &std::string_view::empty))
            continue;
        block.rowStart.push_back(block.cells.size());
        block.rowNumber.push_back(number);
        block.cells.insert(block.cells.end(), fields.begin(), fields.end());
        if (block.rows() == kRowsPerBlock)
            addBlock();
    }
    if (block.rows() > 0)
        addBlock();
    blocks.end();
    progress.read(rows);
    const bool readWhole = reader.error().empty();

    QSet<QString> bookNames;
    bool booksFailed = false;
    const BookHeader bookStamp = withBookInformation(bookHeader(QDateTime::currentDateTime()));
    const BookWriter writeRowBook = [&](const Block &block, std::size_t row, const CalcBook &book) {
        const QString path = QDir(bookDir).filePath(
            bookFileName(sheet.name(block, row), block.rowNumber[row], bookNames));
        if (!writeBook(book, bookStamp, path, BookFormat::Pdf)) {
            tell(QStringLiteral("morvane：%1：无法写入文件").arg(path));
            booksFailed = true;
        }
    };
    if (!readWhole)
        nextBlock = SIZE_MAX / 2;  // nothing more to compute: nothing is written
    else
        computeBlocks(bookDir.isEmpty() ? nullptr : &writeRowBook, &progress);
    while (finished < helpers.size()) {
        progress.computed(done);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    for (std::thread &helper : helpers)
        helper.join();
    if (!readWhole)
        return refuse(in + QStringLiteral("：") + fromUtf8(reader.error()));
    progress.finished();
    if (writeFailed || !records.finish())
        return refuse(QStringLiteral("%1：无法写入文件").arg(out));
    return booksFailed ? kNothingComputed : someRefused ? kSomeRefused : kComputed;
}

// Qt's own messages, but for the one about a missing or private runtime
// directory: a command run outside a desktop session has none, and needs none.
QtMessageHandler qtMessageHandler = nullptr;

void passQtMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("QStandardPaths: ")))
        qtMessageHandler(type, context, message);
}

}  // namespace

std::optional<int> runCalculationCommand(int argc, char *argv[])
{
    if (argc < 2)
        return std::nullopt;
    const std::string_view command = argv[1];
    if (command != "book" && command != "batch")
        return std::nullopt;
    // No window is ever shown: the books are laid out offscreen, whatever the session.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qtMessageHandler = qInstallMessageHandler(passQtMessage);
    useBinaryStandardStreams();
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        if (i != 1)
            arguments << QString::fromLocal8Bit(argv[i]);
    }
    return command == "book" ? book(arguments, argc, argv) : batch(arguments, argc, argv);
}

}  // namespace morvane
