#pragma once
// The friction-type high-strength bolt connection window.

#include "calculatorwindow.h"

#include <QSet>

class QTimer;

namespace morvane {

class BoltConnectionWindow : public CalculatorWindow
{
    Q_OBJECT
public:
    // How long typing in e1 pauses before the spacing hint shows, ms.
    static constexpr int kHintPauseMs = 500;

    // The controls of the window; the table in boltconnectionwindow.cpp
    // gives each its design name ("Text1", "Combo1", "Option3" …).
    enum Role {
        Rows,
        E1,
        E2,
        E3,
        Ef,
        Ew,
        Tw,
        SteelGrade,
        BoltSize,
        Grade8_8,
        Grade10_9,
        FourRowDiagram,
        SixRowDiagram,
        EightRowDiagram,
        Moment,
        Shear,
        Amplification,
        Blasted,
        BlastedRusted,
        BlastedZincPrimer,
        WireBrushed,
        SlipCoefficient,
        Nt1,
        Nv1,
        Nbv1,
        Pretension,
        Nt2,
        CalculateButton,
        Verdict,
        ReturnButton,
    };

    explicit BoltConnectionWindow(QWidget *parent = nullptr);
    // The window's controls as data, also for what works without the window.
    static const WindowTable &windowTable();

protected:
    void followInputs() override { showRowsLayout(); }
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void calculate();
    void showRowsLayout();   // the diagram and the boxes of the picked number of rows
    void showSpacingHint();  // once typing in e1 pauses

private:
    void setLocked(int role, bool locked);

    QTimer *hintTimer_;
    QSet<int> keysHeldInE1_;
    bool hintWaitsForRelease_ = false;
};

}  // namespace morvane
