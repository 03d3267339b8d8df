#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "scan.h"
#include "schnackomat/text.h"

namespace schnackomat::detail {
namespace {

// A machine with SSE2 but without AVX2.
bool WithoutAvx2(InstructionSet set) {
    return set != InstructionSet::Avx2;
}

struct ChoiceCase {
    const char* Requested;  // null: SCHNACKOMAT_ISA not set
    InstructionSet Expected;
    std::string Complaint;  // a part of the line for standard error; empty: no line
};

void PrintTo(const ChoiceCase& c, std::ostream* out) {
    *out << (c.Requested == nullptr ? "(not set)" : c.Requested);
}

class ChooseInstructionSetTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(ChooseInstructionSetTest, TakesWhatTheMachineHasAndSaysWhyItDoesNot) {
    const ChoiceCase& c = GetParam();
    const InstructionSetChoice choice =
        ChooseInstructionSet(c.Requested, InstructionSet::Sse2, WithoutAvx2);
    EXPECT_EQ(choice.Set, c.Expected);
    if (c.Complaint.empty()) {
        EXPECT_EQ(choice.Complaint, "");
    } else {
        EXPECT_NE(choice.Complaint.find(c.Complaint), std::string::npos) << choice.Complaint;
        EXPECT_NE(choice.Complaint.find("using sse2"), std::string::npos) << choice.Complaint;
        EXPECT_EQ(choice.Complaint.find('\n'), std::string::npos) << "one line";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseInstructionSetTest,
    testing::Values(ChoiceCase{nullptr, InstructionSet::Sse2, ""},
                    ChoiceCase{"", InstructionSet::Sse2, ""},
                    ChoiceCase{"scalar", InstructionSet::Scalar, ""},
                    ChoiceCase{"sse2", InstructionSet::Sse2, ""},
                    ChoiceCase{"avx2", InstructionSet::Sse2, "avx2: not available"},
                    ChoiceCase{"AVX2", InstructionSet::Sse2, "AVX2: unknown"},
                    ChoiceCase{"neon", InstructionSet::Sse2, "neon: unknown"}));

TEST(InstructionSetTest, TheOneInUseIsTheOneTheEnvironmentAsksFor) {
    const char* requested = std::getenv("SCHNACKOMAT_ISA");
    const InstructionSet expected = requested == nullptr                 ? BestInstructionSet()
                                    : std::string(requested) == "scalar" ? InstructionSet::Scalar
                                    : std::string(requested) == "sse2"   ? InstructionSet::Sse2
                                                                         : InstructionSet::Avx2;
    ASSERT_TRUE(HasInstructionSet(expected)) << "the tests ask for what this machine lacks";
    EXPECT_EQ(InstructionSetName(ActiveInstructionSet()), InstructionSetName(expected));
}

// Every scan gives under every instruction set what its plain definition gives, with the hits
// at every place of a block and across the blocks' edges.
struct ScanCase {
    std::u16string Filler;  // repeated to make the text
    std::u16string Find;
    std::u16string Set;  // for the any-of scans
};

class ScanTest : public testing::TestWithParam<ScanCase> {
  protected:
    void TearDown() override { UseInstructionSet(BestInstructionSet()); }

    static std::vector<InstructionSet> Available() {
        std::vector<InstructionSet> sets;
        for (InstructionSet set :
             {InstructionSet::Scalar, InstructionSet::Sse2, InstructionSet::Avx2}) {
            if (HasInstructionSet(set)) {
                sets.push_back(set);
            }
        }
        return sets;
    }
};

// Every place of a few blocks, and texts that take the block kernels more than one batch of
// blocks (the candidates of a batch are gathered before they are reported).
std::vector<std::size_t> ScanLengths() {
    std::vector<std::size_t> lengths;
    for (std::size_t length = 0; length < 90; length += 7) {
        lengths.push_back(length);
    }
    for (std::size_t length : {511, 513, 1023, 1025, 2100}) {
        lengths.push_back(length);
    }
    return lengths;
}

TEST_P(ScanTest, FindsWhatThePlainSearchFinds) {
    const ScanCase& c = GetParam();
    for (std::size_t length : ScanLengths()) {
        std::u16string text;
        while (text.size() < length) {
            text += c.Filler;
        }
        text.resize(length);
        std::vector<std::size_t> expected;
        for (std::size_t at = text.find(c.Find); at != std::u16string::npos;
             at = text.find(c.Find, at + 1)) {
            expected.push_back(at);
        }
        std::vector<std::size_t> expectedOf;
        for (std::size_t at = text.find_first_of(c.Set); at != std::u16string::npos;
             at = text.find_first_of(c.Set, at + 1)) {
            expectedOf.push_back(at);
        }
        std::vector<std::size_t> expectedMarkers;
        for (std::size_t at = text.find(u" 00000 "); at != std::u16string::npos;
             at = text.find(u" 00000 ", at + 1)) {
            expectedMarkers.push_back(at);
        }
        for (InstructionSet set : Available()) {
            UseInstructionSet(set);
            SCOPED_TRACE(std::string(InstructionSetName(set)) + ", length " +
                         std::to_string(length));
            std::vector<std::size_t> found;
            ForEachOccurrence(text, c.Find, [&](std::size_t at) { found.push_back(at); });
            EXPECT_EQ(found, expected);
            std::vector<std::size_t> searched;
            for (std::size_t at = Find(text, c.Find); at != npos; at = Find(text, c.Find, at + 1)) {
                searched.push_back(at);
            }
            EXPECT_EQ(searched, expected);
            std::vector<std::size_t> of;
            ForEachOf(text, c.Set, [&](std::size_t at) { of.push_back(at); });
            EXPECT_EQ(of, expectedOf);
            std::vector<std::size_t> searchedOf;
            for (std::size_t at = FindAnyOf(text, c.Set); at != npos;
                 at = FindAnyOf(text, c.Set, at + 1)) {
                searchedOf.push_back(at);
            }
            EXPECT_EQ(searchedOf, expectedOf);
            std::vector<std::size_t> markers;
            for (std::size_t at = FindSpacedMarker(text, 0); at != npos;
                 at = FindSpacedMarker(text, at + 1)) {
                markers.push_back(at);
            }
            EXPECT_EQ(markers, expectedMarkers);
            std::u16string lowered(text.size(), u'\0');
            ToLowerUnits(text.data(), lowered.data(), text.size());
            for (std::size_t k = 0; k < text.size(); ++k) {
                ASSERT_EQ(lowered[k], ToLower(text[k])) << "at " << k;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanTest,
    testing::Values(ScanCase{u"abcabd", u"abd", u".!"}, ScanCase{u"Aaaa", u"aa", u"A"},
                    ScanCase{u"Hallo Welt. Wie geht's? ", u"Welt", u".?!"},
                    ScanCase{u"\u00C4RGER \u00E4rger \u00DF.", u"rger \u00E4", u"\u00DF\u00C4"},
                    ScanCase{u"xxxxxxxxxxxxxxxxy", u"xxxxxxxxy", u"y"},
                    ScanCase{u"00000 0 00000 ", u"00000 ", u" 0"}));

}  // namespace
}  // namespace schnackomat::detail
