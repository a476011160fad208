#include "boltconnectiontexts.h"

#include "numbers.h"

namespace morvane {

int rowCount(std::string_view layout) { return layout == "四排" ? 4 : layout == "六排" ? 6 : layout == "八排" ? 8 : 0; }

bool layoutHasE2(int rows) { return rows >= 6; }

bool layoutHasE3(int rows) { return rows >= 8; }

BoltConnectionInput boltConnectionInput(const InputTexts &texts, Edition /*edition*/)
{
    auto number = [&texts](const char *input) { return parseLeadingNumber(texts.text(input)); };
    BoltConnectionInput in;
    in.rows = rowCount(texts.text("rows"));
    in.e1 = number("e1");
    in.e2 = number("e2");
    in.e3 = number("e3");
    in.ef = number("ef");
    in.ew = number("ew");
    in.tw = number("tw");
    in.M = number("M");
    in.V = number("V");
    in.amplification = number("amplification");
    in.steelGrade = texts.text("steelGrade");
    in.boltSize = texts.text("boltSize");
    in.boltGrade = texts.text("boltGrade") == "8.8级" ? BoltGrade::Grade8_8 : BoltGrade::Grade10_9;
    const std::string_view treatment = texts.text("surfaceTreatment");
    in.surfaceTreatment = treatment == "喷砂（丸）后涂无机富锌漆" ? SurfaceTreatment::BlastedZincPrimer
        : treatment == "喷砂（丸）后生赤锈"                       ? SurfaceTreatment::BlastedRusted
        : treatment == "钢丝刷清除浮锈或未经处理的干净扎制表面"   ? SurfaceTreatment::WireBrushed
                                                                  : SurfaceTreatment::Blasted;
    return in;
}

}  // namespace morvane
