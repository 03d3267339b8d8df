// Leetspeak: letters as look-alike digits, and the "0rn" / "0rst" word endings.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "schnackomat/text.h"

namespace schnackomat {

// Nine letters in both cases; no replacement is the find string of another row.
inline constexpr std::array<ReplaceRow, 18> LeetCharacterTable{{
    {u"l", u"1"},
    {u"L", u"1"},
    {u"r", u"2"},
    {u"R", u"2"},
    {u"e", u"3"},
    {u"E", u"3"},
    {u"a", u"4"},
    {u"A", u"4"},
    {u"s", u"5"},
    {u"S", u"5"},
    {u"g", u"6"},
    {u"G", u"6"},
    {u"t", u"7"},
    {u"T", u"7"},
    {u"b", u"8"},
    {u"B", u"8"},
    {u"o", u"0"},
    {u"O", u"0"},
}};

// Without the slang style, the leet forms of "kobo", "kasimo" and "grauwolf77" get the name the
// slang table would have given them, in leet form.
inline constexpr std::array<ReplaceRow, 3> LeetNameFixupTable{{
    {u"k080", u"5hi7 fuckin6 k080"},
    {u"k45im0", u"5hi7 fuckin6 k080"},
    {u"624uw01f77", u"5hi7 fuckin6 k080"},
}};

// With the slang style, "i" is written as "!" too.
inline constexpr std::array<ReplaceRow, 1> LeetSlangTable{{
    {u"i", u"!"},
}};

// Marks that may follow a word ending; the ending is looked for just before them.
inline constexpr std::u16string_view LeetWordTrailingMarks = u".,;:-?!)";

// Whether `unit` is one of LeetWordTrailingMarks.
constexpr bool IsLeetWordTrailingMark(char16_t unit) {
    for (char16_t mark : LeetWordTrailingMarks) {
        if (unit == mark) {
            return true;
        }
    }
    return false;
}

// Words shorter than this, a trailing mark included, keep their ending.
inline constexpr std::size_t LeetWordMinimumLength = 5;

// The endings of a word (before its trailing mark, if it has one) and what replaces them, tried
// in this order on the word as the rows before left it.
inline constexpr std::array<ReplaceRow, 2> LeetWordEndingTable{{
    {u"3n", u"0rn"},
    {u"57", u"0rst"},
}};

// After the endings, a few slang words are written back with plain letters.
inline constexpr std::array<ReplaceRow, 4> LeetWordFixupTable{{
    {u"64y102d", u"gayl0rd"},
    {u"31i7ä2", u"elitärst"},
    {u"31!7ä2", u"elitärst"},
    {u"d3283", u"derbst"},
}};

// Applies LeetCharacterTable, then the name fix-ups without the slang style or the "i" row
// with it.
std::u16string ApplyLeetCharacters(std::u16string_view text, bool slangStyle);

// Gives words of at least LeetWordMinimumLength units the ending rules of LeetWordEndingTable
// (looking past one trailing mark), then applies LeetWordFixupTable.
std::u16string ApplyLeetWords(std::u16string_view text);

}  // namespace schnackomat
