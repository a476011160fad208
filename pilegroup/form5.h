#pragma once
// The pile group window: the bearing capacity of a group of piles under a
// rectangular cap, after deducting the cap and the soil resting on it.

#include "fieldcheck.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace morvane {

class BookActions;
class Form5 : public QWidget
{
    Q_OBJECT
public:
    // Builds the controls with their design texts, then runs the load step.
    explicit Form5(QWidget *parent = nullptr);

    // Event handlers, one per event of a control.
    void Form_Load();
    std::optional<FieldFailure> Text1_LostFocus(double L) const;
    std::optional<FieldFailure> Text2_LostFocus(double B) const;
    std::optional<FieldFailure> Text3_LostFocus(double H) const;
    std::optional<FieldFailure> Text4_LostFocus(double capDepth) const;
    std::optional<FieldFailure> Text5_LostFocus(double pileCapacity) const;
    std::optional<FieldFailure> Text6_LostFocus(double concreteWeight) const;
    std::optional<FieldFailure> Text7_LostFocus(double soilWeight) const;
    void Command1_Click();
    void Command2_Click();

private:
    void buildControls();

    QGroupBox *Frame1, *Frame2, *Frame3, *Frame4;
    QComboBox *Combo1;
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8;
    QPushButton *Command1, *Command2;

    FieldCheck *fieldCheck_;
    BookActions *book_;
};

}  // namespace morvane
