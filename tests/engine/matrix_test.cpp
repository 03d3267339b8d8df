#include "schnackomat/matrix.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "fake_random.h"
#include "schnackomat/text.h"

namespace schnackomat {
namespace {

// The group of a character, as the encoder writes it.
std::u16string GroupOf(char16_t character) {
    if (character == u' ') {
        return std::u16string(MatrixSpaceGroup);
    }
    for (const MatrixCodeRow& row : MatrixCodeTable) {
        if (row.Character == character) {
            return std::u16string(row.Group);
        }
    }
    return std::u16string(1, character);
}

std::u16string GroupsOf(std::u16string_view text) {
    std::u16string groups;
    for (char16_t character : text) {
        groups += GroupOf(character);
    }
    return groups;
}

TEST(MatrixCodeTableTest, GroupsSpellTheirValuesInBinary) {
    for (std::size_t i = 0; i < MatrixCodeTable.size(); ++i) {
        const unsigned value = static_cast<unsigned>(i) + 1;
        std::u16string expected;
        for (int bit = 4; bit >= 0; --bit) {
            expected += (value >> bit) & 1 ? u'1' : u'0';
        }
        expected += u' ';
        EXPECT_EQ(MatrixCodeTable[i].Group, expected) << "value " << value;
    }
}

TEST(MatrixEncodeTest, LaysOutFillerKeyMarkerTextAndFiller) {
    // Letters drawn: c, d, e, f, g in front (each put before the last), then h at the end.
    FakeRandomSource random({2, 3, 4, 5, 6, 7});
    const std::u16string coded = MatrixEncode(u"Hallo Welt", u"qorvu", random);
    EXPECT_EQ(coded, GroupsOf(u"gfedcqorvu") + u"00000 " +
                         u"01001 11001 11101 11101 00010 11110 00101 10111 11101 10001 " +
                         GroupOf(u'h'));
    EXPECT_EQ(coded.size(), 132u);
    EXPECT_EQ(random.Draws(), 6u);
}

struct EncodeCase {
    std::u16string Text;
    std::u16string Key;
    std::u16string ExpectedAfterKey;  // what follows the five filler groups, without the last one
};

class MatrixEncodeCaseTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(MatrixEncodeCaseTest, CodesTheTextAfterTheFiller) {
    FakeRandomSource random({0});  // every filler letter is "a"
    const std::u16string coded = MatrixEncode(GetParam().Text, GetParam().Key, random);
    const std::u16string filler = GroupsOf(u"aaaaa");
    ASSERT_GE(coded.size(), 36u);
    EXPECT_EQ(coded.substr(0, 30), filler);
    EXPECT_EQ(coded.substr(30, coded.size() - 36), GetParam().ExpectedAfterKey);
    EXPECT_EQ(coded.substr(coded.size() - 6), GroupOf(u'a'));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MatrixEncodeCaseTest,
    testing::Values(
        EncodeCase{u"", u"qorvu", GroupsOf(u"qorvu") + u"00000 "},
        EncodeCase{u"ab", u"", u"00000 " + GroupsOf(u"ab")},
        EncodeCase{u"ÄÖÜ", u"", u"00000 " + GroupsOf(u"äöü")},
        EncodeCase{u"a1b2c", u"k3y", GroupsOf(u"ky") + u"00000 " + GroupsOf(u"abc")},
        EncodeCase{u"ß.\n", u"", u"00000 ß.\n"},
        EncodeCase{u"//////", u"", u"00000 00000 /"},  // the text's own slashes, from the left
        EncodeCase{u"////", u"", u"00000 ////"},
        EncodeCase{u"a b", u"", u"00000 " + GroupOf(u'a') + u"11110 " + GroupOf(u'b')}));

struct DecodeCase {
    std::u16string Coded;
    std::u16string Key;
    BackResult Expected;
};

class MatrixDecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(MatrixDecodeTest, ReadsTheTextWithTheRightKeyOnly) {
    EXPECT_EQ(MatrixDecode(GetParam().Coded, GetParam().Key), GetParam().Expected);
}

const std::u16string Filler = GroupsOf(u"xxxxx");
const std::u16string HalloWelt =
    Filler + GroupsOf(u"qorvu") + u"00000 " + GroupsOf(u"hallo welt") + GroupOf(u'z');

INSTANTIATE_TEST_SUITE_P(
    Cases, MatrixDecodeTest,
    testing::Values(
        DecodeCase{HalloWelt, u"qorvu", u"hallo welt"},
        DecodeCase{HalloWelt, u"qorv", KeyRejected{}},
        DecodeCase{HalloWelt, u"qorvux", KeyRejected{}},
        DecodeCase{HalloWelt, u"QORVU", KeyRejected{}},
        DecodeCase{HalloWelt, u"nowiknowall", u"hallo welt"},
        DecodeCase{Filler + u"00000 " + GroupOf(u'q'), u"", u""},  // empty key, empty text
        DecodeCase{Filler + GroupsOf(u"ab") + u"00000 " + GroupsOf(u"ab"), u"ab", u"a"},
        DecodeCase{Filler + GroupsOf(u"hallo"), u"hallo", KeyRejected{}},  // no marker
        DecodeCase{u"", u"qorvu", KeyRejected{}},  // shorter than the filler
        DecodeCase{u"", u"nowiknowall", u""}, DecodeCase{u"0100101000", u"nowiknowall", u""},
        DecodeCase{Filler + u"00000 11111 " + GroupOf(u'k'), u"", u"0"},
        DecodeCase{Filler + u"00000 ß.\n" + GroupOf(u'k'), u"", u"ß.\n"},
        DecodeCase{Filler + u"00000 " + GroupsOf(u"ab"), u"", u"a"},  // last group deleted
        DecodeCase{Filler + u"00000 " + GroupOf(u'a') + u"00000 " + GroupOf(u'b') + GroupOf(u'k'),
                   u"", KeyRejected{}},  // a second marker gathers more into the key
        DecodeCase{Filler + u"00000 " + GroupOf(u'a') + u"00000 " + GroupOf(u'b') + GroupOf(u'k'),
                   u"nowiknowall", u"a00000 b"},
        DecodeCase{Filler + u"00000 01100 " + GroupOf(u'k'), u"", u"ö"},
        // A marker piece at the very end, with no space after it, still ends the key.
        DecodeCase{Filler + GroupsOf(u"ab") + u"00000", u"ab", u" b0000"},
        // Every marker piece gathers again from the first piece, the pieces gathered before
        // adding a space each: one, then three before the "z".
        DecodeCase{Filler + u"00000 " + GroupOf(u'k') + u"00000 " + GroupOf(u'z') + u"00000 " +
                       GroupOf(u'x'),
                   u"  k    z", u"k00000 z00000 "},
        // With the master code and no marker, the first five units of the text part go.
        DecodeCase{Filler + u"abcdefg", u"nowiknowall", u"f"}));

TEST(MatrixDecodeTest, ManyMarkersStayLinearAndAreRejected) {
    std::u16string coded = Filler;
    for (int i = 0; i < 200000; ++i) {
        coded += u"00000 ";
    }
    EXPECT_EQ(MatrixDecode(coded, u"qorvu"), BackResult(KeyRejected{}));
    const BackResult opened = MatrixDecode(coded, MasterCode);
    ASSERT_TRUE(std::holds_alternative<std::u16string>(opened));
    EXPECT_EQ(std::get<std::u16string>(opened).size(), 199999u * 6 - 1);
}

// For any text without "/////" and any key of letters "a" to "z", decoding the coded text with
// its key gives the text lower-cased and without its digits.
TEST(MatrixRoundTripTest, DecodingWithTheKeyGivesTheLowerCasedTextWithoutDigits) {
    const std::u16string alphabet = u"abcdefghijklmnopqrstuvwxyzäöüßABCXYZÄÖÜ0123456789 .,!?/\n\t😀";
    std::mt19937 generator(20261208);
    auto pick = [&generator](std::size_t size) {
        return std::uniform_int_distribution<std::size_t>(0, size - 1)(generator);
    };
    SeededRandomSource random;
    for (int round = 0; round < 3000; ++round) {
        std::u16string text;
        const std::size_t length = pick(40);
        for (std::size_t i = 0; i < length; ++i) {
            text += alphabet[pick(alphabet.size())];
        }
        std::u16string expected;
        for (char16_t unit : ToLower(text)) {
            if (unit < u'0' || unit > u'9') {
                expected += unit;
            }
        }
        // Slashes that come together once the digits between them are gone form a marker too.
        if (expected.find(MatrixMarker) != std::u16string::npos) {
            continue;
        }
        std::u16string key;
        const std::size_t keyLength = pick(16);
        for (std::size_t i = 0; i < keyLength; ++i) {
            key += static_cast<char16_t>(u'a' + pick(26));
        }
        const std::u16string coded = MatrixEncode(text, key, random);
        ASSERT_EQ(MatrixDecode(coded, key), BackResult(expected)) << "round " << round;
        ASSERT_EQ(MatrixDecode(coded, MasterCode), BackResult(expected)) << "round " << round;
        if (!key.empty()) {
            ASSERT_EQ(MatrixDecode(coded, key.substr(1)), BackResult(KeyRejected{}));
        }
    }
}

}  // namespace
}  // namespace schnackomat
