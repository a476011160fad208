#pragma once
// The column reinforcement ratio window.

#include "calculatorwindow.h"

namespace morvane {

class ColumnWindow : public CalculatorWindow
{
    Q_OBJECT
public:
    // The controls the window's own code reads and writes; the table in
    // columnwindow.cpp gives each its design name (Text1, Combo1 …).
    enum Role {
        Width,
        Height,
        CornerDiameter,
        BCount,
        BDiameter,
        HCount,
        HDiameter,
        Report,
        CalculateButton,
    };

    explicit ColumnWindow(QWidget *parent = nullptr);
    // The window's controls as data, also for what works without the window.
    static const WindowTable &windowTable();

private slots:
    void calculate();
};

}  // namespace morvane
