#include "calculationkeeper.h"

#include "calculatorwindow.h"
#include "edition.h"
#include "filedialog.h"
#include "settings.h"
#include "warningbox.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QMenu>
#include <QSaveFile>
#include <QStandardPaths>

namespace morvane {

namespace {

const QString kRecentKey = QStringLiteral("calculation/recent");
const QString kLastFolderKey = QStringLiteral("calculation/lastFolder");
constexpr int kRecentCount = 10;

QStringList calculationFilters()
{
    return {QStringLiteral("Morvane 计算文件 (*.%1)").arg(QLatin1String(kCalculationSuffix)),
            QStringLiteral("所有文件 (*)")};
}

std::function<void(const QString &)> &opener()
{
    static std::function<void(const QString &)> theOpener;
    return theOpener;
}

// The folder a calculation was opened from or saved to last, else the user's documents.
QString lastFolder()
{
    QString folder = rememberedValue(kLastFolderKey).toString();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return folder;
}

QString shownPath(const QString &path) { return QDir::toNativeSeparators(path); }

}  // namespace

// The edition a file is kept under: the one the window computes by.
QString savedEdition(const CalculatorWindow *window) { return QString::fromUtf8(editionKey(window->edition())); }

// The edition a file is held against when it opens; none for a window that
// is the same under both editions, which takes a file of either.
QString followedEdition(const CalculatorWindow *window)
{
    return window->table().captionCurrent ? savedEdition(window) : QString();
}

std::optional<QByteArray> readCalculationFile(QWidget *parent, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showWarning(parent, QStringLiteral("提示"),
                    (QFileInfo::exists(path) ? QStringLiteral("无法读取文件：%1") : QStringLiteral("文件不存在：%1"))
                        .arg(shownPath(path)));
        return std::nullopt;
    }
    // One byte past the limit is enough to refuse a larger file.
    return file.read(kCalculationFileLimit + 1);
}

QString chooseCalculationToOpen(QWidget *parent)
{
    const QString path = chooseFileToOpen(parent, QStringLiteral("打开计算"), lastFolder(), calculationFilters());
    if (!path.isEmpty())
        rememberValue(kLastFolderKey, QFileInfo(path).absolutePath());
    return path;
}

QStringList recentCalculations() { return rememberedValue(kRecentKey).toStringList().mid(0, kRecentCount); }

void rememberRecentCalculation(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentCalculations();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    rememberValue(kRecentKey, recent.mid(0, kRecentCount));
}

void forgetRecentCalculation(const QString &path)
{
    QStringList recent = recentCalculations();
    if (recent.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        rememberValue(kRecentKey, recent);
}

void offerRecentCalculations(QMenu *menu, const std::function<void(const QString &)> &open)
{
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, open] {
        menu->clear();
        const QStringList recent = recentCalculations();
        for (int i = 0; i < recent.size(); ++i) {
            const QString path = recent.at(i);
            QString name = QFileInfo(path).fileName();
            name.replace(QLatin1Char('&'), QStringLiteral("&&"));
            QAction *entry = menu->addAction(QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(name));
            entry->setToolTip(shownPath(path));
            entry->setStatusTip(shownPath(path));
            QObject::connect(entry, &QAction::triggered, menu, [open, path] { open(path); });
        }
        if (recent.isEmpty())
            menu->addAction(QStringLiteral("（无）"))->setEnabled(false);
    });
    menu->setToolTipsVisible(true);
}

void setCalculationOpener(std::function<void(const QString &path)> theOpener) { opener() = std::move(theOpener); }

CalculationKeeper::CalculationKeeper(CalculatorWindow *window)
    : QObject(window)
    , window_(window)
    , caption_(window->windowTitle())
{
    setObjectName(QStringLiteral("calculationKeeper"));
    auto make = [this, window](const QString &text, const QKeySequence &keys, const char *name) {
        auto *action = new QAction(text, window);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        return action;
    };
    QAction *open = make(QStringLiteral("打开计算…"), QKeySequence(Qt::CTRL | Qt::Key_O), "openCalculation");
    QAction *save = make(QStringLiteral("保存计算"), QKeySequence(Qt::CTRL | Qt::Key_S), "saveCalculation");
    QAction *saveAs = make(QStringLiteral("计算另存为…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                           "saveCalculationAs");
    connect(open, &QAction::triggered, this, &CalculationKeeper::chooseAndOpen);
    connect(save, &QAction::triggered, this, &CalculationKeeper::save);
    connect(saveAs, &QAction::triggered, this, &CalculationKeeper::saveAs);
    auto *recent = new QMenu(QStringLiteral("最近的计算"), window);
    recent->setObjectName(QStringLiteral("recentCalculations"));
    offerRecentCalculations(recent, [this](const QString &path) { openFile(path); });
    auto *separator = new QAction(window);
    separator->setSeparator(true);
    const QList<QAction *> entries{open, save, saveAs, recent->menuAction(), separator};

    // First in the menu of the window and of each of its frames, before the book's entries.
    QList<QWidget *> holders{window};
    for (QGroupBox *frame : window->findChildren<QGroupBox *>())
        holders << frame;
    for (QWidget *holder : holders) {
        holder->insertActions(holder->actions().value(0), entries);
        holder->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    connect(window, &CalculatorWindow::inputsEdited, this, &CalculationKeeper::follow);
}

bool CalculationKeeper::isChanged() const { return !path_.isEmpty() && window_->inputTexts() != fileTexts_; }

CalculationLoading CalculationKeeper::decide(const QByteArray &bytes) const
{
    return decideLoading(bytes,
                         {QLatin1String(window_->table().calculator), followedEdition(window_), window_->inputRules(),
                          window_->defaultInputTexts()});
}

bool CalculationKeeper::apply(const QString &path, const CalculationLoading &loading)
{
    if (!loading.loaded() || !mayClose())
        return false;
    window_->setInputTexts(loading.texts);
    path_ = QFileInfo(path).absoluteFilePath();
    fileTexts_ = window_->inputTexts();
    follow();
    rememberRecentCalculation(path_);
    if (!loading.notice.isEmpty())
        showWarning(window_, QStringLiteral("提示"), loading.notice);
    return true;
}

void CalculationKeeper::openFile(const QString &path)
{
    const std::optional<QByteArray> bytes = readCalculationFile(window_, path);
    if (!bytes) {
        forgetRecentCalculation(path);
        return;
    }
    const CalculationReading reading = readCalculation(*bytes);
    if (reading.calculation && reading.calculation->calculator != QLatin1String(window_->table().calculator)
        && opener()) {
        opener()(path);
        return;
    }
    const CalculationLoading loading = decide(*bytes);
    if (!loading.loaded()) {
        showWarning(window_, QStringLiteral("提示"), loading.refusal);
        return;
    }
    apply(path, loading);
}

void CalculationKeeper::chooseAndOpen()
{
    const QString path = chooseCalculationToOpen(window_);
    if (!path.isEmpty())
        openFile(path);
}

bool CalculationKeeper::save() { return path_.isEmpty() ? saveAs() : writeTo(path_); }

bool CalculationKeeper::saveAs()
{
    const QString suggested = path_.isEmpty()
        ? QDir(lastFolder()).filePath(caption_ + QLatin1Char('.') + QLatin1String(kCalculationSuffix))
        : path_;
    QString filter;
    const QString chosen = chooseFileToSave(window_, QStringLiteral("计算另存为"), suggested,
                                            calculationFilters().mid(0, 1), &filter);
    if (chosen.isEmpty())
        return false;
    rememberValue(kLastFolderKey, QFileInfo(chosen).absolutePath());
    const QString suffix = QLatin1Char('.') + QLatin1String(kCalculationSuffix);
    const QString path = chosen.endsWith(suffix, Qt::CaseInsensitive) ? chosen : chosen + suffix;
    return mayReplace(window_, chosen, path) && writeTo(path);
}

bool CalculationKeeper::writeTo(const QString &path)
{
    const Calculation calculation{QLatin1String(window_->table().calculator), savedEdition(window_),
                                  window_->inputTexts(), QDateTime::currentDateTime()};
    // Written whole to a file beside it, then put in its place: a full disk
    // or a crash leaves the old file as it was.
    QSaveFile file(path);
    const QByteArray bytes = writeCalculation(calculation);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        showWarning(window_, QStringLiteral("提示"),
                    QStringLiteral("无法保存文件：%1\n%2").arg(shownPath(path), file.errorString()));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    fileTexts_ = calculation.inputs;
    follow();
    rememberRecentCalculation(path_);
    return true;
}

bool CalculationKeeper::mayClose()
{
    if (!isChanged())
        return true;
    switch (askSave(window_, QStringLiteral("提示"),
                    QStringLiteral("「%1」中的输入已修改。是否保存？").arg(QFileInfo(path_).fileName()))) {
    case SaveAnswer::Save: return save();
    case SaveAnswer::Discard: return true;
    case SaveAnswer::Cancel: return false;
    }
    return false;
}

void CalculationKeeper::follow()
{
    if (path_.isEmpty())
        return;
    window_->setWindowTitle(QStringLiteral("%1[*] - %2").arg(QFileInfo(path_).fileName(), caption_));
    window_->setWindowModified(isChanged());
}

}  // namespace morvane
