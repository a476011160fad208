#include "boltgrade.h"

#include <array>

namespace morvane {

int boltPretension(std::string_view boltSize, BoltGrade grade)
{
    struct Row {
        std::string_view size;
        int grade8_8;   // kN
        int grade10_9;  // kN
    };
    static constexpr std::array<Row, 6> table{{
        {"M16", 80, 100},
        {"M20", 125, 155},
        {"M22", 150, 190},
        {"M24", 175, 225},
        {"M27", 230, 290},
        {"M30", 280, 355},
    }};
    for (const Row &row : table) {
        if (row.size == boltSize)
            return grade == BoltGrade::Grade8_8 ? row.grade8_8 : row.grade10_9;
    }
    return 0;
}

}  // namespace morvane
