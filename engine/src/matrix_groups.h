// The groups of the Matrix code as both directions read them.
#pragma once

#include <cstddef>
#include <string_view>

#include "schnackomat/matrix.h"

namespace schnackomat::matrix {

inline constexpr std::size_t GroupLength = 6;  // five binary digits and a space
inline constexpr int SpaceValue = 30;
inline constexpr int ZeroValue = 31;

// The value of the group that `units` starts with, or -1 when they do not start with one.
constexpr int GroupValue(std::u16string_view units) {
    if (units.size() < GroupLength || units[GroupLength - 1] != u' ') {
        return -1;
    }
    int value = 0;
    for (std::size_t k = 0; k + 1 < GroupLength; ++k) {
        if (units[k] != u'0' && units[k] != u'1') {
            return -1;
        }
        value = value * 2 + (units[k] - u'0');
    }
    return value;
}

// The table holds the characters of the values 1 to 29 in order, each below 256, and every
// group is six units long.
constexpr bool GroupsInValueOrder() {
    for (std::size_t k = 0; k < MatrixCodeTable.size(); ++k) {
        if (GroupValue(MatrixCodeTable[k].Group) != static_cast<int>(k + 1) ||
            MatrixCodeTable[k].Group.size() != GroupLength || MatrixCodeTable[k].Character >= 256) {
            return false;
        }
    }
    return GroupValue(MatrixMarkerGroup) == 0 && MatrixMarkerGroup.size() == GroupLength &&
           GroupValue(MatrixSpaceGroup) == SpaceValue && MatrixSpaceGroup.size() == GroupLength &&
           GroupValue(MatrixZeroGroup) == ZeroValue && MatrixZeroGroup.size() == GroupLength;
}
static_assert(GroupsInValueOrder());

}  // namespace schnackomat::matrix
