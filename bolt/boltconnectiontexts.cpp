#include "boltconnectiontexts.h"

#include "numbers.h"

namespace morvane {

int rowCount(std::string_view layout) { return layout == "四排" ? 4 : layout == "六排" ? 6 : layout == "八排" ? 8 : 0; }

bool layoutHasE2(int rows) { return rows >= 6; }

bool layoutHasE3(int rows) { return rows >= 8; }

namespace {

// The treatment each option of the window stands for under each edition,
// by the option's name and its captions (a spreadsheet may give either).
struct TreatmentOption {
    std::string_view option, originalCaption, currentCaption;
    SurfaceTreatment original, current;
};
constexpr TreatmentOption kTreatmentOptions[] = {
    {"Option3", "喷砂（丸）", "喷硬质石英砂或铸钢棱角砂", SurfaceTreatment::Blasted, SurfaceTreatment::GritBlasted},
    {"Option4", "喷砂（丸）后涂无机富锌漆", "抛丸（喷砂）", SurfaceTreatment::BlastedZincPrimer,
     SurfaceTreatment::ShotBlasted},
    {"Option5", "喷砂（丸）后生赤锈", "", SurfaceTreatment::BlastedRusted,
     SurfaceTreatment::BlastedRusted},  // the current edition has no such row
    {"Option6", "钢丝刷清除浮锈或未经处理的干净扎制表面", "钢丝刷清除浮锈或未经处理的干净轧制面",
     SurfaceTreatment::WireBrushed, SurfaceTreatment::WireBrushed},
};

SurfaceTreatment treatment(std::string_view text, Edition edition)
{
    for (const TreatmentOption &t : kTreatmentOptions) {
        if (text == t.option || text == t.originalCaption || (!t.currentCaption.empty() && text == t.currentCaption))
            return edition == Edition::Current ? t.current : t.original;
    }
    return edition == Edition::Current ? SurfaceTreatment::GritBlasted : SurfaceTreatment::Blasted;
}

}  // namespace

BoltConnectionInput boltConnectionInput(const InputTexts &texts, Edition edition)
{
    auto number = [&texts](std::string_view input) { return texts.number(input); };
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
    in.surfaceTreatment = treatment(texts.text("surfaceTreatment"), edition);
    in.edition = edition;
    return in;
}

}  // namespace morvane
