#include "csv.h"

#include <algorithm>
#include <array>
#include <utility>

namespace morvane {

namespace {

bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

// The separator of the header: the more frequent of ';' and ',' outside
// quotes before the header's line ends; a comma on a tie.
char headerSeparator(std::string_view text)
{
    std::size_t commas = 0, semicolons = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && isLineBreak(c))
            break;
        else if (!quoted && c == ',')
            ++commas;
        else if (!quoted && c == ';')
            ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

}  // namespace

std::optional<std::size_t> firstBadUtf8(std::string_view text)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = byte(i);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length;
        unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;  // not overlong
            else if (lead == 0xED)
                high = 0x9F;  // not a surrogate
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;  // not beyond U+10FFFF
        } else {
            return i;
        }
        if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high)
            return i;
        for (std::size_t k = 2; k < length; ++k) {
            if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
                return i;
        }
        i += length;
    }
    return std::nullopt;
}

CsvReader::CsvReader(std::string bytes, std::optional<char> separator)
    : text_(std::move(bytes))
{
    if (std::string_view(text_).starts_with(kUtf8ByteOrderMark)) {
        byteOrderMark_ = true;
        position_ = 3;
    }
    separator_ = separator ? *separator : headerSeparator(std::string_view(text_).substr(position_));
}

bool CsvReader::next(std::vector<std::string_view> &fields)
{
    fields.clear();
    if (position_ >= text_.size() || !error_.empty())
        return false;
    recordLine_ = line_;
    char *const text = text_.data();
    const std::size_t size = text_.size();
    std::size_t &at = position_;
    for (;;) {
        std::size_t start = at;
        if (at < size && text[at] == '"') {
            // Quoted: the field is written back over its own bytes, without
            // the quotes and with each doubled quote single; it never grows.
            std::size_t to = at;
            for (++at;; ++at) {
                if (at >= size) {
                    error_ = "第" + std::to_string(recordLine_) + "行的引号没有闭合";
                    fields.clear();
                    return false;
                }
                const char c = text[at];
                if (c == '"') {
                    if (at + 1 < size && text[at + 1] == '"') {
                        text[to++] = '"';
                        ++at;
                        continue;
                    }
                    ++at;
                    break;
                }
                if (c == '\n' || (c == '\r' && (at + 1 >= size || text[at + 1] != '\n')))
                    ++line_;
                text[to++] = c;
            }
            while (at < size && text[at] != separator_ && !isLineBreak(text[at]))
                text[to++] = text[at++];
            fields.emplace_back(text + start, to - start);
        } else {
            while (at < size && text[at] != separator_ && !isLineBreak(text[at]))
                ++at;
            fields.emplace_back(text + start, at - start);
        }
        if (at >= size)
            return true;
        if (text[at] == separator_) {
            ++at;
            continue;
        }
        // A line break ends the record: CR LF, LF or CR.
        if (text[at] == '\r' && at + 1 < size && text[at + 1] == '\n')
            ++at;
        ++at;
        ++line_;
        return true;
    }
}

void appendCsvField(std::string &out, std::string_view field)
{
    static constexpr auto kSpecial = [] {
        std::array<bool, 256> special{};
        for (const unsigned char c : {',', ';', '"', '\r', '\n'})
            special[c] = true;
        return special;
    }();
    if (std::ranges::none_of(field, [](char c) { return kSpecial[static_cast<unsigned char>(c)]; })) {
        out += field;
        return;
    }
    // Quoted, each quote written twice.
    out += '"';
    for (std::size_t quote; (quote = field.find('"')) != std::string_view::npos; field.remove_prefix(quote + 1)) {
        out.append(field.data(), quote + 1);
        out += '"';  // the quote again
    }
    out += field;
    out += '"';
}

void appendCsvRecord(std::string &out, const std::vector<std::string_view> &fields, char separator)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += separator;
        appendCsvField(out, fields[i]);
    }
    out += "\r\n";
}

}  // namespace morvane
