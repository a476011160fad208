#pragma once
// The two editions of the design codes the steel calculators follow: the
// original one (GB 50017-2003, CECS 102:2002) and the current one
// (GB 50017-2017, GB 51022-2015). The pile group and column calculators are
// the same under both.

#include <optional>
#include <string_view>

namespace morvane {

enum class Edition : unsigned char { Original, Current };

// The edition's key in a calculation file and on the command line: "original", "current".
const char *editionKey(Edition edition);
std::optional<Edition> editionFromKey(std::string_view key);

// The edition as the menu "设计规范" names it.
const char *editionTitle(Edition edition);

}  // namespace morvane
