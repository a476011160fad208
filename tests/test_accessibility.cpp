// What a screen reader finds in each window: every control the user works
// with has a name, and the name reads as the control's label and unit.
// QAccessible makes a widget's interface on request, with or without a
// screen reader attached and on the offscreen platform too, so the tree is
// walked as a screen reader would walk it.

#include "mainwindow.h"
#include "boltconnectionwindow.h"
#include "endplatewindow.h"
#include "stabilitywindow.h"
#include "pilegroupwindow.h"
#include "columnwindow.h"
#include "uitest.h"

#include <QAccessible>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QTest>

#include <functional>
#include <memory>

using namespace morvane;
using namespace uitest;

namespace {

using WindowMaker = std::function<QWidget *()>;

// The controls a person works with or reads a result from.
bool isInteractive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::EditableText:  // input and result boxes alike
    case QAccessible::ComboBox:
    case QAccessible::RadioButton:
    case QAccessible::CheckBox:
    case QAccessible::PushButton: return true;
    default: return false;
    }
}

// The control's name in the window, or its parent's for a part of a control
// (the text field of a list).
QString nameInWindow(const QObject *object)
{
    if (!object)
        return QStringLiteral("?");
    if (!object->objectName().isEmpty() && !object->objectName().startsWith(QLatin1String("qt_")))
        return object->objectName();
    return nameInWindow(object->parent()) + QLatin1Char('/') + QLatin1String(object->metaObject()->className());
}

// The name a screen reader reads for a control. Qt on X11 and Wayland gives
// a list its text as its name, and its label by the labelled-by relation.
QString spokenName(QAccessibleInterface *node)
{
    const QString name = node->text(QAccessible::Name);
    if (node->role() != QAccessible::ComboBox || name != node->text(QAccessible::Value))
        return name;
    for (const auto &[label, relation] : node->relations(QAccessible::Label)) {
        if (qobject_cast<QLabel *>(label->object()))
            return label->text(QAccessible::Name);
    }
    return QString();  // a frame around a list is no name for it
}

// Walks the accessibility tree below an interface and notes each
// interactive control's accessible name by its name in the window.
void walk(QAccessibleInterface *node, QHash<QString, QString> &names, int depth = 0)
{
    QVERIFY2(depth < 32, "the accessibility tree loops");
    if (isInteractive(node->role())) {
        QString name = spokenName(node).trimmed();
        // A box or list without a name of its own gets the caption of the
        // frame around it, the same for every control in that frame.
        const QObject *control = node->object();
        const auto *frame = qobject_cast<const QGroupBox *>(control ? control->parent() : nullptr);
        const bool captioned = node->role() != QAccessible::EditableText && node->role() != QAccessible::ComboBox;
        if (frame && !captioned && name == frame->title().trimmed())
            name.clear();
        names.insert(nameInWindow(control), name);
    }
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface *child = node->child(i))
            walk(child, names, depth + 1);
    }
}

}  // namespace

Q_DECLARE_METATYPE(WindowMaker)

class TestAccessibility : public WindowTest<>
{
    Q_OBJECT
private slots:
    void shouldNameEveryControlByItsLabelAndUnit_data()
    {
        // clang-format off
        QTest::addColumn<WindowMaker>("makeWindow");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");

        const WindowMaker main = [] { return new MainWindow; };
        const WindowMaker bolt = [] { return new BoltConnectionWindow; };
        const WindowMaker endPlate = [] { return new EndPlateWindow; };
        const WindowMaker stability = [] { return new StabilityWindow; };
        const WindowMaker pileGroup = [] { return new PileGroupWindow; };
        const WindowMaker column = [] { return new ColumnWindow; };

        // The names a control has of its own are in the windows' descriptions
        // (tests/golden/); here the names a screen reader derives, and every
        // window walked for a control left unnamed.
        QTest::newRow("main button") << main << "Command1" << "摩擦型高强螺栓连接计算";
        QTest::newRow("bolt key-proof list's text") << bolt << "Combo1/QLineEdit" << "螺栓排数";
        QTest::newRow("end plate: nobody unnamed") << endPlate << "" << "";
        QTest::newRow("stability typed list's text") << stability << "Combo2/QLineEdit" << "截面类型";
        QTest::newRow("pile group return") << pileGroup << "Command2" << "返回主界面";
        QTest::newRow("column: nobody unnamed") << column << "" << "";
        // clang-format on
    }
    void shouldNameEveryControlByItsLabelAndUnit()
    {
        QFETCH(WindowMaker, makeWindow);
        QFETCH(QString, control);
        QFETCH(QString, name);
        QWidget *window = makeWindow();
        QVERIFY(show(window));

        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(window);
        QVERIFY(root);
        QHash<QString, QString> names;
        walk(root, names);
        QStringList unnamed;
        for (auto it = names.cbegin(); it != names.cend(); ++it) {
            if (it.value().isEmpty())
                unnamed << it.key();
        }
        unnamed.sort();
        QCOMPARE(unnamed.join(", "), QString());
        if (control.isEmpty())
            return;
        QVERIFY2(names.contains(control), qPrintable(control + " is not in the accessibility tree"));
        QCOMPARE(names.value(control), name);
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
