#pragma once
// The stability coefficient window: the slenderness of an axially
// compressed member, and its stability coefficient by steel grade and
// section class.

#include "calculatorwindow.h"
#include "stabilitybook.h"

#include <optional>

namespace morvane {

class StabilityWindow : public CalculatorWindow
{
    Q_OBJECT
public:
    // The controls the window's own code reads and writes; the table in
    // stabilitywindow.cpp gives each its design name (Text1, Combo1 …).
    enum Role {
        Length,
        Inertia,
        Area,
        SlendernessButton,
        Slenderness,
        SteelGrade,
        SectionClass,
        CoefficientButton,
        Coefficient,
    };

    explicit StabilityWindow(QWidget *parent = nullptr);
    // The window's controls as data, also for what works without the window.
    static const WindowTable &windowTable();

protected:
    void followEdition(Edition edition) override;

private slots:
    void calculateSlenderness();
    void calculateCoefficient();

private:
    void slendernessEdited();
    void updateBook();

    // The last click of each "计算" that reached its calculation, for the
    // book, and whether the slenderness box still holds the slenderness that
    // click wrote.
    std::optional<SlendernessRun> slendernessRun_;
    std::optional<StabilityRun> stabilityRun_;
    bool slendernessShown_ = false;
};

}  // namespace morvane
