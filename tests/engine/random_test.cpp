#include "schnackomat/random.h"

#include <gtest/gtest.h>

#include <array>

#include "fake_random.h"

namespace schnackomat {
namespace {

struct CountCase {
    std::size_t Length;
    std::size_t Letters;
};

class RandomLettersTest : public testing::TestWithParam<CountCase> {};

TEST_P(RandomLettersTest, GivesOneLetterPerSixUnitsPlusOne) {
    const std::u16string letters = RandomLetters(GetParam().Length);
    EXPECT_EQ(letters.size(), GetParam().Letters);
    for (char16_t letter : letters) {
        EXPECT_TRUE(letter >= u'a' && letter <= u'z') << static_cast<int>(letter);
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, RandomLettersTest,
                         testing::Values(CountCase{0, 1}, CountCase{5, 1}, CountCase{6, 2},
                                         CountCase{11, 2}, CountCase{12, 3}, CountCase{30, 6},
                                         CountCase{36, 7}, CountCase{6000000, 1000001}));

TEST(RandomLettersTest, DrawsEveryLetterFromTheGivenSource) {
    FakeRandomSource random({0, 25, 1, 24});
    EXPECT_EQ(RandomLetters(18, random), u"azby");
    EXPECT_EQ(random.Draws(), 4u);
}

TEST(SeededRandomSourceTest, LettersAreIndependentAndCoverTheAlphabet) {
    SeededRandomSource random;
    const std::u16string letters = RandomLetters(6 * 5200, random);
    std::array<int, 26> counts{};
    std::size_t repeats = 0;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        ++counts[letters[i] - u'a'];
        repeats += i > 0 && letters[i] == letters[i - 1];
    }
    // 5201 uniform letters: each letter about 200 times, a repeat about once in 26 draws.
    for (int count : counts) {
        EXPECT_GT(count, 100);
        EXPECT_LT(count, 300);
    }
    EXPECT_LT(repeats, 400u);
}

}  // namespace
}  // namespace schnackomat
