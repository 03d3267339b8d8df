#include "utf8.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

namespace schnackomat::cli {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

struct ValidCase {
    const char* Name;
    std::string Bytes;
    std::u16string Text;
};

void PrintTo(const ValidCase& c, std::ostream* os) {
    *os << c.Name;
}

class Utf8ValidTest : public ::testing::TestWithParam<ValidCase> {};

TEST_P(Utf8ValidTest, DecodesAndEncodesBackToTheSameBytes) {
    const ValidCase& c = GetParam();
    const Utf8DecodeResult decoded = DecodeUtf8(c.Bytes);
    ASSERT_TRUE(decoded.Valid()) << "invalid at " << *decoded.InvalidByte;
    EXPECT_EQ(decoded.Text, c.Text);
    EXPECT_EQ(EncodeUtf8(c.Text), c.Bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8ValidTest,
    ::testing::Values(ValidCase{"Empty", "", u""},
                      ValidCase{"Ascii", "Hallo, Welt!", u"Hallo, Welt!"},
                      ValidCase{"Nul", "a\0b"s, u"a\0b"s}, ValidCase{"OneByteMax", "\x7F", u"\x7F"},
                      ValidCase{"TwoByteMin", "\xC2\x80", u"\u0080"},
                      ValidCase{"Umlauts", "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\x84", u"äöüßÄ"},
                      ValidCase{"TwoByteMax", "\xDF\xBF", u"\u07FF"},
                      ValidCase{"ThreeByteMin", "\xE0\xA0\x80", u"\u0800"},
                      ValidCase{"Euro", "\xE2\x82\xAC", u"\u20AC"},
                      ValidCase{"BeforeSurrogates", "\xED\x9F\xBF", u"\uD7FF"},
                      ValidCase{"AfterSurrogates", "\xEE\x80\x80", u"\uE000"},
                      ValidCase{"ReplacementCharacter", "\xEF\xBF\xBD", u"\uFFFD"},
                      ValidCase{"ThreeByteMax", "\xEF\xBF\xBF", u"\uFFFF"},
                      ValidCase{"FourByteMin", "\xF0\x90\x80\x80", u"\U00010000"},
                      ValidCase{"Emoji", "x\xF0\x9F\x98\x80y", u"x\U0001F600y"},
                      ValidCase{"FourByteMax", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
                      ValidCase{"LineBreaks", "a\r\nb\nc\r", u"a\r\nb\nc\r"},
                      ValidCase{"Mixed", "\xC3\xA4\x00\xE2\x82\xAC\xF0\x9F\x98\x80!"s,
                                u"ä\0€\U0001F600!"s}),
    [](const auto& info) { return std::string(info.param.Name); });

struct InvalidCase {
    const char* Name;
    std::string Bytes;
    std::size_t Offset;
};

void PrintTo(const InvalidCase& c, std::ostream* os) {
    *os << c.Name;
}

class Utf8InvalidTest : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(Utf8InvalidTest, ReportsTheOffsetOfTheFirstIllFormedSequence) {
    const InvalidCase& c = GetParam();
    const Utf8DecodeResult decoded = DecodeUtf8(c.Bytes);
    ASSERT_FALSE(decoded.Valid());
    EXPECT_EQ(*decoded.InvalidByte, c.Offset);
    EXPECT_TRUE(decoded.Text.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8InvalidTest,
    ::testing::Values(
        // Truncated at every position, at the end and before another character.
        InvalidCase{"TwoByteLeadOnly", "ab\xC3", 2},
        InvalidCase{"TwoByteBeforeAscii", "ab\xC3z", 2},
        InvalidCase{"ThreeByteAfterOne", "\xE2", 0},
        InvalidCase{"ThreeByteAfterTwo", "x\xE2\x82", 1},
        InvalidCase{"ThreeByteAfterTwoBeforeAscii", "x\xE2\x82y", 1},
        InvalidCase{"FourByteAfterOne", "\xF0", 0}, InvalidCase{"FourByteAfterTwo", "\xF0\x9F", 0},
        InvalidCase{"FourByteAfterThree", "abc\xF0\x9F\x98", 3},
        InvalidCase{"FourByteAfterThreeBeforeLead", "\xF0\x9F\x98\xF0\x9F\x98\x80", 0},
        InvalidCase{"TruncatedAfterValid", "\xC3\xA4\xE2\x82", 2},
        // Continuation bytes without a lead byte.
        InvalidCase{"LoneContinuation", "\x80", 0}, InvalidCase{"LastContinuation", "abc\xBF", 3},
        InvalidCase{"ExtraContinuation", "\xC3\xA4\xA4", 2},
        // Overlong forms.
        InvalidCase{"OverlongTwoByteC0", "\xC0\x80", 0},
        InvalidCase{"OverlongTwoByteC1", "a\xC1\xBF", 1},
        InvalidCase{"OverlongThreeByteLow", "\xE0\x80\x80", 0},
        InvalidCase{"OverlongThreeByteHigh", "\xE0\x9F\xBF", 0},
        InvalidCase{"OverlongFourByteLow", "\xF0\x80\x80\x80", 0},
        InvalidCase{"OverlongFourByteHigh", "\xF0\x8F\xBF\xBF", 0},
        // Encoded surrogates.
        InvalidCase{"HighSurrogate", "\xED\xA0\x80", 0},
        InvalidCase{"LowSurrogate", "ok\xED\xBF\xBF", 2},
        InvalidCase{"SurrogatePairAsTwoSequences", "\xED\xA0\xBD\xED\xB8\x80", 0},
        // Bytes that never occur.
        InvalidCase{"ByteF5", "\xF5\x80\x80\x80", 0}, InvalidCase{"ByteF8", "\xF8", 0},
        InvalidCase{"ByteFE", "a\xFE", 1}, InvalidCase{"ByteFF", "\xFF", 0},
        // Above U+10FFFF.
        InvalidCase{"AboveMaximum", "\xF4\x90\x80\x80", 0},
        InvalidCase{"AboveMaximumLater", "\xF0\x9F\x98\x80\xF4\xBF\xBF\xBF", 4},
        // Bad bytes in the middle of a sequence.
        InvalidCase{"AsciiAsSecondByte", "\xE2\x41\xAC", 0},
        InvalidCase{"AsciiAsThirdByte", "\xE2\x82\x41", 0},
        InvalidCase{"AsciiAsFourthByte", "\xF0\x9F\x98\x41", 0},
        InvalidCase{"LeadAsContinuation", "\xC3\xC3\xA4", 0},
        // The first fault counts, not a later one.
        InvalidCase{"FirstOfTwoFaults", "Gr\xC3\xBC\xC3\x9F \xFF\x80", 7}),
    [](const auto& info) { return std::string(info.param.Name); });

struct EncodeCase {
    const char* Name;
    std::u16string Text;
    std::string Bytes;
};

void PrintTo(const EncodeCase& c, std::ostream* os) {
    *os << c.Name;
}

class Utf8EncodeTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(Utf8EncodeTest, WritesLoneSurrogatesAsReplacementCharacters) {
    const EncodeCase& c = GetParam();
    const std::string bytes = EncodeUtf8(c.Text);
    EXPECT_EQ(bytes, c.Bytes);
    EXPECT_TRUE(DecodeUtf8(bytes).Valid());
}

INSTANTIATE_TEST_SUITE_P(
    Surrogates, Utf8EncodeTest,
    ::testing::Values(
        EncodeCase{"LoneHighAtEnd", u"ab\xD83D", "ab\xEF\xBF\xBD"},
        EncodeCase{"LoneHighBeforeAscii", u"\xD83Dx", "\xEF\xBF\xBDx"},
        EncodeCase{"LoneLow", u"\xDE00", "\xEF\xBF\xBD"},
        EncodeCase{"SwappedPair", u"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        EncodeCase{"TwoHighsThenLow", u"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
        EncodeCase{"PairThenLoneLow", u"\xD83D\xDE00\xDE00", "\xF0\x9F\x98\x80\xEF\xBF\xBD"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Utf8Test, EveryScalarValueSurvivesARoundTrip) {
    std::u16string text;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        if (c >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(c);
        }
    }
    const std::string bytes = EncodeUtf8(text);
    // 128 one-byte, 1920 two-byte, 61440 three-byte and 1048576 four-byte code points.
    EXPECT_EQ(bytes.size(), 128u + 1920u * 2 + 61440u * 3 + 1048576u * 4);
    const Utf8DecodeResult decoded = DecodeUtf8(bytes);
    ASSERT_TRUE(decoded.Valid());
    EXPECT_EQ(decoded.Text, text);
}

}  // namespace
}  // namespace schnackomat::cli
