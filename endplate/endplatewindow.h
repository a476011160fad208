#pragma once
// The end plate thickness window.

#include "calculatorwindow.h"

namespace morvane {

class EndPlateWindow : public CalculatorWindow
{
    Q_OBJECT
public:
    // The controls the window's own code reads and writes; the table in
    // endplatewindow.cpp gives each its design name (Text1, Check3 …).
    enum Role {
        PlateWidth,
        StiffenedPanel,
        RowSpacing,
        FlangeDistance,
        WebDistance,
        SteelGrade,
        BoltSize,
        Grade8_8,
        Cantilever,
        NoStiffener,
        TwoSide,
        ThreeSide,
        Bracket0,
        Bracket1,
        Bracket2,
        Bracket3,
        Extended,
        Flush,
        CalculateButton,
        BoltCapacity,
        Thickness,
    };

    explicit EndPlateWindow(QWidget *parent = nullptr);
    // The window's controls as data, also for what works without the window.
    static const WindowTable &windowTable();

private slots:
    void calculate();

private:
    void placeBracket();
};

}  // namespace morvane
