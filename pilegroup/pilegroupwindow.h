#pragma once
// The pile group window: the bearing capacity of a group of piles under a
// rectangular cap, after deducting the cap and the soil resting on it.

#include "calculatorwindow.h"

namespace morvane {

class PileGroupWindow : public CalculatorWindow
{
    Q_OBJECT
public:
    // The controls the window's own code reads and writes; the table in
    // pilegroupwindow.cpp gives each its design name (Text1, Combo1 …).
    enum Role {
        CapLength,
        CapWidth,
        CapHeight,
        CapDepth,
        PileCapacity,
        ConcreteWeight,
        SoilWeight,
        PileCount,
        CalculateButton,
        CapacityLabel,
        Capacity,
    };

    explicit PileGroupWindow(QWidget *parent = nullptr);
    // The window's controls as data, also for what works without the window.
    static const WindowTable &windowTable();

private slots:
    void calculate();
};

}  // namespace morvane
