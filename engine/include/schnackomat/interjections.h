// Punctuation interjections and letter swaps: the slang style's look of hasty typing.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "schnackomat/text.h"

namespace schnackomat {

// A mark followed by one space loses that space, so that its interjection brings its own spacing.
inline constexpr std::array<ReplaceRow, 6> PunctuationNormalisationTable{{
    {u". ", u"."},
    {u", ", u","},
    {u"; ", u";"},
    {u": ", u":"},
    {u"? ", u"?"},
    {u"! ", u"!"},
}};

// Every mark becomes an interjection; no replacement holds the mark of a later row.
inline constexpr std::array<ReplaceRow, 6> InterjectionTable{{
    {u".", u" oder so. "},
    {u",", u", whatever "},
    {u";", u"; dzzztoie "},
    {u":", u": oha "},
    {u"?", u" oder so? whääääy "},
    {u"!", u" oder so! zyoooom "},
}};

// Put after every other full stop, starting with the first.
inline constexpr std::u16string_view SentenceInterjection = u" wuuuh";

// Letter groups swapped throughout the text, in this order ("ei" before "ne" turns "eine" into
// "ieen"; "eg" can make the "geh " of the last row).
inline constexpr std::array<ReplaceRow, 7> LetterSwapTable{{
    {u"au", u"ua"},
    {u"tz", u"zt"},
    {u"eg", u"ge"},
    {u"sch", u"shc"},
    {u"ei", u"ie"},
    {u"ne", u"en"},
    {u"geh ", u"gehe "},
}};

// Normalises the spacing after marks, turns every mark into its interjection and puts
// SentenceInterjection after the 1st, 3rd, 5th, ... full stop.
std::u16string ApplyInterjections(std::u16string_view text);

// Applies LetterSwapTable in order.
std::u16string SwapLetters(std::u16string_view text);

}  // namespace schnackomat
