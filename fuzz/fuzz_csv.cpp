// The CSV reader and writer on any bytes. What the reader takes from a text
// the writer writes back so that the reader takes the same again, with the
// same separator found in a header of two fields or more; a record never
// has no field; the reader stops at the end of the text or at a quote left
// open, which it names by a line that exists. The UTF-8 check finds the
// first bad byte: everything before it is well-formed, and the sequence
// that starts there is not.

#include "csv.h"
#include "fuzzcheck.h"

#include <algorithm>
#include <string>
#include <vector>

using fuzzcheck::require;

namespace {

using Records = std::vector<std::vector<std::string>>;

Records readAll(morvane::CsvReader &reader, bool &failed)
{
    Records records;
    std::vector<std::string_view> fields;
    while (reader.next(fields)) {
        require(!fields.empty(), "a record has a field");
        records.emplace_back(fields.begin(), fields.end());
    }
    failed = !reader.error().empty();
    return records;
}

std::string written(const Records &records, char separator)
{
    std::string out = morvane::kUtf8ByteOrderMark;
    for (const std::vector<std::string> &record : records)
        morvane::appendCsvRecord(out, {record.begin(), record.end()}, separator);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);

    const std::optional<std::size_t> bad = morvane::firstBadUtf8(text);
    require(!morvane::firstBadUtf8(text.substr(0, bad.value_or(size))), "the text before the first bad byte is UTF-8");
    if (bad) {
        // The sequence at the bad byte, with whatever follows, stays bad.
        require(morvane::firstBadUtf8(text.substr(*bad)) == 0, "the first bad byte starts a bad sequence");
    }

    morvane::CsvReader reader(text);
    bool failed = false;
    const Records records = readAll(reader, failed);
    if (failed) {
        const std::size_t lines = std::count(text.begin(), text.end(), '\n')
            + std::count(text.begin(), text.end(), '\r');
        require(reader.line() >= 1 && reader.line() <= lines + 1, "a quote left open is named by a line of the text");
        return 0;
    }
    const char separator = reader.separator();
    require(separator == ',' || separator == ';', "the separator is a comma or a semicolon");

    morvane::CsvReader again(written(records, separator), separator);
    bool failedAgain = false;
    require(readAll(again, failedAgain) == records && !failedAgain, "what is written is read back the same");

    if (!records.empty() && records.front().size() >= 2) {
        morvane::CsvReader found(written(records, separator));
        require(found.separator() == separator && found.hadByteOrderMark(), "the separator is found again");
    }
    return 0;
}
