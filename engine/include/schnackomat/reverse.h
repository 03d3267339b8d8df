// The reverse stages: slang text back to German.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "schnackomat/text.h"

namespace schnackomat {

// Digits back to letters; there is no row for "9". The last row, "!" to "i", runs only with
// the slang style.
inline constexpr std::array<ReplaceRow, 9> RestoreLeetCharacterTable{{
    {u"1", u"l"},
    {u"2", u"r"},
    {u"3", u"e"},
    {u"4", u"a"},
    {u"5", u"s"},
    {u"6", u"g"},
    {u"7", u"t"},
    {u"8", u"b"},
    {u"0", u"o"},
}};
inline constexpr std::array<ReplaceRow, 1> RestoreLeetSlangTable{{
    {u"!", u"i"},
}};

// A word ending in this (before one trailing mark of LeetWordTrailingMarks, if it has one) gets
// the German ending back.
inline constexpr ReplaceRow RestoreLeetWordEnding{u"orn", u"en"};

// Rows 1 to 24 slang words, 25 to 33 names, 34 to 37 phrases, 38 to 43 interjections deleted,
// 44 to 49 letter pairs swapped back. The order matters ("leet" before "geleetet", "shit
// fucking kobo" before "shit fucking kobo hüdde", the swaps after everything else).
inline constexpr std::array<ReplaceRow, 49> ReverseSlangTable{{
    {u"paaardy", u"party"},
    {u"shice (shit fucking kobo style)", u"scheiße"},
    {u"standard", u"normal"},
    {u"kk", u"ok"},
    {u"jo", u"ja"},
    {u"leet", u"cool"},
    {u"bidde", u"bitte"},
    {u"proggy", u"programm"},
    {u"noob", u"penner"},
    {u"gaylord", u"schwuchtel"},
    {u"komplexiziert", u"kompliziert"},
    {u"elitärst", u"geil"},
    {u"geleetet", u"besser"},
    {u"nope", u"nein"},
    {u"wiedaa", u"wieder"},
    {u"wuuuh!", u"sammal"},
    {u"suspekt", u"komisch"},
    {u"nich", u"nicht"},
    {u"tolls", u"toll"},
    {u"is", u"ist"},
    {u"behindert", u"dumm"},
    {u"derbst", u"hart"},
    {u"@", u"bei"},
    {u"n8", u"nacht"},
    {u"wendrik", u"pfiii"},
    {u"kibra", u"ulo"},
    {u"grimbor", u"jorik"},
    {u"zelite", u"pumbo"},
    {u"benaldo", u"benald"},
    {u"0", u"elwind"},
    {u"rül und sirena", u"rul"},
    {u"shit fucking kobo", u"kobo"},
    {u"shit fucking kobo hüdde", u"fyonk"},
    {u"abgeschlüsselt", u"abgeschlossen"},
    {u"als wie ich", u"wie ich"},
    {u"als wie du", u"wie du"},
    {u"-*-*-*", u"muhaha"},
    {u"oder so", u""},
    {u"wuuuh", u""},
    {u"dzzztoie", u""},
    {u"oha", u""},
    {u"zyooooom", u""},
    {u"whääääy", u""},
    {u"ua", u"au"},
    {u"zt", u"tz"},
    {u"ge", u"eg"},
    {u"shc", u"sch"},
    {u"ie", u"ei"},
    {u"en", u"ne"},
}};

// Digits back to letters, and "!" to "i" with the slang style.
std::u16string RestoreLeetCharacters(std::u16string_view text, bool slangStyle);

// Words ending in "orn", looking past one trailing mark, end in "en" again.
std::u16string RestoreLeetWords(std::u16string_view text);

// Lower-cases the text, then applies ReverseSlangTable.
std::u16string RestoreSlangWords(std::u16string_view text);

}  // namespace schnackomat
