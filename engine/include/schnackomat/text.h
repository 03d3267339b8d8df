// Text primitives shared by every conversion stage.
//
// A text is a string of 16-bit units (std::u16string). Every stage is built from the same few
// operations: replace every occurrence of a string, apply an ordered table of such replacements,
// lower-case the whole text, and split a text at a one-character separator.
#pragma once

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

// Replaces every non-overlapping occurrence of `find`, scanning from left to right, by
// `replacement`. Matching is case-sensitive and by plain substring; the inserted text is not
// scanned again. An empty `find` matches nothing. Linear in the length of `text`.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view find,
                          std::u16string_view replacement);

// Applies the rows of `table` one after the other, each to the result of the rows before it,
// so a later row can match what an earlier row wrote.
std::u16string ApplyTable(std::u16string_view text, std::span<const ReplaceRow> table);

// Maps one unit by the simple (one-to-one) Unicode lower-case mapping. Surrogates and units
// without a lower-case form map to themselves.
char16_t ToLower(char16_t unit);

// Lower-cases every unit of `text` with ToLower.
std::u16string ToLower(std::u16string_view text);

// Splits `text` at every occurrence of `separator`. An empty text gives no pieces, a text
// without the separator gives one piece, and two separators in a row give an empty piece between
// them, so JoinPieces(SplitPieces(t, c), c) == t for every t. The views point into `text`.
std::vector<std::u16string_view> SplitPieces(std::u16string_view text, char16_t separator);

// Joins `pieces` with exactly one `separator` between neighbouring pieces.
template <typename Piece>
std::u16string JoinPieces(const std::vector<Piece>& pieces, char16_t separator) {
    std::size_t length = pieces.empty() ? 0 : pieces.size() - 1;
    for (const auto& piece : pieces) {
        length += std::u16string_view(piece).size();
    }
    std::u16string joined;
    joined.reserve(length);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i != 0) {
            joined += separator;
        }
        joined += std::u16string_view(pieces[i]);
    }
    return joined;
}

// True when `text` ends with `suffix`.
constexpr bool EndsWith(std::u16string_view text, std::u16string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace schnackomat
