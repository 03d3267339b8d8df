// The line breaks and character indices between the rules and the edit boxes.
#include <gtest/gtest.h>

#include "schnackomat/win/box_text.h"

namespace schnackomat::win {
namespace {

struct Texts {
    std::u16string_view Rules;
    std::wstring_view Box;
};

class LineBreaks : public ::testing::TestWithParam<Texts> {};

TEST_P(LineBreaks, AreWrittenAsTheBoxHoldsThemAndReadBack) {
    EXPECT_EQ(ToBoxText(GetParam().Rules), GetParam().Box);
    EXPECT_EQ(FromBoxText(GetParam().Box), GetParam().Rules);
}

INSTANTIATE_TEST_SUITE_P(Boxes, LineBreaks,
                         ::testing::Values(Texts{u"", L""}, Texts{u"ab", L"ab"},
                                           Texts{u"a\nb", L"a\r\nb"}, Texts{u"\n\n", L"\r\n\r\n"},
                                           Texts{u"ä\nß\n", L"ä\r\nß\r\n"}));

TEST(BoxIndices, CountALineBreakAsOneCharacterOfTheRules) {
    const std::wstring box = L"ab\r\ncd\r\n";
    struct Index {
        std::size_t Rules;
        std::size_t Box;
    };
    for (const Index index : {Index{0, 0}, Index{2, 2}, Index{3, 4}, Index{5, 6}, Index{6, 8}}) {
        EXPECT_EQ(BoxIndex(box, index.Rules), index.Box) << index.Rules;
        EXPECT_EQ(RulesIndex(box, index.Box), index.Rules) << index.Box;
    }
}

TEST(Captions, ShowADoubledAmpersandAsOne) {
    EXPECT_EQ(ShownCaption(u"Pfiii- && Benaldo- Style"), L"Pfiii- & Benaldo- Style");
    EXPECT_EQ(ShownCaption(u"a &&&& b"), L"a && b");
    EXPECT_EQ(ShownCaption(u"1337"), L"1337");
}

}  // namespace
}  // namespace schnackomat::win
