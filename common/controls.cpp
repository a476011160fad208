#include "controls.h"

#include "booktext.h"
#include "numbers.h"
#include "warningbox.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextLayout>
#include <QToolTip>

namespace morvane {

namespace {

// The first of the faces that is installed, alone; the whole list when none
// is. A font naming several faces has Qt ask fontconfig for the fallbacks of
// each face it loads, once per script, at every start; a font naming one
// installed face has its fallbacks looked up only for a character the face
// lacks.
QStringList firstInstalled(const QStringList &faces)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString &face : faces) {
        if (installed.contains(face))
            return {face};
    }
    return faces;
}

}  // namespace

void applyApplicationLook(QApplication &app)
{
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        app.setStyle(fusion);
        app.setPalette(fusion->standardPalette());
    }
    QFont font;
    font.setFamilies(firstInstalled({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK"),
                                     QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("AR PL UKai CN")}));
    font.setPixelSize(12);
    app.setFont(font);

    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
}

void setUpCalculatorWindow(QWidget *window, const QString &name, const QString &caption, int widthTwips,
                           int heightTwips)
{
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFixedSize(widthTwips / 15, heightTwips / 15);
}

QColor tooltipBackground() { return QApplication::palette().color(QPalette::ToolTipBase); }

QColor windowBackground() { return QApplication::palette().color(QPalette::Base); }

QColor scrollBarGrey() { return QColor(0xC8, 0xC8, 0xC8); }

void setBoxBackground(QWidget *box, const QColor &colour)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

void makeResultBox(QLineEdit *box, Qt::Alignment alignment)
{
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setAlignment(alignment | Qt::AlignVCenter);
    setBoxBackground(box, tooltipBackground());
}

namespace {

const char kBaseFont[] = "morvaneBaseFont";

// The width a line edit gives its text: inside the frame, the text margins
// and the two-pixel margin the line edit keeps on each side, less a pixel of
// slack each side for glyphs that overhang at other screen scales.
int textWidthOf(const QLineEdit *box)
{
    const int frame = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box) : 0;
    const QMargins margins = box->textMargins();
    return box->width() - 2 * frame - margins.left() - margins.right() - 2 * 2 - 2;
}

// The text broken into lines of about 40 Chinese characters at most.
QString wrappedToolTip(const QString &text)
{
    // No character is wider than 中: a text that short fits as it is, and
    // the tooltip's font need not be loaded for it (most tooltips, and
    // every one a window sets while it opens).
    constexpr int kLineCharacters = 40;
    if (text.size() <= kLineCharacters)
        return text;
    const QFont font = QToolTip::font();
    const QFontMetricsF metrics(font);
    const qreal width = kLineCharacters * metrics.horizontalAdvance(QChar(0x4E2D));  // 中
    QStringList lines;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        if (metrics.horizontalAdvance(paragraph) <= width) {
            lines << paragraph;
            continue;
        }
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

void setToolTipText(QWidget *control, const QString &text) { control->setToolTip(wrappedToolTip(text)); }

void showResult(QLineEdit *box, const QString &text)
{
    // The whole text shows, sign and leading digits first: when it is wider
    // than the box, the font is made smaller until it fits.
    if (!box->property(kBaseFont).isValid()) {
        box->setProperty(kBaseFont, box->font());
        // Text the user types into the box shows in the box's own font, and
        // the tooltip no longer speaks of the result it replaced.
        QObject::connect(box, &QLineEdit::textEdited, box, [box] {
            box->setFont(box->property(kBaseFont).value<QFont>());
            setToolTipText(box, QString());
        });
    }
    QFont font = box->property(kBaseFont).value<QFont>();
    int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    const int available = textWidthOf(box);
    while (pixels > 4 && QFontMetricsF(font).horizontalAdvance(text) > available) {
        --pixels;
        font.setPixelSize(pixels);
    }
    box->setFont(font);
    box->setText(text);
    setToolTipText(box, text);
    box->setCursorPosition(0);
}

namespace {

// Discards the keys, the typing and the wheel of a key-proof list; F4 and
// Alt+Down open its drop-down list, in which the arrow keys move and Enter
// or a click picks (a pick as with the mouse), and Escape closes it.
class KeyRefuser : public QObject
{
public:
    explicit KeyRefuser(QComboBox *list)
        : QObject(list)
        , list_(list)
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto *key = static_cast<QKeyEvent *>(event);
            const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
            const bool opens = (key->key() == Qt::Key_F4 && modifiers == Qt::NoModifier)
                || (key->key() == Qt::Key_Down && modifiers == Qt::AltModifier);
            if (opens && event->type() == QEvent::KeyPress)
                openList();
            const bool leaves = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
                && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
            return !leaves;  // the key is discarded
        }
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::InputMethod: return true;
        default: return false;
        }
    }

private:
    void openList()
    {
        list_->showPopup();
        // The arrow keys move on from the item the list shows.
        if (list_->currentIndex() < 0) {
            const int shown = list_->findText(list_->currentText(), Qt::MatchExactly);
            if (shown >= 0)
                list_->view()->setCurrentIndex(list_->model()->index(shown, list_->modelColumn()));
        }
    }

    QComboBox *list_;
};

}  // namespace

void makeKeyProofList(QComboBox *list)
{
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->lineEdit()->setReadOnly(true);
    list->setContextMenuPolicy(Qt::NoContextMenu);
    list->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    // Leaving the list chooses nothing: by default an editable list picks
    // the item matching its text when its text field loses the focus, and
    // runs the list's click handler (while the window closes, too).
    QObject::disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
    auto *refuser = new KeyRefuser(list);
    list->installEventFilter(refuser);
    list->lineEdit()->installEventFilter(refuser);
}

void makeOptionGroup(const QList<QAbstractButton *> &options, const QString &groupName)
{
    for (QAbstractButton *option : options) {
        nameOptionForReaders(option, groupName);
        auto follow = [option](bool checked) { option->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus); };
        follow(option->isChecked());
        QObject::connect(option, &QAbstractButton::toggled, option, follow);
    }
}

void nameOptionForReaders(QAbstractButton *option, const QString &groupName)
{
    option->setAccessibleName(groupName + QStringLiteral("：") + option->text());
}

void nameForReaders(QWidget *control, const QString &quantity, const QString &unit)
{
    const QString name = unit.isEmpty() ? quantity : QStringLiteral("%1 (%2)").arg(quantity, unit);
    control->setAccessibleName(name);
}

void nameListForReaders(QComboBox *list, QLabel *label)
{
    label->setBuddy(list);
    list->setAccessibleName(label->text());
    if (list->lineEdit())
        list->lineEdit()->setAccessibleName(label->text());
}

namespace {

// Shows the beginning of an input box's text once the user leaves the box.
class BeginningOnLeave : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            auto *box = qobject_cast<QLineEdit *>(watched);  // none while it is being destroyed
            if (box && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                box->setCursorPosition(0);
        }
        return false;
    }
};

}  // namespace

namespace {

// A captioned control with its name, at its place in its parent.
template <typename Control>
Control *placed(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    auto *control = new Control(caption, parent);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

}  // namespace

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, const QRect &geometry)
{
    return placed<QLabel>(parent, name, text, geometry);
}

QGroupBox *makeFrame(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    return placed<QGroupBox>(parent, name, caption, geometry);
}

QRadioButton *makeOption(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    return placed<QRadioButton>(parent, name, caption, geometry);
}

QCheckBox *makeCheck(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    return placed<QCheckBox>(parent, name, caption, geometry);
}

QLineEdit *makeTextBox(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *box = placed<QLineEdit>(parent, name, name, geometry);  // its name is its design text
    box->installEventFilter(new BeginningOnLeave(box));
    return box;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    auto *button = placed<QPushButton>(parent, name, caption, geometry);
    button->setAutoDefault(true);  // Enter presses the focused button
    return button;
}

QComboBox *makeList(QWidget *parent, const QString &name, const QString &designText, const QRect &geometry,
                    ListKind kind)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    if (kind == ListKind::KeyProof) {
        makeKeyProofList(list);
    } else {
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);  // a typed text is used, not added as an item
        list->setCompleter(nullptr);                 // nor completed to an item
    }
    list->setEditText(designText);
    return list;
}

void fillList(QComboBox *list, const QStringList &items)
{
    const QString shown = list->currentText();
    list->addItems(items);
    list->setCurrentIndex(-1);
    list->setEditText(shown);
}

void refillList(QComboBox *list, const QStringList &items)
{
    const QString shown = list->currentText();
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
    list->setEditText(shown);
}

double valueOf(const QLineEdit *box) { return parseLeadingNumber(box->text().toStdString()); }

void setTabOrder(const QList<QWidget *> &order)
{
    QWidget *previous = nullptr;
    for (QWidget *next : order) {
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

void showOutOfRange(QWidget *window)
{
    showWarning(window, QStringLiteral("提示"), QString::fromUtf8(kOutOfRangeMessage));
}

QFont kaiFont(double pointSize, bool bold, bool underline)
{
    QFont font;
    font.setFamilies(
        firstInstalled({QStringLiteral("楷体_GB2312"), QStringLiteral("KaiTi_GB2312"), QStringLiteral("KaiTi"),
                        QStringLiteral("楷体"), QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL KaitiM GB"),
                        QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")}));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

WrappingButton::WrappingButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    setAutoDefault(true);  // Enter presses the focused button
}

void WrappingButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    // Lay the caption out in lines that fit, as even in length as they can
    // be, spaced by the ideograph height rather than the font's generous
    // line height, and centre the block.
    const QRect area = rect().adjusted(3, 2, -3, -2);
    QTextLayout layout(caption, font());
    QTextOption textOption(Qt::AlignHCenter);
    textOption.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(textOption);
    const QFontMetricsF metrics(font());
    const qreal lineStep = std::min(metrics.height(), metrics.ascent() + 2.0);
    auto layOut = [&](qreal width) {
        layout.beginLayout();
        int count = 0;
        qreal y = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF((area.width() - width) / 2.0, y));
            y += lineStep;
            ++count;
        }
        layout.endLayout();
        return count;
    };
    const int lines = layOut(area.width());
    if (lines > 1) {
        qreal width = metrics.horizontalAdvance(caption) / lines;
        while (width < area.width() && layOut(width) > lines)
            width += 1;
        if (width >= area.width())
            layOut(area.width());
    }
    const qreal blockHeight = lines * lineStep - (lineStep - metrics.ascent()) + metrics.descent() * 0.5;
    const QPointF origin(area.left(), area.top() + (area.height() - blockHeight) / 2.0 - 1);
    painter.setPen(palette().color(isEnabled() ? QPalette::ButtonText : QPalette::PlaceholderText));
    layout.draw(&painter, origin);
}

}  // namespace morvane
