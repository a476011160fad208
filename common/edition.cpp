#include "edition.h"

namespace morvane {

const char *editionKey(Edition edition) { return edition == Edition::Current ? "current" : "original"; }

std::optional<Edition> editionFromKey(std::string_view key)
{
    if (key == "original")
        return Edition::Original;
    if (key == "current")
        return Edition::Current;
    return std::nullopt;
}

const char *editionTitle(Edition edition)
{
    return edition == Edition::Current ? "现行规范（GB 50017-2017、GB 51022-2015）"
                                       : "原规范（GB 50017-2003、CECS 102:2002）";
}

}  // namespace morvane
