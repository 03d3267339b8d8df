#include <gtest/gtest.h>

#include "schnackomat/reverse.h"
#include "stage_case.h"

namespace schnackomat {
namespace {

struct RestoreLeetCase {
    std::u16string Input;
    bool SlangStyle;
    std::u16string Expected;
};

class RestoreLeetCharactersTest : public testing::TestWithParam<RestoreLeetCase> {};

TEST_P(RestoreLeetCharactersTest, TurnsDigitsBackIntoLetters) {
    EXPECT_EQ(RestoreLeetCharacters(GetParam().Input, GetParam().SlangStyle), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RestoreLeetCharactersTest,
                         testing::Values(RestoreLeetCase{u"5ch0n!", false, u"schon!"},
                                         RestoreLeetCase{u"5ch0n!", true, u"schoni"},
                                         RestoreLeetCase{u"2010", false, u"rolo"},
                                         RestoreLeetCase{u"0123456789", false, u"olreasgtb9"},
                                         RestoreLeetCase{u"Hallo Welt", true, u"Hallo Welt"}));

class RestoreLeetWordsTest : public testing::TestWithParam<StageCase> {};

TEST_P(RestoreLeetWordsTest, TurnsOrnEndingsBackIntoEn) {
    EXPECT_EQ(RestoreLeetWords(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RestoreLeetWordsTest,
    testing::Values(StageCase{u"", u""}, StageCase{u"machorn.", u"machen."},
                    StageCase{u"(machorn)", u"(machen)"}, StageCase{u"machorn", u"machen"},
                    StageCase{u"orn", u"en"}, StageCase{u"orn.", u"en."}, StageCase{u"rn.", u"rn."},
                    StageCase{u"ich machorn, du machorn", u"ich machen, du machen"},
                    StageCase{u"machorn  jetzt", u"machen  jetzt"},
                    StageCase{u"machorn\njetzt", u"machorn\njetzt"},
                    StageCase{u"machorn!!", u"machorn!!"}, StageCase{u"Horn vorn", u"Hen ven"},
                    StageCase{u"ORN Orn", u"ORN Orn"}, StageCase{u"schreib0rn", u"schreib0rn"}));

class RestoreSlangWordsTest : public testing::TestWithParam<StageCase> {};

TEST_P(RestoreSlangWordsTest, LowerCasesAndAppliesTheReverseTableInOrder) {
    EXPECT_EQ(RestoreSlangWords(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RestoreSlangWordsTest,
    testing::Values(StageCase{u"", u""}, StageCase{u"Das is leet.", u"das ist cool."},
                    StageCase{u"noob", u"pnener"}, StageCase{u"geleetet", u"egcoolet"},
                    StageCase{u"shit fucking kobo hüdde", u"kobo hüdde"},
                    StageCase{u"wuuuh! wuuuh", u"sammal "},
                    StageCase{u"nicht ist bist", u"nichtt istt bistt"},
                    StageCase{u"wiedaa", u"weider"}, StageCase{u"elitärst", u"egil"},
                    StageCase{u"komplexiziert", u"komplizeirt"},
                    StageCase{u"abgeschlüsselt", u"abegschlossne"},
                    StageCase{u"als wie ich", u"wei ich"}, StageCase{u"-*-*-*", u"muhaha"},
                    StageCase{u"0", u"elwind"}, StageCase{u"zyoooom zyooooom", u"zyoooom "},
                    StageCase{u"hallo oder so. ", u"hallo . "},
                    StageCase{u"ich tu das oder so machen oder so. wuuuh  whatever",
                              u"ich tu das  machne .   whatever"},
                    StageCase{u"ÄPFEL", u"äpfel"}, StageCase{u"ÄRGER", u"äregr"}));

}  // namespace
}  // namespace schnackomat
