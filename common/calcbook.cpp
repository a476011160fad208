#include "calcbook.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace morvane {

std::string bookTitle(const CalcBook &book)
{
    // "端板厚度计算器" and "摩擦型高强螺栓连接计算" give "端板厚度计算书" and
    // "摩擦型高强螺栓连接计算书", not "…计算器计算书" or "…计算计算书".
    std::string name = book.calculator;
    for (const std::string ending : {"计算器", "计算"}) {
        if (name.size() > ending.size() && name.ends_with(ending)) {
            name.erase(name.size() - ending.size());
            break;
        }
    }
    return name + "计算书";
}

const char *verdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Satisfied: return "满足";
    case Verdict::NotSatisfied: return "不满足";
    case Verdict::None: break;
    }
    return "";
}

namespace {

std::string escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}


// "74.5738636363636 kN", "0.45", "八排".
std::string withUnit(const std::string &value, const std::string &unit)
{
    return unit.empty() || value.empty() ? value : value + " " + unit;
}

// "Nt1 最外排螺栓的拉力", or either alone.
std::string quantity(const std::string &symbol, const std::string &name)
{
    if (symbol.empty())
        return name;
    return name.empty() ? symbol : symbol + " " + name;
}

// The check line of a step: "Nt1 = 74.57 kN < 0.8P = 0.8×155 kN，满足".
std::string checkLine(const BookStep &step)
{
    std::string line = step.comparison;
    if (step.verdict != Verdict::None)
        line += (line.empty() ? "" : "，") + std::string(verdictText(step.verdict));
    return line;
}

std::string resultLine(const BookStep &step)
{
    if (step.value.empty())
        return {};
    return (step.symbol.empty() ? "" : step.symbol + " = ") + withUnit(step.value, step.unit);
}

// Columns a text takes in a fixed-width font: East Asian wide characters
// and the full-width forms take two, everything else one.
std::size_t columns(std::string_view utf8)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        char32_t code = lead;
        int length = 1;
        if (lead >= 0xF0) {
            code = lead & 0x07;
            length = 4;
        } else if (lead >= 0xE0) {
            code = lead & 0x0F;
            length = 3;
        } else if (lead >= 0xC0) {
            code = lead & 0x1F;
            length = 2;
        }
        for (int k = 1; k < length && i + k < utf8.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF)
            || (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF)
            || (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60)
            || (code >= 0xFFE0 && code <= 0xFFE6) || code >= 0x20000;
        width += wide ? 2 : 1;
    }
    return width;
}

std::string padded(const std::string &text, std::size_t width)
{
    const std::size_t used = columns(text);
    return text + std::string(used < width ? width - used : 0, ' ');
}

// The 结论 section: the verdict of each check ("螺栓抗拉承载力验算：满足"),
// the verdict sentences the window shows, the closing sentence; or why
// there is no result.
std::vector<std::string> conclusionLines(const CalcBook &book)
{
    std::vector<std::string> lines;
    for (const BookStep &step : book.steps) {
        if (step.verdict != Verdict::None)
            lines.push_back(quantity(step.symbol, step.name) + "：" + verdictText(step.verdict));
    }
    lines.insert(lines.end(), book.verdicts.begin(), book.verdicts.end());
    if (!book.conclusion.empty())
        lines.push_back(book.conclusion);
    if (!book.note.empty())
        lines.push_back(book.note);
    return lines;
}

}  // namespace

std::string bookHtml(const CalcBook &book, const BookHeader &header)
{
    std::string h;
    h += "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + escaped(bookTitle(book))
        + "</title>\n<style>\n"
          "body { font-size: 9pt; }\n"
          "h1 { font-size: 15pt; text-align: center; margin-bottom: 2pt; }\n"
          "h2 { font-size: 11pt; margin-top: 8pt; margin-bottom: 3pt; }\n"
          "p.stamp { text-align: center; color: #444444; margin-top: 0; }\n"
          "table { border-collapse: collapse; width: 100%; }\n"
          "th, td { border: 1px solid #888888; padding: 3pt; vertical-align: top; text-align: left; }\n"
          "th { background-color: #eeeeee; }\n"
          "td.check { background-color: #f7f7f7; }\n"
          "p.verdict { white-space: pre-wrap; }\n"
          "p.program { color: #444444; font-size: 8pt; margin-top: 10pt; }\n"
          "</style>\n</head>\n<body>\n";
    h += "<h1>" + escaped(bookTitle(book)) + "</h1>\n";
    if (header.hasProject()) {
        const auto cell = [](const char *name, const std::string &value, const char *span = "") {
            return std::string("<th>") + name + "</th><td" + span + ">" + escaped(value) + "</td>";
        };
        h += "<table class=\"project\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n<tr>"
            + cell("工程名称", header.projectName, " colspan=\"3\"") + cell("工程编号", header.projectNumber)
            + "</tr>\n<tr>" + cell("构件/节点", header.member, " colspan=\"3\"") + cell("计算时间", header.dateTime)
            + "</tr>\n<tr>" + cell("设计", header.designer) + cell("校对", header.checker)
            + cell("审核", header.approver) + "</tr>\n</table>\n";
    } else {
        h += "<p class=\"stamp\">计算时间：" + escaped(header.dateTime) + "</p>\n";
    }
    if (!book.edition.empty())
        h += "<p class=\"stamp\">设计规范：" + escaped(book.edition) + "</p>\n";

    h += "<h2>一、输入数据</h2>\n"
         "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n"
         "<tr><th width=\"8%\">符号</th><th width=\"50%\">名称</th><th width=\"30%\">数值</th><th "
         "width=\"12%\">单位</th></tr>\n";
    for (const BookInput &in : book.inputs)
        h += "<tr><td>" + escaped(in.symbol) + "</td><td>" + escaped(in.name) + "</td><td>" + escaped(in.value)
            + "</td><td>" + escaped(in.unit) + "</td></tr>\n";
    h += "</table>\n";

    int section = 2;
    const char *sections[] = {"", "一", "二", "三", "四"};
    if (!book.steps.empty()) {
        h += "<h2>" + std::string(sections[section++])
            + "、计算过程</h2>\n"
              "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n"
              "<tr><th width=\"5%\">序号</th><th width=\"16%\">计算项目</th><th width=\"21%\">计算公式</th>"
              "<th width=\"24%\">代入数值</th><th width=\"21%\">计算结果</th><th width=\"13%\">依据</th></tr>\n";
        int number = 1;
        for (const BookStep &step : book.steps) {
            h += "<tr><td>" + std::to_string(number++) + "</td><td>" + escaped(quantity(step.symbol, step.name))
                + "</td><td>" + escaped(step.formula) + "</td><td>" + escaped(step.substituted) + "</td><td>"
                + escaped(resultLine(step)) + "</td><td>" + escaped(step.source) + "</td></tr>\n";
            const std::string check = checkLine(step);
            if (!check.empty())
                h += "<tr><td></td><td colspan=\"5\" class=\"check\">验算：" + escaped(check) + "</td></tr>\n";
        }
        h += "</table>\n";
    }

    const std::vector<std::string> conclusion = conclusionLines(book);
    if (!conclusion.empty()) {
        h += "<h2>" + std::string(sections[section++]) + "、结论</h2>\n";
        for (const std::string &line : conclusion)
            h += "<p class=\"verdict\">" + escaped(line) + "</p>\n";
    }

    h += "<p class=\"program\">本计算书由 " + escaped(header.program) + " 生成。</p>\n</body>\n</html>\n";
    return h;
}

std::string bookPlainText(const CalcBook &book, const BookHeader &header)
{
    std::string t;
    t += bookTitle(book) + "\n";
    if (header.hasProject()) {
        t += "工程名称：" + header.projectName + "\n工程编号：" + header.projectNumber + "\n构件/节点：" + header.member
            + "\n设计：" + header.designer + "  校对：" + header.checker + "  审核：" + header.approver + "\n";
    }
    t += "计算时间：" + header.dateTime + "\n";
    if (!book.edition.empty())
        t += "设计规范：" + book.edition + "\n";
    t += "\n";

    t += "一、输入数据\n";
    std::size_t symbolWidth = 0, nameWidth = 0;
    for (const BookInput &in : book.inputs) {
        symbolWidth = std::max(symbolWidth, columns(in.symbol));
        nameWidth = std::max(nameWidth, columns(in.name));
    }
    for (const BookInput &in : book.inputs) {
        std::string line = "  ";
        if (symbolWidth > 0)
            line += padded(in.symbol, symbolWidth) + "  ";
        line += padded(in.name, nameWidth) + "  " + withUnit(in.value, in.unit);
        t += line + "\n";
    }

    int section = 2;
    const char *sections[] = {"", "一", "二", "三", "四"};
    if (!book.steps.empty()) {
        t += "\n";
        t += sections[section++];
        t += "、计算过程\n";
        int number = 1;
        for (const BookStep &step : book.steps) {
            t += std::to_string(number++) + ". " + quantity(step.symbol, step.name) + "\n";
            auto line = [&t](const char *label, const std::string &text) {
                if (!text.empty())
                    t += std::string("   ") + label + "：" + text + "\n";
            };
            line("公式", step.formula);
            line("代入", step.substituted);
            line("结果", resultLine(step));
            line("验算", checkLine(step));
            line("依据", step.source);
        }
    }

    const std::vector<std::string> conclusion = conclusionLines(book);
    if (!conclusion.empty()) {
        t += "\n";
        t += sections[section++];
        t += "、结论\n";
        for (const std::string &line : conclusion)
            t += line + "\n";
    }

    t += "\n本计算书由 " + header.program + " 生成。\n";
    return t;
}

std::string stepTooltip(const BookStep &step)
{
    std::string t;
    auto line = [&t](const char *label, const std::string &text) {
        if (text.empty())
            return;
        if (!t.empty())
            t += "\n";
        t += std::string(label) + "：" + text;
    };
    line("公式", step.formula);
    line("代入", step.substituted);
    line("结果", resultLine(step));
    line("验算", checkLine(step));
    line("依据", step.source);
    return t;
}

}  // namespace morvane
