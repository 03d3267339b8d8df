#include <gtest/gtest.h>

#include "fake_random.h"
#include "schnackomat/conversion.h"
#include "schnackomat/matrix.h"
#include "schnackomat/slang_words.h"

namespace schnackomat {
namespace {

// Options by their initials: S slang, L leet characters, W leet words, M Matrix code.
ConversionOptions Options(std::string_view flags, std::u16string key = u"qorvu") {
    ConversionOptions options;
    options.SlangStyle = flags.find('S') != std::string_view::npos;
    options.LeetCharacters = flags.find('L') != std::string_view::npos;
    options.LeetWords = flags.find('W') != std::string_view::npos;
    options.MatrixStyle = flags.find('M') != std::string_view::npos;
    options.MatrixKey = std::move(key);
    return options;
}

struct PipelineCase {
    std::string Flags;
    std::u16string Input;
    std::u16string Expected;
};

void PrintTo(const PipelineCase& c, std::ostream* out) {
    *out << "options " << c.Flags;
}

class ConvertForwardTest : public testing::TestWithParam<PipelineCase> {};

TEST_P(ConvertForwardTest, RunsTheSelectedStagesInOrder) {
    const ForwardResult result = ConvertForward(GetParam().Input, Options(GetParam().Flags));
    EXPECT_EQ(result.Text, GetParam().Expected);
    EXPECT_FALSE(result.Censored);
}

const std::u16string Party = u"Ich mache heute eine Party. Das ist cool!";
const std::u16string Swim = u"Wir gehen morgen schwimmen, bist du dabei?";

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ConvertForwardTest,
    testing::Values(
        PipelineCase{
            "SL", Party,
            u"!ch 7u h3u73 !33n p4442dy 0d32 50 m4ch3n 0d32 50. wuuuh d45 !5 1337 0d32 50! "
            u"zy0000m  wh473v32"},
        PipelineCase{
            "S", Party,
            u"ich tu heute ieen paaardy oder so machen oder so. wuuuh das is leet oder so! "
            u"zyoooom  whatever"},
        PipelineCase{"L", Party, u"Ich m4ch3 h3u73 3in3 P427y. D45 i57 c001!"},
        PipelineCase{"LW", Swim, u"Wi2 63h0rn m0260rn 5chwimm0rn, 8i57 du d483i?"},
        PipelineCase{"SLW", Swim,
                     u"w!2 7u3n m0260rn 5hcw!mm0rn, wh473v32 8!5 du d4@ 0d32 50 63h0rn 0d32 50? "
                     u"whääääy  wh473v32"},
        PipelineCase{"", Party, Party}, PipelineCase{"", u"", u""},
        PipelineCase{"S", u"", u" whatever"}, PipelineCase{"SL", u"", u" wh473v32"},
        PipelineCase{"S", u"hallo ", u"hallo  whatever"},
        PipelineCase{"S", u"Ende.", u"ende oder so. wuuuh  whatever"},
        PipelineCase{"L", u"Kiste I", u"Ki573 I"},
        PipelineCase{"LW", u"gehen machst gehen.", u"63h0rn m4ch0rst 63h0rn."},
        PipelineCase{"LW", u"Wir gehen, lesen. Tests!", u"Wi2 63h0rn, 1350rn. 73575!"},
        PipelineCase{"LW", u"Kosten) essen- beste aben", u"K0570rn) 3550rn- 83573 483n"},
        PipelineCase{"LW", u"gaylord elitär derbe", u"gayl0rd elitärst derbst"},
        PipelineCase{"SLW", u"elitär", u"elitärst0rst wh473v32"},
        PipelineCase{"W", u"gehen d3283", u"gehen derbst"},
        PipelineCase{"S", u"ich mache\ndas. Du", u"ich mache\ndas oder so. wuuuh du whatever"},
        PipelineCase{"L", u"😀 Tor\r\nAst", u"😀 702\r\n457"}));

TEST(ConvertForwardTest, TheCensorFiresOnAnyCapitalisationWithTheSlangStyle) {
    const ForwardResult result = ConvertForward(u"MuHaHa und muhaha", Options("S"));
    EXPECT_TRUE(result.Censored);
    EXPECT_EQ(result.Text, u"-*-*-* und -*-*-* whatever");
    EXPECT_FALSE(ConvertForward(u"muhaha", Options("LW")).Censored);
}

TEST(ConvertForwardTest, TheMatrixCodeComesLastAndCodesTheSlangText) {
    FakeRandomSource random({0});
    const ForwardResult result = ConvertForward(u"Ja", Options("SM", u"k"), random);
    const BackResult decoded = MatrixDecode(result.Text, u"k");
    EXPECT_EQ(decoded, BackResult(u"jo whatever"));
}

class ConvertBackTest : public testing::TestWithParam<PipelineCase> {};

TEST_P(ConvertBackTest, RunsTheReverseStagesInOrder) {
    EXPECT_EQ(ConvertBack(GetParam().Input, Options(GetParam().Flags)),
              BackResult(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertBackTest,
    testing::Values(PipelineCase{"", u"h4ll0 W3lt! 😀", u"h4ll0 W3lt! 😀"},
                    PipelineCase{"", u"", u""}, PipelineCase{"S", u"", u""},
                    PipelineCase{"LW", u"Hallo Welt", u"Hallo Welt"},
                    PipelineCase{"S", u"Hallo Welt", u"hallo welt"},
                    PipelineCase{"L", u"h4ll0 w3lt!", u"hallo welt!"},
                    PipelineCase{"SL", u"h4ll0 w3lt!", u"hallo welti"},
                    PipelineCase{"LW", u"5chr3!80rn", u"schre!ben"},
                    PipelineCase{"W", u"schreib0rn", u"schreib0rn"},
                    PipelineCase{"SL", u"n8", u"nb"}, PipelineCase{"SL", u"wuuuh!", u"i"},
                    PipelineCase{"LW", u"Wi2 63h0rn m0260rn", u"Wir gehen morgen"}));

TEST(ConvertBackTest, TheMatrixStageDecodesFirstAndThenTheOtherStagesRun) {
    FakeRandomSource random({7});
    const std::u16string coded = MatrixEncode(u"h4ll0 d4 shcule", u"abc", random);
    // The encoder drops digits, so only the slang stage has something left to undo.
    EXPECT_EQ(ConvertBack(coded, Options("SLM", u"abc")), BackResult(u"hll d schule"));
    EXPECT_EQ(ConvertBack(coded, Options("SLM", u"abd")), BackResult(KeyRejected{}));
    EXPECT_EQ(ConvertBack(coded, Options("M", std::u16string(MasterCode))),
              BackResult(u"hll d shcule"));
}

}  // namespace
}  // namespace schnackomat
