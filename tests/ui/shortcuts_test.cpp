#include "schnackomat/ui/shortcuts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <set>
#include <string>

namespace schnackomat::ui {
namespace {

std::string Utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

struct DeleteCase {
    std::u16string_view Text;
    std::u16string_view Expected;
};

TEST(DeleteLastWordTest, RemovesEverythingAfterTheLastSpaceWithThatSpace) {
    const DeleteCase cases[] = {
        {u"hallo welt", u"hallo"},
        {u"hallo welt ", u"hallo welt"},
        {u"a  ", u"a "},
        {u"hallo", u""},
        {u"", u""},
        {u"a b\nc", u"a"},
        {u" ", u""},
        {u"  ", u" "},
        {u" hallo", u""},
        {u"eins zwei drei", u"eins zwei"},
        {u"a\nb", u""},
        {u"zeile eins\r\nzeile", u"zeile"},
        {u"schön wärs süß", u"schön wärs"},
        {u"Äpfel Öl Übel", u"Äpfel Öl"},
        {u"weiß nich", u"weiß"},
        {u"party \U0001F389", u"party"},
        {u"\U0001F600 \U0001F389x", u"\U0001F600"},
        {u"\U0001F600\U0001F389", u""},
        {u"a\tb", u""},
    };
    for (const DeleteCase& c : cases) {
        EXPECT_EQ(Utf8(DeleteLastWord(c.Text)), Utf8(c.Expected))
            << "text: \"" << Utf8(c.Text) << "\"";
    }
}

TEST(DeleteLastWordTest, RepeatedUseRemovesOneWordAtATime) {
    std::u16string text = u"oha wuuuh whatever ";
    const std::u16string_view steps[] = {u"oha wuuuh whatever", u"oha wuuuh", u"oha", u""};
    for (std::u16string_view expected : steps) {
        text = DeleteLastWord(text);
        EXPECT_EQ(Utf8(text), Utf8(expected));
    }
}

struct ShortcutCase {
    char Key;
    char16_t Code;
    std::u16string_view Text;
};

// Written out letter by letter where the counts matter.
const ShortcutCase ExpectedShortcuts[] = {
    {'A', 1, u"standard "},
    {'D', 4,
     u"w"
     u"uuu"
     u"h "},
    {'E', 5, u"whatever "},
    {'G', 7, u"gaylord "},
    {'L', 12, u"leet "},
    {'N', 14,
     u"w"
     u"eeeee"
     u"iß nich "},
    {'O', 15, u"oha "},
    {'P', 16,
     u"p"
     u"aaa"
     u"rdy "},
    {'S', 19, u"oder so "},
    {'T', 20, u"stylisch "},
    {'U', 21, u"martello duro "},
    {'W', 23,
     u"wh"
     u"\u00E4\u00E4\u00E4"
     u"y "},
    {'Y', 25, u"mystisch "},
    {'Z', 26,
     u"zy"
     u"oooooooo"
     u"m "},
};

TEST(ShortcutTableTest, HoldsExactlyTheFourteenShortcutsInOrder) {
    ASSERT_EQ(ShortcutTable.size(), std::size(ExpectedShortcuts));
    for (std::size_t i = 0; i < ShortcutTable.size(); ++i) {
        const ShortcutRow& row = ShortcutTable[i];
        const ShortcutCase& expected = ExpectedShortcuts[i];
        EXPECT_EQ(row.Key, expected.Key) << "row " << i;
        EXPECT_EQ(row.Code, expected.Code) << "row " << i;
        EXPECT_EQ(Utf8(row.Text), Utf8(expected.Text)) << "row " << i;
    }
}

TEST(ShortcutTableTest, LettersThatAreEasyToMiscount) {
    struct Count {
        char Key;
        char16_t Letter;
        std::size_t Times;
    };
    const Count counts[] = {
        {'N', u'e', 5}, {'W', u'\u00E4', 3}, {'Z', u'o', 8}, {'D', u'u', 3}, {'P', u'a', 3},
    };
    for (const Count& c : counts) {
        const std::optional<ShortcutRow> row = FindShortcutByKey(c.Key);
        ASSERT_TRUE(row.has_value()) << c.Key;
        EXPECT_EQ(
            static_cast<std::size_t>(std::count(row->Text.begin(), row->Text.end(), c.Letter)),
            c.Times)
            << "Ctrl+" << c.Key << ": " << Utf8(row->Text);
    }
}

TEST(ShortcutTableTest, EveryTextEndsInExactlyOneSpace) {
    for (const ShortcutRow& row : ShortcutTable) {
        ASSERT_GE(row.Text.size(), 2U);
        EXPECT_EQ(row.Text.back(), u' ') << Utf8(row.Text);
        EXPECT_NE(row.Text[row.Text.size() - 2], u' ') << Utf8(row.Text);
        EXPECT_NE(row.Text.front(), u' ') << Utf8(row.Text);
    }
}

TEST(FindShortcutTest, FindsEveryRowByCodeAndByLetter) {
    for (const ShortcutCase& expected : ExpectedShortcuts) {
        const std::optional<ShortcutRow> byCode = FindShortcut(expected.Code);
        ASSERT_TRUE(byCode.has_value()) << "code " << int(expected.Code);
        EXPECT_EQ(byCode->Key, expected.Key);
        EXPECT_EQ(Utf8(byCode->Text), Utf8(expected.Text));

        const std::optional<ShortcutRow> byKey = FindShortcutByKey(expected.Key);
        ASSERT_TRUE(byKey.has_value()) << expected.Key;
        EXPECT_EQ(byKey->Code, expected.Code);

        const char lower = static_cast<char>(expected.Key - 'A' + 'a');
        const std::optional<ShortcutRow> byLowerKey = FindShortcutByKey(lower);
        ASSERT_TRUE(byLowerKey.has_value()) << lower;
        EXPECT_EQ(byLowerKey->Code, expected.Code);
    }
}

TEST(FindShortcutTest, OtherCodesAndLettersHaveNoShortcut) {
    std::set<char16_t> tableCodes;
    for (const ShortcutCase& expected : ExpectedShortcuts) {
        tableCodes.insert(expected.Code);
    }
    for (char16_t code = 0; code < 300; ++code) {
        if (tableCodes.count(code) == 0) {
            EXPECT_FALSE(FindShortcut(code).has_value()) << "code " << int(code);
        }
    }
    EXPECT_FALSE(FindShortcut(DeleteLastWordCode).has_value());
    for (const char letter : {'B', 'C', 'F', 'H', 'I', 'J', 'K', 'M', 'Q', 'R',
                              'V', 'X', 'b', 'c', '1', ' ', '@', '[', '`', '{'}) {
        EXPECT_FALSE(FindShortcutByKey(letter).has_value()) << letter;
    }
}

}  // namespace
}  // namespace schnackomat::ui
