// Replacing strings, splitting and lower-casing.
#include "schnackomat/text.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace schnackomat {
namespace {

constexpr std::size_t npos = std::u16string_view::npos;

struct LowerCaseRange {
    char16_t First;
    char16_t Last;
    std::uint8_t Step;
    std::int32_t Offset;
};

#include "lowercase_table.inc"

// ToLower looks a unit's range up by its start.
static_assert(std::adjacent_find(LowerCaseRanges.begin(), LowerCaseRanges.end(),
                                 [](const LowerCaseRange& before, const LowerCaseRange& next) {
                                     return next.First <= before.Last;
                                 }) == LowerCaseRanges.end(),
              "the ranges come in order and do not overlap");

}  // namespace

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view find,
                          std::u16string_view replacement) {
    std::size_t match = find.empty() ? npos : text.find(find);
    if (match == npos) {
        return std::u16string(text);
    }
    std::u16string result;
    result.reserve(replacement.size() > find.size() ? text.size() + text.size() / 4 : text.size());
    std::size_t copied = 0;
    while (match != npos) {
        result.append(text, copied, match - copied);
        result.append(replacement);
        copied = match + find.size();
        match = text.find(find, copied);
    }
    result.append(text, copied);
    return result;
}

std::vector<std::u16string_view> SplitPieces(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string_view> pieces;
    if (text.empty()) {
        return pieces;
    }
    pieces.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), separator)) + 1);
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == separator) {
            pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

char16_t ToLower(char16_t unit) {
    if (unit < 0x80) {
        return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit;
    }
    // The last range that starts at or before the unit, if the unit is one of its steps.
    const auto after =
        std::upper_bound(LowerCaseRanges.begin(), LowerCaseRanges.end(), unit,
                         [](char16_t u, const LowerCaseRange& range) { return u < range.First; });
    if (after == LowerCaseRanges.begin()) {
        return unit;
    }
    const LowerCaseRange& range = *(after - 1);
    if (unit > range.Last || (unit - range.First) % range.Step != 0) {
        return unit;
    }
    return static_cast<char16_t>(unit + range.Offset);
}

std::u16string ToLower(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& unit : lower) {
        unit = ToLower(unit);
    }
    return lower;
}

}  // namespace schnackomat
