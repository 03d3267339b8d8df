// What every conversion stage works with. A text is a string of 16-bit units (std::u16string);
// the stages replace strings, row after row of a table, split a text into pieces and join them
// again, and lower-case it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace schnackomat {

// One row of a replacement table: every occurrence of Find becomes Replacement.
struct ReplaceRow {
    std::u16string_view Find;
    std::u16string_view Replacement;
};

// Replaces every non-overlapping occurrence of `find`, scanning from the left, by `replacement`;
// the inserted text is not scanned again. An empty `find` occurs nowhere.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view find,
                          std::u16string_view replacement);

// Applies the rows of `table` in order, each with ReplaceAll on what the rows before it left, so
// that a later row can match what an earlier one wrote. (It takes many rows in one pass over the
// text where that gives the same text; see engine/src/prepared_table.h.)
std::u16string ApplyTable(std::u16string_view text, std::span<const ReplaceRow> table);

// The pieces between the occurrences of `separator`: none for the empty text, one for a text
// without it, an empty piece between two separators in a row. The pieces view `text`.
std::vector<std::u16string_view> SplitPieces(std::u16string_view text, char16_t separator);

// Puts exactly one `separator` between neighbouring pieces, so that joining the pieces of a split
// gives the text back.
template <typename Piece>
std::u16string JoinPieces(const std::vector<Piece>& pieces, char16_t separator) {
    std::size_t length = pieces.empty() ? 0 : pieces.size() - 1;
    for (const Piece& piece : pieces) {
        length += std::u16string_view(piece).size();
    }
    std::u16string joined(length, separator);
    std::size_t at = 0;
    for (const Piece& piece : pieces) {
        const std::u16string_view units(piece);
        std::copy(units.begin(), units.end(), joined.begin() + static_cast<std::ptrdiff_t>(at));
        at += units.size() + 1;  // past the separator after it
    }
    return joined;
}

// Maps one unit by the simple (one-to-one) Unicode lower-case mapping. Surrogates and units
// without a lower-case form map to themselves.
char16_t ToLower(char16_t unit);

// Lower-cases every unit of `text` with ToLower.
std::u16string ToLower(std::u16string_view text);

// True when `text` ends with `suffix`.
constexpr bool EndsWith(std::u16string_view text, std::u16string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace schnackomat
