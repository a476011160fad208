#include "uitest.h"

#include "controls.h"
#include "editionchoice.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace uitest {

ShownBox warning(const QString &title, const QString &text, const QString &window)
{
    return {title, text, QMessageBox::Warning, QStringLiteral("确定"), window};
}

MessageBoxCatcher::MessageBoxCatcher() { qApp->installEventFilter(this); }

MessageBoxCatcher::~MessageBoxCatcher() { qApp->removeEventFilter(this); }

bool MessageBoxCatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (auto *box = qobject_cast<QMessageBox *>(watched)) {
            int up = 0;
            for (QWidget *w : QApplication::topLevelWidgets())
                up += qobject_cast<QMessageBox *>(w) && w->isVisible() ? 1 : 0;
            mostShownAtOnce_ = std::max(mostShownAtOnce_, up);
            QPointer<QMessageBox> guarded(box);
            // Answer from inside the box's own event loop.
            QMetaObject::invokeMethod(
                this,
                [this, guarded] {
                    if (guarded)
                        answer(guarded);
                },
                Qt::QueuedConnection);
        }
    }
    return false;
}

void MessageBoxCatcher::answer(QMessageBox *box)
{
    QStringList buttons;
    for (QAbstractButton *b : box->buttons())
        buttons << b->text();
    lastWidth_ = box->width();
    QWidget *parent = box->parentWidget();
    boxes_.append({box->windowTitle(), box->text(), box->icon(), buttons.join(','),
                   parent ? parent->window()->objectName() : QString()});
    const Answer answer = chooser_ ? chooser_() : answer_;
    if (answer == Answer::PressEnter) {
        // Only the press: its release lands wherever the focus goes next.
        QTest::keyPress(box, Qt::Key_Return);
    } else if (answer == Answer::PressEscape) {
        QTest::keyClick(box, Qt::Key_Escape);
    } else if (answer == Answer::CloseBox && box->windowHandle()) {
        box->windowHandle()->close();
    } else if (QAbstractButton *yesOrNo = box->button(answer == Answer::ClickYes           ? QMessageBox::Yes
                                                          : answer == Answer::ClickNo      ? QMessageBox::No
                                                          : answer == Answer::ClickSave    ? QMessageBox::Save
                                                          : answer == Answer::ClickDiscard ? QMessageBox::Discard
                                                                                           : QMessageBox::NoButton)) {
        QTest::mouseClick(yesOrNo, Qt::LeftButton);
    } else if (QAbstractButton *ok = box->button(QMessageBox::Ok)) {
        QTest::mouseClick(ok, Qt::LeftButton);
    } else {
        box->reject();
    }
}

QList<ShownBox> MessageBoxCatcher::take()
{
    settle();
    return std::exchange(boxes_, {});
}

QString MessageBoxCatcher::unexpected() const
{
    QStringList lines;
    for (const ShownBox &b : boxes_)
        lines << QStringLiteral("[%1] %2").arg(b.title, b.text);
    return lines.join('\n');
}

namespace {

QtMessageHandler qtTestHandler = nullptr;

// What the offscreen platform says of every raise, grab and size hint is no
// news, and would use up the test's allowance of warnings.
void quietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QStringLiteral("This plugin does not support")))
        return;
    qtTestHandler(type, context, message);
}

}  // namespace

void prepareLikeTheProgram()
{
    // Settings in a folder of this run, on every platform and in every format.
    static QTemporaryDir settingsFolder;
    QStandardPaths::setTestModeEnabled(true);
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, settingsFolder.path());
    if (!qtTestHandler)
        qtTestHandler = qInstallMessageHandler(quietPlatform);
    morvane::applyApplicationLook(*static_cast<QApplication *>(QCoreApplication::instance()));
}

bool showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void WindowTestBase::initTestCase() { prepareLikeTheProgram(); }

void WindowTestBase::init()
{
    boxes = std::make_unique<MessageBoxCatcher>();
    if (QWidget *window = makeWindowUnderTest())
        QVERIFY(show(window));
}

bool WindowTestBase::show(QWidget *window)
{
    shown_ = window;
    return showActive(window);
}

void WindowTestBase::cleanup()
{
    const QString left = boxes->unexpected();
    delete shown_;
    settle();
    // The next test starts under the original edition, even after a failure.
    morvane::chooseEdition(morvane::Edition::Original);
    boxes.reset();
    QVERIFY2(left.isEmpty(), qPrintable("message boxes nobody expected:\n" + left));
}

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        // Windows closed for good are deleted once control returns to the
        // event loop; a test has none running, so let that happen here.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void click(QWidget *control)
{
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
    settle();
}

void pressTab(bool backwards)
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus)
        qFatal("Tab pressed with the focus nowhere");
    QTest::keyClick(focus, backwards ? Qt::Key_Backtab : Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
    settle();
}

QStringList tabRound(bool backwards)
{
    QStringList visited{focusName()};
    QWidget *start = QApplication::focusWidget();
    for (int i = 0; i < 40; ++i) {
        pressTab(backwards);
        visited << focusName();
        if (QApplication::focusWidget() == start)
            break;
    }
    return visited;
}

QStringList reversed(QStringList names)
{
    std::reverse(names.begin(), names.end());
    return names;
}

void turnWheel(QWidget *control, QPoint at, int notches)
{
    QWidget *target = control->childAt(at);
    if (!target)
        target = control;
    const QPoint local = target->mapFrom(control, at);
    QWheelEvent turn(local, target->mapToGlobal(local), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &turn);
    settle();
}

void commitByInputMethod(const QString &text)
{
    QObject *target = QGuiApplication::focusObject();
    if (!target)
        qFatal("input method text with the focus nowhere");
    QInputMethodEvent commit(QString(), {});
    commit.setCommitString(text);
    QCoreApplication::sendEvent(target, &commit);
    settle();
}

void typeInto(QWidget *box, const QString &text)
{
    click(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(box, c.toLatin1());
        else  // a character of the input method: full-width digits, Chinese
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    settle();
}

char *toString(const ShownBox &box)
{
    return QTest::toString(QStringLiteral("{title \"%1\", text \"%2\", icon %3, buttons %4, over %5}")
                               .arg(box.title, box.text)
                               .arg(int(box.icon))
                               .arg(box.buttons, box.parentWindow));
}

char *toString(const QList<ShownBox> &boxes)
{
    QStringList parts;
    for (const ShownBox &box : boxes) {
        char *text = toString(box);
        parts << QString::fromUtf8(text);
        delete[] text;
    }
    return QTest::toString(QStringLiteral("(") + parts.join(QStringLiteral(", ")) + QStringLiteral(")"));
}

void openList(QComboBox *combo)
{
    // A click on the list's arrow.
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
    QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, arrow.center());
    settle();
}

void clickListItem(QComboBox *combo, int row)
{
    QAbstractItemView *view = combo->view();
    view->scrollTo(combo->model()->index(row, 0));
    const QRect item = view->visualRect(combo->model()->index(row, 0));
    QTest::mouseMove(view->viewport(), item.center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    settle();
}

void pickItem(QWidget *list, const QString &text)
{
    auto *combo = qobject_cast<QComboBox *>(list);
    if (!combo)
        qFatal("%s is not a list", qPrintable(list->objectName()));
    const int row = combo->findText(text, Qt::MatchExactly);
    if (row < 0)
        qFatal("%s has no item %s", qPrintable(list->objectName()), qPrintable(text));
    openList(combo);
    if (!combo->view()->isVisible())
        qFatal("the list of %s did not open", qPrintable(list->objectName()));
    // The list ignores a release that follows its opening too closely, as a
    // person's second click never does.
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    clickListItem(combo, row);
}

void pressKeys(const QStringList &keys)
{
    for (const QString &key : keys) {
        if (key.startsWith(QStringLiteral("click "))) {
            QWidget *popup = QApplication::activePopupWidget();
            auto *combo = popup ? qobject_cast<QComboBox *>(popup->parentWidget()) : nullptr;
            if (!combo)
                qFatal("no open list to click %s in", qPrintable(key));
            clickListItem(combo, combo->findText(key.section(' ', 1), Qt::MatchExactly));
            continue;
        }
        const QKeyCombination pressed = QKeySequence::fromString(key)[0];
        Qt::KeyboardModifiers modifiers = pressed.keyboardModifiers();
        if (pressed.key() == Qt::Key_Enter)
            modifiers |= Qt::KeypadModifier;
        // No widget: the keys reach the open list or the focused control, as typed.
        QTest::keyClick(static_cast<QWidget *>(nullptr), pressed.key(), modifiers);
        settle();
    }
}

QString toolTipRead(const QWidget *control) { return control->toolTip().remove('\n'); }

QStringList toolTipLinesTooWide(const QWidget *control)
{
    const QFontMetricsF metrics(QToolTip::font());
    QStringList wide;
    for (const QString &line : control->toolTip().split('\n')) {
        if (metrics.horizontalAdvance(line.trimmed()) > 40 * metrics.horizontalAdvance(QChar(0x4E2D)))
            wide << line;
    }
    return wide;
}

QString textOf(const QWidget *box)
{
    if (auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    if (auto *plain = qobject_cast<const QPlainTextEdit *>(box))
        return plain->toPlainText();
    return {};
}

QString focusName()
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

}  // namespace uitest


namespace uitest {

namespace {

// The character positions at the left and right ends of a box's text area,
// as the box shows it now.
std::pair<int, int> positionsAtTheEnds(QLineEdit *box)
{
    box->grab();  // lays the text out as painted
    const int middle = box->height() / 2;
    return {box->cursorPositionAt(QPoint(1, middle)), box->cursorPositionAt(QPoint(box->width() - 2, middle))};
}

}  // namespace

QStringList controlsCutByTheirFrame(QWidget *window)
{
    QStringList cut;
    for (QGroupBox *frame : window->findChildren<QGroupBox *>()) {
        const QRect inside = frame->rect().adjusted(1, 1, -2, -2);
        for (QWidget *child : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!inside.contains(child->geometry()))
                cut << child->objectName();
            // A one-line label must also be wide enough for its caption.
            auto *label = qobject_cast<QLabel *>(child);
            if (label && !label->wordWrap() && label->textFormat() != Qt::RichText
                && label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width())
                cut << label->objectName() + " (caption)";
        }
    }
    return cut;
}

QStringList resultsShownCut(QWidget *window, const QStringList &boxes, const QStringList &texts)
{
    QStringList cut;
    for (const QString &name : boxes) {
        auto *box = control<QLineEdit>(window, name);
        for (const QString &text : texts) {
            morvane::showResult(box, text);
            if (box->text() != text || box->toolTip() != text || !showsWholeText(box))
                cut << name + ": " + text;
        }
    }
    return cut;
}

bool showsNoNumber(const QString &text)
{
    static const QRegularExpression negativeZero(QStringLiteral("(^|[^0-9.])-(0+\\.?0*|\\.0+)($|[^0-9.])"));
    return text.contains(QStringLiteral("nan"), Qt::CaseInsensitive)
        || text.contains(QStringLiteral("inf"), Qt::CaseInsensitive) || negativeZero.match(text).hasMatch();
}

QList<NamedText> hostileTexts(int lengthLimit)
{
    const QChar nul(0);
    return {
        {"digits to the length limit", QString(lengthLimit, '9')},
        {"a tiny fraction to the length limit", "0." + QString(lengthLimit - 3, '0') + "5"},
        {"one character beyond the length limit", "1" + QString(lengthLimit, '0')},
        {"control characters", QStringLiteral("1\x01\x02\x1b\x7f\b2")},
        {"line breaks and tabs", QStringLiteral("\r\n4\t0\r")},
        {"NUL inside", QStringLiteral("4") + nul + QStringLiteral("0")},
        {"NUL alone", QString(nul)},
        {"lone high surrogate", QString(QChar(0xD800))},
        {"lone low surrogate after digits", QStringLiteral("12") + QChar(0xDC00)},
        {"right-to-left override", QStringLiteral("\u202E12")},
        {"Arabic-Indic digits", QStringLiteral("\u0664\u0660")},
        {"Hebrew", QStringLiteral("\u05E9\u05DC\u05D5\u05DD")},
        {"emoji", QStringLiteral("\U0001F600")},
        {"keycap emoji", QStringLiteral("4\uFE0F\u20E3")},
        {"1e309", "1e309"},
        {"-1e309", "-1e309"},
        {"largest double", "1.7976931348623157e308"},
        {"smallest double", "4.9e-324"},
        {"-0", "-0"},
        {"NaN", "NaN"},
        {"inf", "inf"},
        {"0x10", "0x10"},
        {"full-width digits", QStringLiteral("\uFF11\uFF12\uFF13")},
        {"full-width 1e309", QStringLiteral("\uFF11\uFF45\uFF13\uFF10\uFF19")},
        {"full-width -0", QStringLiteral("\uFF0D\uFF10")},
    };
}

bool showsBeginning(QLineEdit *box) { return positionsAtTheEnds(box).first == 0; }

bool scaledUpBitmap(QWidget *picture)
{
    const QImage image = picture->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const int step = qRound(ratio);
    if (step < 2 || !qFuzzyCompare(ratio, qreal(step)))
        return false;
    for (int y = 0; y + step <= image.height(); y += step) {
        for (int x = 0; x + step <= image.width(); x += step) {
            for (int dy = 0; dy < step; ++dy) {
                for (int dx = 0; dx < step; ++dx) {
                    if (image.pixel(x + dx, y + dy) != image.pixel(x, y))
                        return false;
                }
            }
        }
    }
    return true;
}

bool showsWholeText(QLineEdit *box)
{
    const auto [left, right] = positionsAtTheEnds(box);
    return left == 0 && right == box->text().size();
}

}  // namespace uitest
