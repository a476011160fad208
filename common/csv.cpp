#include "csv.h"

#include "bytecopy.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
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

namespace {

// True when the bytes hold a comma, a semicolon, a quote or a line break:
// eight at a time (a byte equal to c makes a zero byte of word ^ c...c,
// which (x - 1...1) & ~x & 80...80 finds), the last few one by one.
bool holdsSpecial(const char *from, const char *end)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
    const auto holdsZeroByte = [](std::uint64_t x) { return (x - kOnes) & ~x & kHighs; };
    for (; end - from >= 8; from += 8) {
        std::uint64_t word;
        std::memcpy(&word, from, sizeof word);
        if (holdsZeroByte(word ^ (kOnes * ',')) | holdsZeroByte(word ^ (kOnes * ';'))
            | holdsZeroByte(word ^ (kOnes * '"')) | holdsZeroByte(word ^ (kOnes * '\r'))
            | holdsZeroByte(word ^ (kOnes * '\n')))
            return true;
    }
    static constexpr auto kSpecial = [] {
        std::array<bool, 256> special{};
        for (const unsigned char c : {',', ';', '"', '\r', '\n'})
            special[c] = true;
        return special;
    }();
    for (; from < end; ++from) {
        if (kSpecial[static_cast<unsigned char>(*from)])
            return true;
    }
    return false;
}

}  // namespace

void appendCsvRecord(std::string &out, const std::vector<std::string_view> &fields, char separator)
{
    // Written in place: room for every field quoted with each byte a quote, then cut to what was written.
    std::size_t most = 2;
    for (const std::string_view field : fields)
        most += 2 * field.size() + 3;
    const std::size_t start = out.size();
    out.resize(start + most);
    char *to = out.data() + start;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            *to++ = separator;
        const char *from = fields[i].data();
        const char *const end = from + fields[i].size();
        if (!holdsSpecial(from, end)) {
            copyBytes(to, from, fields[i].size());  // as it is
            to += fields[i].size();
            continue;
        }
        // Quoted, each quote written twice.
        *to++ = '"';
        while (from < end) {
            const void *quote = std::memchr(from, '"', std::size_t(end - from));
            const char *const next = quote ? static_cast<const char *>(quote) + 1 : end;
            copyBytes(to, from, std::size_t(next - from));
            to += next - from;
            if (quote)
                *to++ = '"';  // the quote again
            from = next;
        }
        *to++ = '"';
    }
    *to++ = '\r';
    *to++ = '\n';
    out.resize(std::size_t(to - out.data()));
}

}  // namespace morvane
