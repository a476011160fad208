#include "calculators.h"

#include "boltconnectionwindow.h"
#include "calculationfile.h"
#include "columnwindow.h"
#include "endplatewindow.h"
#include "pilegroupwindow.h"
#include "stabilitywindow.h"

#include <algorithm>

namespace morvane {

namespace {

template <typename Window>
CalculatorWindow *make(QWidget *parent)
{
    return new Window(parent);
}

template <typename Window>
constexpr Calculator entry(const char *id)
{
    return {id, &Window::windowTable, &make<Window>};
}

const Calculator kCalculators[] = {
    entry<BoltConnectionWindow>(kCalculatorIds[0]), entry<EndPlateWindow>(kCalculatorIds[1]),
    entry<StabilityWindow>(kCalculatorIds[2]),      entry<PileGroupWindow>(kCalculatorIds[3]),
    entry<ColumnWindow>(kCalculatorIds[4]),
};

}  // namespace

std::span<const Calculator> calculators() { return kCalculators; }

const Calculator *calculatorById(QStringView id)
{
    const auto it = std::ranges::find_if(kCalculators, [id](const Calculator &c) { return id == QLatin1String(c.id); });
    return it == std::end(kCalculators) ? nullptr : &*it;
}

}  // namespace morvane
