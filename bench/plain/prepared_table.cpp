// Prepared tables in their plain form, row after row over the whole text, for measuring what the
// engine's table applier buys.
#include "prepared_table.h"
#include "schnackomat/reference/reference.h"

namespace schnackomat {

PreparedTable::PreparedTable(std::span<const ReplaceRow> table) {
    groups_.push_back({table, false, nullptr});
}

std::u16string PreparedTable::Apply(std::u16string_view text) const {
    return reference::ApplyTable(text, groups_.front().Rows);
}

std::u16string ApplyTable(std::u16string_view text, std::span<const ReplaceRow> table) {
    return reference::ApplyTable(text, table);
}

}  // namespace schnackomat
