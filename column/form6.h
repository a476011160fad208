#pragma once
// The column reinforcement ratio window.

#include "fieldcheck.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace morvane {

class BookActions;
class ColumnLegend;

class Form6 : public QWidget
{
    Q_OBJECT
public:
    // Builds the controls with their design texts, then runs the load step.
    explicit Form6(QWidget *parent = nullptr);

    // Event handlers, one per event of a control.
    void Form_Load();
    std::optional<FieldFailure> Text1_LostFocus(double b) const;
    std::optional<FieldFailure> Text2_LostFocus(double h) const;
    void Command1_Click();
    void Command2_Click();

private:
    void buildControls();

    QGroupBox *Frame1, *Frame2, *Frame3, *Frame4;
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5;
    QPlainTextEdit *Text6;
    QComboBox *Combo1, *Combo2, *Combo3;
    QPushButton *Command1, *Command2;
    ColumnLegend *Image1;

    FieldCheck *fieldCheck_;
    BookActions *book_;
};

}  // namespace morvane
