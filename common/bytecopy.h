#pragma once
// Copying a few bytes without a call into the C library, which the batch
// does for every field of every row. Standard library only.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace morvane {

// Copies `count` bytes between places that do not overlap: up to 32 of them
// by a few fixed-size moves, which compile to as many instructions, more
// by std::memcpy.
inline void copyBytes(char *to, const char *from, std::size_t count)
{
    const auto move = [to, from](std::size_t at, auto word) {
        std::memcpy(&word, from + at, sizeof word);
        std::memcpy(to + at, &word, sizeof word);
    };
    if (count > 32) {
        std::memcpy(to, from, count);
    } else if (count >= 16) {  // the first and the last sixteen
        move(0, std::uint64_t());
        move(8, std::uint64_t());
        move(count - 16, std::uint64_t());
        move(count - 8, std::uint64_t());
    } else if (count >= 8) {
        move(0, std::uint64_t());
        move(count - 8, std::uint64_t());
    } else if (count >= 4) {
        move(0, std::uint32_t());
        move(count - 4, std::uint32_t());
    } else if (count >= 2) {
        move(0, std::uint16_t());
        move(count - 2, std::uint16_t());
    } else if (count == 1) {
        *to = *from;
    }
}

}  // namespace morvane
