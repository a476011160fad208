#pragma once
// Comma-separated values as spreadsheets write them (RFC 4180): fields
// separated by a comma or a semicolon, records by CR LF, LF or CR; a field
// in double quotes may hold the separator, line breaks and quotes written
// twice. Standard library only.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

inline constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

// The offset of the first byte that is not well-formed UTF-8 (an overlong
// form, a surrogate, beyond U+10FFFF, a sequence cut short); none when all is.
std::optional<std::size_t> firstBadUtf8(std::string_view text);

class CsvReader
{
public:
    // Reads from the bytes of a file, a UTF-8 byte order mark at their start
    // passed by. The separator is the one given, else the one of the header
    // (the first record): a semicolon when it holds more semicolons than
    // commas outside quotes, otherwise a comma.
    explicit CsvReader(std::string bytes, std::optional<char> separator = std::nullopt);

    bool hadByteOrderMark() const { return byteOrderMark_; }
    char separator() const { return separator_; }

    // The fields of the next record; false at the end of the text, or when
    // the record cannot be read (then error() says why). The fields stay
    // valid as long as the reader. An empty line is a record of one empty
    // field. Lenient where spreadsheets are: a quote inside an unquoted
    // field is a quote, and text after a closing quote belongs to its field.
    bool next(std::vector<std::string_view> &fields);

    // Why the last record could not be read: a quoted field left open to
    // the end of the text. Empty when nothing went wrong.
    const std::string &error() const { return error_; }
    // The line (from 1) on which the last record read begins.
    std::size_t line() const { return recordLine_; }

private:
    std::string text_;
    std::size_t position_ = 0;
    std::size_t line_ = 1;
    std::size_t recordLine_ = 0;
    char separator_ = ',';
    bool byteOrderMark_ = false;
    std::string error_;
};

// Appends one record: its fields separated by `separator`, then CR LF. A
// field is quoted when it holds a comma, a semicolon, a quote or a line
// break, so that a reader finds the same fields, and the same separator in
// a header of two fields or more.
void appendCsvRecord(std::string &out, const std::vector<std::string_view> &fields, char separator);

}  // namespace morvane
