// Opening a calculation file: any bytes end in one refusal or in a text for
// every input of the window, each one its input can show; the same bytes
// always end the same way, and the window's inputs are never touched.
// The window is the bolt connection window as its table describes it: boxes,
// a key-proof list, an option group, a typed list. The first byte chooses
// the edition the window computes by; the rest are the file.

#include "calculationfile.h"
#include "fuzzcheck.h"

using fuzzcheck::require;

namespace {

morvane::WindowInputs boltWindow(bool current)
{
    using morvane::InputRule;
    morvane::WindowInputs window{"bolt-connection", current ? "current" : "original", {}, {}};
    auto add = [&window](const char *name, const char *value, QStringList choices = {}, bool only = false) {
        InputRule rule;
        rule.name = rule.title = QString::fromUtf8(name);
        rule.onlyChoices = only;
        rule.choices = choices;
        window.rules << rule;
        window.defaults.insert(rule.name, QString::fromUtf8(value));
    };
    for (const char *box : {"e1", "e2", "e3", "ef", "ew", "tw", "M", "V", "amplification"})
        add(box, "40");
    add("rows", "八排", {"四排", "六排", "八排"}, true);
    add("boltGrade", "10.9级", {"8.8级", "Option1", "10.9级", "Option2"}, true);
    add("boltSize", "M20");
    add("steelGrade", "Q235");
    return window;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const morvane::WindowInputs window = boltWindow(data[0] & 1);
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const morvane::CalculationLoading loading = morvane::decideLoading(bytes, window);

    const morvane::CalculationLoading again = morvane::decideLoading(bytes, window);
    require(again.texts == loading.texts && again.refusal == loading.refusal && again.notice == loading.notice,
            "the same bytes, the same end");
    const morvane::WindowInputs untouched = boltWindow(data[0] & 1);
    require(window.defaults == untouched.defaults && window.rules.size() == untouched.rules.size(),
            "the window's inputs as they were");

    const morvane::CalculationReading reading = morvane::readCalculation(bytes);
    if (!loading.loaded()) {
        require(loading.texts.isEmpty() && loading.notice.isEmpty() && loading.defaulted.isEmpty(),
                "a refusal and nothing else");
        require(reading.calculation || loading.refusal == reading.refusal, "the reader's own refusal");
        return 0;
    }
    require(reading.calculation.has_value(), "loaded only what the reader read");
    require(loading.texts.keys() == window.defaults.keys(), "a text for every input and no other");
    for (const morvane::InputRule &rule : window.rules) {
        const QString &text = loading.texts.value(rule.name);
        require(text.size() <= rule.maxLength, "a text its box can hold", rule.name.toStdString());
        require(!rule.onlyChoices || rule.choices.contains(text), "a text its list can show", rule.name.toStdString());
        if (loading.defaulted.contains(rule.name))
            require(text == window.defaults.value(rule.name), "an input this edition lacks at its default");
    }
    const bool sameEdition = reading.calculation->edition == window.edition;
    require(sameEdition == loading.notice.isEmpty(), "a notice exactly for the other edition");
    require(!sameEdition || loading.defaulted.isEmpty(), "nothing left at its default under the file's own edition");
    return 0;
}
