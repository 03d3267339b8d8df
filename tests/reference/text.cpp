#include "schnackomat/reference/reference.h"

#include "schnackomat/text.h"

#include <array>
#include <cstdint>

namespace schnackomat::reference {
namespace {

#include "lowercase_table.inc"  // the engine's generated table

}  // namespace

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view find,
                          std::u16string_view replacement) {
    std::size_t match = find.empty() ? std::u16string_view::npos : text.find(find);
    if (match == std::u16string_view::npos) {
        return std::u16string(text);
    }
    std::u16string result;
    result.reserve(replacement.size() > find.size() ? text.size() + text.size() / 4 : text.size());
    std::size_t copied = 0;
    while (match != std::u16string_view::npos) {
        result.append(text, copied, match - copied);
        result.append(replacement);
        copied = match + find.size();
        match = text.find(find, copied);
    }
    result.append(text, copied);
    return result;
}

std::u16string ApplyTable(std::u16string_view text, std::span<const ReplaceRow> table) {
    std::u16string current(text);
    for (const ReplaceRow& row : table) {
        current = ReplaceAll(current, row.Find, row.Replacement);
    }
    return current;
}

char16_t ToLower(char16_t unit) {
    const std::uint8_t block = LowercaseBlockIndex[unit >> 8];
    return block == 0 ? unit : LowercaseBlocks[block - 1][unit & 0xFF];
}

std::u16string ToLower(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& unit : lower) {
        unit = ToLower(unit);
    }
    return lower;
}

std::vector<std::u16string_view> SplitPieces(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string_view> pieces;
    if (text.empty()) {
        return pieces;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::u16string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace schnackomat::reference
