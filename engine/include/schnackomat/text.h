// What every conversion stage works with. A text is a string of 16-bit units (std::u16string);
// the stages are tables of replacements, applied in order, and the lower-casing of a text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace schnackomat {

// One row of a replacement table: every occurrence of Find becomes Replacement.
struct ReplaceRow {
    std::u16string_view Find;
    std::u16string_view Replacement;
};

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
