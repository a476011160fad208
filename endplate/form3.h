#pragma once
// The end plate thickness window.

#include "fieldcheck.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace morvane {

class BookActions;
class EndPlateDiagram;

class Form3 : public QWidget
{
    Q_OBJECT
public:
    // Builds the controls with their design texts, then runs the load step.
    explicit Form3(QWidget *parent = nullptr);

    // Event handlers, one per event of a control.
    void Form_Load();
    std::optional<FieldFailure> Text1_LostFocus(double b) const;
    std::optional<FieldFailure> Text2_LostFocus(double bs) const;
    std::optional<FieldFailure> Text3_LostFocus(double a) const;
    std::optional<FieldFailure> Text4_LostFocus(double ef) const;
    std::optional<FieldFailure> Text5_LostFocus(double ew) const;
    void Command1_Click();
    void Command2_Click();

private:
    void buildControls();

    QComboBox *Combo1, *Combo2;
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7;
    QRadioButton *Option1, *Option2, *Option3, *Option4;
    QCheckBox *Check1, *Check2, *Check3, *Check4;
    QPushButton *Command1, *Command2;
    EndPlateDiagram *Picture1;

    FieldCheck *fieldCheck_;
    BookActions *book_;
};

}  // namespace morvane
