#include "schnackomat/reference/reference.h"

namespace schnackomat::reference {

std::u16string ApplyTable(std::u16string_view text, std::span<const ReplaceRow> table) {
    std::u16string current(text);
    for (const ReplaceRow& row : table) {
        current = ReplaceAll(current, row.Find, row.Replacement);
    }
    return current;
}

}  // namespace schnackomat::reference
