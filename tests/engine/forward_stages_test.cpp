#include <gtest/gtest.h>

#include "schnackomat/interjections.h"
#include "schnackomat/leet.h"
#include "schnackomat/slang_words.h"
#include "schnackomat/tu_phrases.h"
#include "stage_case.h"

namespace schnackomat {
namespace {

class SlangWordsTest : public testing::TestWithParam<StageCase> {};

TEST_P(SlangWordsTest, AppliesTheRowsInTableOrder) {
    EXPECT_EQ(ApplySlangWords(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    OrderEffects, SlangWordsTest,
    testing::Values(StageCase{u"hallo welt", u"hallo welt"},
                    StageCase{u"scheiße",
                              u"shice (shit shice (shit fucking shit fucking kobo style)ing shit "
                              u"fucking kobo style)"},
                    StageCase{u"fuck", u"shice (shit fucking shit fucking kobo style)"},
                    StageCase{u"geil", u"elitärstst"}, StageCase{u"genial", u"elitärstst"},
                    StageCase{u"elitär", u"elitärst"}, StageCase{u"derbe", u"derbste"},
                    StageCase{u"zum", u"@m"}, StageCase{u"beim", u"@m"},
                    StageCase{u"rul", u"rül und rül und sirena und rül und sirena"},
                    StageCase{u"rül", u"rül und rül und sirena"},
                    StageCase{u"marlek", u"rül und rül und sirena"},
                    StageCase{u"sirena", u"rül und sirena"},
                    StageCase{u"als du", u"als als wie du"}, StageCase{u"wie du", u"als wie du"},
                    StageCase{u"wie ich", u"als wie ich"}, StageCase{u"als ich", u"als wie ich"},
                    StageCase{u"jahr", u"johr"}, StageCase{u"lokal", u"lkkal"},
                    StageCase{u"zuhause", u"@hause"}, StageCase{u"beispiel", u"@spiel"},
                    StageCase{u"liste", u"lise"}, StageCase{u"weihnachten", u"weihn8en"},
                    StageCase{u"elwind", u"0"}, StageCase{u"sammal", u"wuuuh!"},
                    StageCase{u"besser", u"geleetet"}, StageCase{u"muhahart", u"muhaderbst"},
                    StageCase{u"Party", u"Party"}));  // the table matches lower case only

struct CensorCase {
    std::u16string Input;
    std::u16string Expected;
    bool Fired;
};

class CensorTest : public testing::TestWithParam<CensorCase> {};

TEST_P(CensorTest, MasksTheForbiddenWordAndSaysWhetherItFired) {
    const CensorResult result = ApplyCensor(GetParam().Input);
    EXPECT_EQ(result.Text, GetParam().Expected);
    EXPECT_EQ(result.Fired, GetParam().Fired);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CensorTest,
    testing::Values(CensorCase{u"hallo", u"hallo", false}, CensorCase{u"muhaha", u"-*-*-*", true},
                    CensorCase{u"muhahaha", u"-*-*-*ha", true},
                    CensorCase{u"muhaha und muhaha", u"-*-*-* und -*-*-*", true},
                    CensorCase{u"MUHAHA", u"MUHAHA", false},
                    CensorCase{u"muhah a", u"muhah a", false}));

class InterjectionsTest : public testing::TestWithParam<StageCase> {};

TEST_P(InterjectionsTest, TurnsMarksIntoInterjections) {
    EXPECT_EQ(ApplyInterjections(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InterjectionsTest,
    testing::Values(StageCase{u"", u""}, StageCase{u"ohne satzzeichen", u"ohne satzzeichen"},
                    StageCase{u"a. b", u"a oder so. wuuuh b"},
                    StageCase{u"a.  b", u"a oder so. wuuuh  b"},
                    StageCase{u"a.", u"a oder so. wuuuh "},
                    StageCase{
                        u"eins. zwei. drei. vier.",
                        u"eins oder so. wuuuh zwei oder so. drei oder so. wuuuh vier oder so. "},
                    StageCase{u"a...", u"a oder so. wuuuh  oder so.  oder so. wuuuh "},
                    StageCase{u"3.5", u"3 oder so. wuuuh 5"},
                    StageCase{u"na?!", u"na oder so? whääääy  oder so! zyoooom "},
                    StageCase{u"ja, nein; so: was?",
                              u"ja, whatever nein; dzzztoie so: oha was oder so? whääääy "},
                    StageCase{u"a.\nb", u"a oder so. wuuuh \nb"}));

class SwapLettersTest : public testing::TestWithParam<StageCase> {};

TEST_P(SwapLettersTest, SwapsTheLetterGroupsInOrder) {
    EXPECT_EQ(SwapLetters(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SwapLettersTest,
                         testing::Values(StageCase{u"haus", u"huas"}, StageCase{u"jetzt", u"jeztt"},
                                         StageCase{u"weg", u"wge"}, StageCase{u"schule", u"shcule"},
                                         StageCase{u"neue", u"enue"}, StageCase{u"eine", u"ieen"},
                                         StageCase{u"keine", u"kieen"},
                                         StageCase{u"egh ", u"gehe "},
                                         StageCase{u"ich geh nach hause", u"ich gehe nach huase"},
                                         StageCase{u"geh", u"geh"},
                                         StageCase{u"abgeschlüsselt", u"abgeshclüsselt"}));

class TuPhrasesTest : public testing::TestWithParam<StageCase> {};

TEST_P(TuPhrasesTest, MovesTheVerbToTheSentenceEnd) {
    EXPECT_EQ(ApplyTuPhrases(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TuPhrasesTest,
    testing::Values(StageCase{u"", u""}, StageCase{u"kein subjekt hier. ", u"kein subjekt hier. "},
                    StageCase{u"ich mache das oder so. ", u"ich tu das oder so machen oder so. "},
                    StageCase{u"du bist doof oder so. ", u"du tust doof oder so bien oder so. "},
                    StageCase{u"du machst das oder so. ", u"du tust das oder so machen oder so. "},
                    StageCase{u"wir haben zeit oder so! zyoooom ",
                              u"wir tuen zeit oder so haben oder so! zyoooom "},
                    StageCase{u"ich tue das oder so. ", u"ich tu das oder so tuen oder so. "},
                    StageCase{u"ich mache; dzzztoie du auch oder so. ",
                              u"ich mache; dzzztoie du auch oder so. "},
                    StageCase{u"ich  mache das oder so. ", u"ich  mache das oder so. "},
                    StageCase{u"das mache ich", u"das mache ich"},
                    StageCase{u"ich mache", u"ich tu"},  // still pending at the end: dropped
                    StageCase{u"ich mache das und ich koche das oder so. ",
                              u"ich tu das und ich koche das oder so machen oder so. "},
                    StageCase{u"du machst das oder so. ich mache das",
                              u"du machst das oder so machen oder so. ich tu das"},
                    StageCase{u"ich mache das:", u"ich tu das machen oder so:"},
                    StageCase{u"ich\nmache das. ", u"ich\nmache das. "},
                    // The words a placed verb brings are words of the later passes: here "wir"
                    // and "machen" take the third pass's verb.
                    StageCase{u"ich mache wir. gehen oder so. ",
                              u"ich tu wir tuen oder so machen oder so. gehen oder so. "}));

struct LeetCharacterCase {
    std::u16string Input;
    bool SlangStyle;
    std::u16string Expected;
};

class LeetCharactersTest : public testing::TestWithParam<LeetCharacterCase> {};

TEST_P(LeetCharactersTest, WritesLettersAsDigits) {
    EXPECT_EQ(ApplyLeetCharacters(GetParam().Input, GetParam().SlangStyle), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeetCharactersTest,
    testing::Values(
        LeetCharacterCase{u"Leet", false, u"1337"}, LeetCharacterCase{u"LEET", false, u"1337"},
        LeetCharacterCase{u"Ärger über Straße 1234 Igel", false, u"Ä2632 ü832 5724ß3 1234 I631"},
        LeetCharacterCase{u"kobo", false, u"5hi7 fuckin6 k080"},
        LeetCharacterCase{u"kasimo", false, u"5hi7 fuckin6 k080"},
        LeetCharacterCase{u"grauwolf77", false, u"5hi7 fuckin6 k080"},
        LeetCharacterCase{u"Kobo", false, u"K080"},
        LeetCharacterCase{u"shit fucking kobo", false, u"5hi7 fuckin6 5hi7 fuckin6 k080"},
        LeetCharacterCase{u"shit fucking kobo", true, u"5h!7 fuck!n6 k080"},
        LeetCharacterCase{u" whatever", true, u" wh473v32"},
        LeetCharacterCase{u"oder so wuuuh", true, u"0d32 50 wuuuh"},
        LeetCharacterCase{u"Kiste", false, u"Ki573"}, LeetCharacterCase{u"Kiste", true, u"K!573"},
        LeetCharacterCase{u"IiI", true, u"I!I"}));

// A fix-up anywhere in a text is found: at every place of the blocks the searches scan, across
// two of them, and at the text's end.
TEST(LeetFixUpsTest, AreFoundAnywhereInAText) {
    for (std::size_t before = 0; before < 80; ++before) {
        const std::u16string filler(before, u'x');
        for (std::u16string_view after : {u"", u" xx", u" xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"}) {
            const std::u16string rest(after);
            EXPECT_EQ(ApplyLeetCharacters(filler + u"grauwolf77" + rest, false),
                      filler + u"5hi7 fuckin6 k080" + rest)
                << before;
            EXPECT_EQ(ApplyLeetCharacters(filler + u"kobo" + rest, false),
                      filler + u"5hi7 fuckin6 k080" + rest)
                << before;
            EXPECT_EQ(ApplyLeetWords(filler + u" 64y102d" + rest), filler + u" gayl0rd" + rest)
                << before;
            EXPECT_EQ(ApplyLeetWords(filler + u" d3283" + rest), filler + u" derbst" + rest)
                << before;
        }
    }
}

class LeetWordsTest : public testing::TestWithParam<StageCase> {};

TEST_P(LeetWordsTest, GivesLongWordsTheirEndings) {
    EXPECT_EQ(ApplyLeetWords(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeetWordsTest,
    testing::Values(StageCase{u"", u""}, StageCase{u"63h3n", u"63h0rn"},
                    StageCase{u"m4ch57", u"m4ch0rst"}, StageCase{u"63h3n.", u"63h0rn."},
                    StageCase{u"K0573n)", u"K0570rn)"}, StageCase{u"3553n-", u"3550rn-"},
                    StageCase{u"73575!", u"73575!"}, StageCase{u"83573", u"83573"},
                    StageCase{u"483n", u"483n"},     // four units: too short
                    StageCase{u"4b3n.", u"4b0rn."},  // five with the mark
                    StageCase{u"x3n!!", u"x3n!!"},   // only one mark is looked through
                    StageCase{u"64y102d", u"gayl0rd"}, StageCase{u"31i7ä2", u"elitärst"},
                    StageCase{u"31!7ä20rst", u"elitärst0rst"}, StageCase{u"d3283", u"derbst"},
                    StageCase{u"63h3n  63h3n", u"63h0rn  63h0rn"},
                    // Long enough for the block scan, with the marks after an ending.
                    StageCase{u"63h3n, 63h3n; 63h3n: 63h3n? 63h3n! 63h3n",
                              u"63h0rn, 63h0rn; 63h0rn: 63h0rn? 63h0rn! 63h0rn"},
                    StageCase{u"m4ch57? m4ch57:) m4ch57a m4ch57-",
                              u"m4ch0rst? m4ch57:) m4ch57a m4ch0rst-"},
                    StageCase{u"63h3n\nd4", u"63h3n\nd4"}));

}  // namespace
}  // namespace schnackomat
