#include "arguments.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace schnackomat::cli {
namespace {

ParseResult Parse(const std::vector<std::string_view>& arguments) {
    return ParseArguments(arguments);
}

// A conversion request with exactly the given styles, the default key and standard input.
CliArguments Styles(bool slang, bool leet, bool leetWords, bool matrix) {
    CliArguments expected;
    expected.SlangStyle = slang;
    expected.LeetCharacters = leet;
    expected.LeetWords = leetWords;
    expected.MatrixStyle = matrix;
    return expected;
}

CliArguments WithKey(CliArguments arguments, std::string key) {
    arguments.MatrixKey = std::move(key);
    return arguments;
}

CliArguments WithText(CliArguments arguments, std::string text) {
    arguments.Text = std::move(text);
    return arguments;
}

CliArguments Reversed(CliArguments arguments) {
    arguments.Reverse = true;
    return arguments;
}

CliArguments Requesting(CliArguments::Action action) {
    CliArguments arguments;
    arguments.Request = action;
    return arguments;
}

const CliArguments Defaults = Styles(false, true, true, false);
const CliArguments MatrixOnly = Styles(false, false, false, true);

struct AcceptedCase {
    const char* Name;
    std::vector<std::string_view> Arguments;
    CliArguments Expected;
};

void PrintTo(const AcceptedCase& c, std::ostream* os) {
    *os << c.Name;
}

class AcceptedArgumentsTest : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedArgumentsTest, ParsesToTheExpectedRequest) {
    const AcceptedCase& c = GetParam();
    const ParseResult result = Parse(c.Arguments);
    ASSERT_TRUE(std::holds_alternative<CliArguments>(result))
        << std::get<UsageError>(result).Reason;
    EXPECT_EQ(std::get<CliArguments>(result), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, AcceptedArgumentsTest,
    ::testing::Values(
        AcceptedCase{"NothingGivesTheStartUpStyles", {}, Defaults},
        AcceptedCase{"SlangLong", {"--slang"}, Styles(true, false, false, false)},
        AcceptedCase{"SlangShort", {"-s"}, Styles(true, false, false, false)},
        AcceptedCase{"LeetLong", {"--leet"}, Styles(false, true, false, false)},
        AcceptedCase{"LeetShort", {"-l"}, Styles(false, true, false, false)},
        AcceptedCase{"LeetWordsLong", {"--leet-words"}, Styles(false, false, true, false)},
        AcceptedCase{"LeetWordsShort", {"-w"}, Styles(false, false, true, false)},
        AcceptedCase{"MatrixLong", {"--matrix"}, Styles(false, false, false, true)},
        AcceptedCase{"MatrixShort", {"-m"}, Styles(false, false, false, true)},
        AcceptedCase{"AllStyles",
                     {"--slang", "--leet", "--leet-words", "--matrix"},
                     Styles(true, true, true, true)},
        AcceptedCase{"BundledShortOptions", {"-slr"}, Reversed(Styles(true, true, false, false))},
        AcceptedCase{"ReverseAloneKeepsTheStartUpStyles", {"--reverse"}, Reversed(Defaults)},
        AcceptedCase{"ReverseShort", {"-r", "-s"}, Reversed(Styles(true, false, false, false))},
        AcceptedCase{"KeyAloneKeepsTheStartUpStyles", {"--key", "abc"}, WithKey(Defaults, "abc")},
        AcceptedCase{"KeyLong", {"-m", "--key", "abc"}, WithKey(MatrixOnly, "abc")},
        AcceptedCase{"KeyWithEquals", {"-m", "--key=abc"}, WithKey(MatrixOnly, "abc")},
        AcceptedCase{"KeyWithEqualsMayBeEmpty", {"-m", "--key="}, WithKey(MatrixOnly, "")},
        AcceptedCase{"KeyShort", {"-m", "-k", "abc"}, WithKey(MatrixOnly, "abc")},
        AcceptedCase{"KeyShortAttached", {"-mkabc"}, WithKey(MatrixOnly, "abc")},
        AcceptedCase{
            "KeyTakesTheNextArgumentWhateverItIs", {"-k", "--slang"}, WithKey(Defaults, "--slang")},
        AcceptedCase{"LastKeyWins", {"-k", "abc", "--key=xyz"}, WithKey(Defaults, "xyz")},
        AcceptedCase{"Text", {"Hallo Welt"}, WithText(Defaults, "Hallo Welt")},
        AcceptedCase{"EmptyTextIsAText", {""}, WithText(Defaults, "")},
        AcceptedCase{"DashIsAText", {"-"}, WithText(Defaults, "-")},
        AcceptedCase{"OptionsAfterText",
                     {"Hallo", "--slang"},
                     WithText(Styles(true, false, false, false), "Hallo")},
        AcceptedCase{"DoubleDashEndsOptions",
                     {"-s", "--", "--leet"},
                     WithText(Styles(true, false, false, false), "--leet")},
        AcceptedCase{"SecondDoubleDashIsText", {"--", "--"}, WithText(Defaults, "--")},
        AcceptedCase{"HelpLong", {"--help"}, Requesting(CliArguments::Action::ShowHelp)},
        AcceptedCase{"HelpShort", {"-h"}, Requesting(CliArguments::Action::ShowHelp)},
        AcceptedCase{"HelpStopsParsing",
                     {"--help", "--bogus", "a", "b"},
                     Requesting(CliArguments::Action::ShowHelp)},
        AcceptedCase{"Version", {"--version"}, Requesting(CliArguments::Action::ShowVersion)}),
    [](const auto& info) { return std::string(info.param.Name); });

struct RejectedCase {
    const char* Name;
    std::vector<std::string_view> Arguments;
    std::string Reason;
};

void PrintTo(const RejectedCase& c, std::ostream* os) {
    *os << c.Name;
}

class RejectedArgumentsTest : public ::testing::TestWithParam<RejectedCase> {};

TEST_P(RejectedArgumentsTest, GivesAOneLineReason) {
    const RejectedCase& c = GetParam();
    const ParseResult result = Parse(c.Arguments);
    ASSERT_TRUE(std::holds_alternative<UsageError>(result));
    const std::string& reason = std::get<UsageError>(result).Reason;
    EXPECT_EQ(reason, c.Reason);
    EXPECT_EQ(reason.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, RejectedArgumentsTest,
    ::testing::Values(
        RejectedCase{"KeyWithoutValue", {"-m", "--key"}, "option '--key' needs a KEY"},
        RejectedCase{"ShortKeyWithoutValue", {"-mk"}, "option '-k' needs a KEY"},
        RejectedCase{"UnknownLongOption", {"--slangs"}, "unknown option '--slangs'"},
        RejectedCase{"UnknownLongOptionWithValue", {"--foo=1"}, "unknown option '--foo'"},
        RejectedCase{"UnknownShortOption", {"-x"}, "unknown option '-x'"},
        RejectedCase{"UnknownInBundle", {"-slx"}, "unknown option '-x'"},
        RejectedCase{"FlagWithValue", {"--slang=yes"}, "option '--slang' takes no value"},
        RejectedCase{"ErrorBeforeHelp", {"--bogus", "--help"}, "unknown option '--bogus'"},
        RejectedCase{"TwoTexts",
                     {"Hallo", "Welt"},
                     "more than one TEXT given (put a text with spaces in quotes)"},
        RejectedCase{"TwoTextsAroundDoubleDash",
                     {"Hallo", "--", "-Welt"},
                     "more than one TEXT given (put a text with spaces in quotes)"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(UsageTextTest, HelpNamesEveryOptionAndShowsAPipe) {
    const std::string help = HelpText();
    for (const char* option :
         {"--slang", "-s,", "--leet ", "-l,", "--leet-words", "-w,", "--matrix", "-m,", "--key",
          "-k,", "--reverse", "-r,", "--help", "--version", "--"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    EXPECT_NE(help.find("| schnackomat-cli"), std::string::npos);
    EXPECT_EQ(help.rfind(UsageText(), 0), 0u);
}

}  // namespace
}  // namespace schnackomat::cli
