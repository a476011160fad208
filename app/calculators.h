#pragma once
// The five calculators by the name calculation files and the command line
// give them, each with its window table and a way to make its window.

#include <QStringView>

#include <span>

class QWidget;

namespace morvane {

class CalculatorWindow;
struct WindowTable;

struct Calculator {
    const char *id;  // "bolt-connection", "end-plate", "stability", "pile-group", "column"
    const WindowTable &(*table)();
    CalculatorWindow *(*make)(QWidget *parent);
};

std::span<const Calculator> calculators();
// Nothing for an unknown name.
const Calculator *calculatorById(QStringView id);

}  // namespace morvane
