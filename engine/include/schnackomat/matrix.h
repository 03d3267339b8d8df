// The Matrix code: every letter as a group of five binary digits and a space, behind random
// filler letters and the key, readable again only with the same key or the master code.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "schnackomat/conversion.h"
#include "schnackomat/random.h"

namespace schnackomat {

// A group and the character it stands for.
struct MatrixCodeRow {
    char16_t Character;
    std::u16string_view Group;
};

// The 29 characters with a group, in the order of their values 1 to 29. Both directions apply
// them in this order. Value 0 ("00000 ") is the marker, 30 ("11110 ") the space and 31
// ("11111 ") the digit "0", which only the decoder knows.
inline constexpr std::array<MatrixCodeRow, 29> MatrixCodeTable{{
    {u'y', u"00001 "}, {u'o', u"00010 "}, {u'p', u"00011 "}, {u'x', u"00100 "}, {u'w', u"00101 "},
    {u'n', u"00110 "}, {u'v', u"00111 "}, {u'i', u"01000 "}, {u'h', u"01001 "}, {u'z', u"01010 "},
    {u'u', u"01011 "}, {u'ö', u"01100 "}, {u'ü', u"01101 "}, {u'f', u"01110 "}, {u'b', u"01111 "},
    {u'c', u"10000 "}, {u't', u"10001 "}, {u'r', u"10010 "}, {u's', u"10011 "}, {u'q', u"10100 "},
    {u'k', u"10101 "}, {u'g', u"10110 "}, {u'e', u"10111 "}, {u'd', u"11000 "}, {u'a', u"11001 "},
    {u'j', u"11010 "}, {u'ä', u"11011 "}, {u'm', u"11100 "}, {u'l', u"11101 "},
}};

inline constexpr std::u16string_view MatrixMarker = u"/////";
inline constexpr std::u16string_view MatrixMarkerGroup = u"00000 ";
inline constexpr std::u16string_view MatrixSpaceGroup = u"11110 ";
inline constexpr std::u16string_view MatrixZeroGroup = u"11111 ";

// Units of filler in front of a coded text: five coded random letters.
inline constexpr std::size_t MatrixLeadingFillerLength = 30;

// The key the key box starts with, and the key box text that opens every coded text.
inline constexpr std::u16string_view DefaultMatrixKey = u"qorvu";
inline constexpr std::u16string_view MasterCode = u"nowiknowall";

// Codes `text` with `key`: five random letters, the key, the marker, the lower-cased text and
// one more random letter, digits removed, then spaces, letters and the marker spelt as groups.
std::u16string MatrixEncode(std::u16string_view text, std::u16string_view key,
                            RandomSource& random);

// Reads a coded text back. Answers KeyRejected when the key found in the text differs from
// `key` (or the text has no marker), unless `key` is MasterCode.
BackResult MatrixDecode(std::u16string_view codedText, std::u16string_view key);

}  // namespace schnackomat
