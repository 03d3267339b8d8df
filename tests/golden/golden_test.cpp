// The engine gives, outcome for outcome, the conversions recorded in the golden file.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "golden_file.h"

namespace schnackomat {
namespace {

// Where two texts first differ, for a readable failure.
std::string Difference(const golden::Outcome& actual, const golden::Outcome& expected) {
    if (!actual.Text || !expected.Text) {
        return actual.Text ? "the key was rejected before" : "the key is rejected now";
    }
    if (actual.Censored != expected.Censored) {
        return "the censor flag differs";
    }
    std::size_t at = 0;
    while (at < actual.Text->size() && at < expected.Text->size() &&
           (*actual.Text)[at] == (*expected.Text)[at]) {
        ++at;
    }
    return "differs from unit " + std::to_string(at) + " on (" +
           std::to_string(actual.Text->size()) + " units now, " +
           std::to_string(expected.Text->size()) + " before)";
}

TEST(Golden, EveryRecordedConversionComesOutTheSame) {
    std::ifstream in(SCHNACKOMAT_GOLDEN_FILE, std::ios::binary);
    ASSERT_TRUE(in) << "cannot read " << SCHNACKOMAT_GOLDEN_FILE;
    std::size_t texts = 0;
    std::size_t outcomes = 0;
    std::size_t differing = 0;
    while (in.peek() != std::char_traits<char>::eof()) {
        const std::optional<std::u16string> key = golden::ReadUnits(in);
        const std::optional<std::u16string> text = key ? golden::ReadUnits(in) : std::nullopt;
        ASSERT_TRUE(text) << "the golden file is cut short after text " << texts;
        ++texts;
        for (const golden::Outcome& actual : golden::Outcomes(*text, *key)) {
            golden::Outcome expected{actual.Case, actual.Forward, std::nullopt, false};
            ASSERT_TRUE(golden::ReadOutcome(in, expected))
                << "the golden file is cut short in text " << texts;
            ++outcomes;
            if (!(actual == expected) && ++differing <= 5) {
                ADD_FAILURE() << "text " << texts << " (" << text->size() << " units), "
                              << actual.Case << ": " << Difference(actual, expected);
            }
        }
    }
    EXPECT_GE(texts, 3000u) << "the golden file holds too few texts";
    EXPECT_EQ(differing, 0u) << "of " << outcomes << " outcomes";
}

}  // namespace
}  // namespace schnackomat
