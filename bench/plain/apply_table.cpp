// ApplyTable in its plain form, row after row over the whole text, for measuring what the
// engine's table applier buys.
#include "schnackomat/reference/reference.h"

namespace schnackomat {

std::u16string ApplyTable(std::u16string_view text, std::span<const ReplaceRow> table) {
    return reference::ApplyTable(text, table);
}

}  // namespace schnackomat
