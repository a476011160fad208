#pragma once
// The friction-type high-strength bolt connection window.

#include "fieldcheck.h"

#include <QSet>
#include <QWidget>

#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace morvane {

class BoltDiagram;
class BookActions;

class Form2 : public QWidget
{
    Q_OBJECT
public:
    // How long typing in e1 pauses before the spacing hint shows, ms.
    static constexpr int kHintPauseMs = 500;

    // Builds the controls with their design texts, then runs the load step.
    explicit Form2(QWidget *parent = nullptr);

    // Event handlers, one per event of a control.
    void Form_Load();
    void Combo1_Click();
    void Timer1_Timer();  // the spacing hint, once typing in e1 pauses
    std::optional<FieldFailure> Text1_LostFocus(double e1) const;
    std::optional<FieldFailure> Text2_LostFocus(double e2) const;
    std::optional<FieldFailure> Text3_LostFocus(double e3) const;
    std::optional<FieldFailure> Text4_LostFocus(double ef) const;
    std::optional<FieldFailure> Text5_LostFocus(double ew) const;
    std::optional<FieldFailure> Text6_LostFocus(double tw) const;
    std::optional<FieldFailure> Text9_LostFocus(double amplification) const;
    void Command1_Click();
    void Command2_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void setLocked(QLineEdit *box, bool locked);

    QGroupBox *Frame1, *Frame2, *Frame3, *Frame4, *Frame5, *Frame6;
    QComboBox *Combo1, *Combo2, *Combo3;
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9;
    QLineEdit *Text10, *Text11, *Text12, *Text13, *Text14, *Text16;
    QPlainTextEdit *Text15;
    QRadioButton *Option1, *Option2, *Option3, *Option4, *Option5, *Option6;
    QPushButton *Command1, *Command2;
    BoltDiagram *Picture1, *Picture2, *Picture3;

    FieldCheck *fieldCheck_;
    BookActions *book_;
    QTimer *Timer1;
    QSet<int> keysHeldInText1_;
    bool hintWaitsForRelease_ = false;
};

}  // namespace morvane
