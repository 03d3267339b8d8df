#include "schnackomat/text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace schnackomat {
namespace {

struct ReplaceCase {
    std::u16string Text;
    std::u16string Find;
    std::u16string Replacement;
    std::u16string Expected;
};

class ReplaceAllTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllTest, ReplacesEveryNonOverlappingOccurrenceFromTheLeft) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(ReplaceAll(c.Text, c.Find, c.Replacement), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAllTest,
    testing::Values(ReplaceCase{u"", u"a", u"b", u""},                   // empty text
                    ReplaceCase{u"abc", u"", u"x", u"abc"},              // empty find
                    ReplaceCase{u"abc", u"d", u"x", u"abc"},             // no match
                    ReplaceCase{u"aaa", u"aa", u"b", u"ba"},             // non-overlapping
                    ReplaceCase{u"aaaa", u"aa", u"b", u"bb"},            // back to back
                    ReplaceCase{u"ab", u"a", u"aa", u"aab"},             // not rescanned
                    ReplaceCase{u"a.b.", u".", u"", u"ab"},              // deletion
                    ReplaceCase{u"Ab ab", u"ab", u"X", u"Ab X"},         // case-sensitive
                    ReplaceCase{u"wie du", u"e d", u"-", u"wi-u"},       // across spaces
                    ReplaceCase{u"süß", u"ß", u"ss", u"süss"},           // one unit
                    ReplaceCase{u"x😀x", u"😀", u"y", u"xyx"},             // surrogate pair
                    ReplaceCase{u"abc", u"abc", u"", u""},               // whole text
                    ReplaceCase{u"abcabc", u"abcd", u"x", u"abcabc"}));  // longer than rest

TEST(ApplyTableTest, LaterRowsSeeWhatEarlierRowsWrote) {
    constexpr std::array<ReplaceRow, 2> table{{{u"a", u"b"}, {u"b", u"c"}}};
    EXPECT_EQ(ApplyTable(u"ab", table), u"cc");
    constexpr std::array<ReplaceRow, 2> reversed{{{u"b", u"c"}, {u"a", u"b"}}};
    EXPECT_EQ(ApplyTable(u"ab", reversed), u"bc");
}

// A table of one row gives what ReplaceAll gives, with the matches overlapping, back to back, at
// the ends of the text and of runs of every length.
class OneRowTableTest : public testing::TestWithParam<ReplaceRow> {};

TEST_P(OneRowTableTest, GivesWhatReplaceAllGives) {
    const ReplaceRow row = GetParam();
    const std::array<ReplaceRow, 1> table{row};
    for (const std::u16string_view unit : {u"a", u"ab", u"aab", u"abba", u"aaba b"}) {
        std::u16string text;
        for (std::size_t length = 0; length < 2100; ++length) {
            if (length < 90 || (length >= 1000 && length < 1100) || length >= 2030) {
                EXPECT_EQ(ApplyTable(text, table), ReplaceAll(text, row.Find, row.Replacement))
                    << std::string(text.begin(), text.end());
            }
            text += unit[length % unit.size()];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, OneRowTableTest,
                         testing::Values(ReplaceRow{u"aa", u"b"}, ReplaceRow{u"aa", u"ba"},
                                         ReplaceRow{u"aab", u"b"}, ReplaceRow{u"ab", u""},
                                         ReplaceRow{u"aba", u"bab"}, ReplaceRow{u"a", u"b"},
                                         ReplaceRow{u"bb", u"a"}, ReplaceRow{u"a b", u"x"}));

struct SplitCase {
    std::u16string Text;
    std::vector<std::u16string_view> Pieces;
};

class SplitPiecesTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitPiecesTest, SplitsAtEverySeparatorAndJoinsBack) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(SplitPieces(c.Text, u' '), c.Pieces);
    EXPECT_EQ(JoinPieces(SplitPieces(c.Text, u' '), u' '), c.Text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitPiecesTest,
    testing::Values(SplitCase{u"", {}}, SplitCase{u"a", {u"a"}}, SplitCase{u" ", {u"", u""}},
                    SplitCase{u"a b", {u"a", u"b"}}, SplitCase{u"a  b", {u"a", u"", u"b"}},
                    SplitCase{u" a ", {u"", u"a", u""}}, SplitCase{u"a\nb c", {u"a\nb", u"c"}}));

struct LowerCase {
    char16_t Unit;
    char16_t Lower;
};

class ToLowerTest : public testing::TestWithParam<LowerCase> {};

TEST_P(ToLowerTest, MapsByTheSimpleLowerCaseMapping) {
    EXPECT_EQ(ToLower(GetParam().Unit), GetParam().Lower);
}

INSTANTIATE_TEST_SUITE_P(
    Units, ToLowerTest,
    testing::Values(LowerCase{u'A', u'a'}, LowerCase{u'Z', u'z'}, LowerCase{u'a', u'a'},
                    LowerCase{u'Ä', u'ä'}, LowerCase{u'Ö', u'ö'}, LowerCase{u'Ü', u'ü'},
                    LowerCase{u'ß', u'ß'}, LowerCase{u'É', u'é'}, LowerCase{u'Σ', u'σ'},
                    LowerCase{u'İ', u'i'}, LowerCase{u'Ω', u'ω'}, LowerCase{u'Ж', u'ж'},
                    LowerCase{u'ẞ', u'ß'}, LowerCase{u'Ａ', u'ａ'}, LowerCase{u'1', u'1'},
                    LowerCase{u'@', u'@'}, LowerCase{u'[', u'['}, LowerCase{u'\n', u'\n'},
                    LowerCase{0xD83D, 0xD83D}, LowerCase{0xDE00, 0xDE00}, LowerCase{0xFFFF, 0xFFFF},
                    LowerCase{0x0000, 0x0000}, LowerCase{0x0100, 0x0101}, LowerCase{0x0101, 0x0101},
                    LowerCase{0x012E, 0x012F}, LowerCase{0x01C5, 0x01C6}, LowerCase{0x212A, u'k'}));

TEST(ToLowerTest, LowerCasesAWholeTextAndKeepsItsLength) {
    EXPECT_EQ(ToLower(u"ÄRGER über STRAßE 1234, İGEL 😀!"), u"ärger über straße 1234, igel 😀!");
}

}  // namespace
}  // namespace schnackomat
