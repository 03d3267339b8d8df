// The plain text primitives the reference pipeline is built from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "schnackomat/reference/reference.h"

namespace schnackomat::reference {
namespace {

struct SplitCase {
    std::u16string Text;
    std::vector<std::u16string_view> Pieces;
};

class SplitPiecesTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitPiecesTest, SplitsAtEverySeparatorAndJoinsBack) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(SplitPieces(c.Text, u' '), c.Pieces);
    EXPECT_EQ(JoinPieces(SplitPieces(c.Text, u' '), u' '), c.Text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitPiecesTest,
    testing::Values(SplitCase{u"", {}}, SplitCase{u"a", {u"a"}}, SplitCase{u" ", {u"", u""}},
                    SplitCase{u"a b", {u"a", u"b"}}, SplitCase{u"a  b", {u"a", u"", u"b"}},
                    SplitCase{u" a ", {u"", u"a", u""}}, SplitCase{u"a\nb c", {u"a\nb", u"c"}}));

}  // namespace
}  // namespace schnackomat::reference
