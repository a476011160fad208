#pragma once
// The stability coefficient window: the slenderness of an axially
// compressed member, and its stability coefficient by steel grade and
// section class.

#include "stabilitybook.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace morvane {

class BookActions;
class FieldCheck;
class Form4 : public QWidget
{
    Q_OBJECT
public:
    // Builds the controls with their design texts, then runs the load step.
    explicit Form4(QWidget *parent = nullptr);

    // Event handlers, one per event of a control.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    void buildControls();
    void slendernessEdited();
    void updateBook();

    QGroupBox *Frame1, *Frame2;
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5;
    QComboBox *Combo1, *Combo2;
    QPushButton *Command1, *Command2, *Command3;
    BookActions *book_;
    // Each button reads only numbers: L, I and A; the slenderness.
    FieldCheck *slendernessCheck_;
    FieldCheck *coefficientCheck_;
    // The last click of each "计算" that reached its calculation, for the
    // book, and whether the slenderness box still holds the slenderness that
    // click wrote.
    std::optional<SlendernessRun> slendernessRun_;
    std::optional<StabilityRun> stabilityRun_;
    bool slendernessShown_ = false;
};

}  // namespace morvane
