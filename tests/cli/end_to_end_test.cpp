// Runs the built schnackomat-cli as a separate process and checks its three outputs.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "process.h"

namespace schnackomat::cli {
namespace {

using namespace std::string_literals;
using testing::ProcessResult;
using testing::RunProcess;
using testing::RunProcessOnFile;

const std::string CensorLine = "Achtung! Verstoß gegen den 1337n355-Kodex!! Wort wurde zensiert!\n";
const std::string KeyRejectedLine = "Der Schlüssel passt nicht zu diesem Matrix-Text.\n";

ProcessResult RunCli(const std::vector<std::string>& arguments, const std::string& input = "") {
    return RunProcess(SCHNACKOMAT_CLI_PATH, arguments, input);
}

struct ConversionCase {
    const char* Name;
    std::vector<std::string> Arguments;
    std::string Input;  // standard input
    std::string Output;
};

void PrintTo(const ConversionCase& c, std::ostream* os) {
    *os << c.Name;
}

class CliConversionTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(CliConversionTest, WritesExactlyTheConvertedText) {
    const ConversionCase& c = GetParam();
    const ProcessResult result = RunCli(c.Arguments, c.Input);
    EXPECT_EQ(result.ExitStatus, 0) << result.Stderr;
    EXPECT_EQ(result.Stdout, c.Output);
    EXPECT_EQ(result.Stderr, "");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CliConversionTest,
    ::testing::Values(
        ConversionCase{"SlangAndLeetFromArgument",
                       {"--slang", "--leet", "Ich mache heute eine Party. Das ist cool!"},
                       "",
                       "!ch 7u h3u73 !33n p4442dy 0d32 50 m4ch3n 0d32 50. wuuuh d45 !5 1337 0d32 "
                       "50! zy0000m  wh473v32"},
        ConversionCase{"SlangAndLeetFromStdin",
                       {"-s", "-l"},
                       "Ich mache heute eine Party. Das ist cool!",
                       "!ch 7u h3u73 !33n p4442dy 0d32 50 m4ch3n 0d32 50. wuuuh d45 !5 1337 0d32 "
                       "50! zy0000m  wh473v32"},
        ConversionCase{"ReverseLeetFromStdin", {"-r", "-l"}, "h4ll0 w3lt!", "hallo welt!"},
        ConversionCase{"ArgumentWinsOverStdin", {"-r", "-l", "7357"}, "ignored", "test"},
        ConversionCase{"StartUpStylesWithoutStyleOptions",
                       {"Wir gehen morgen schwimmen, bist du dabei?"},
                       "",
                       "Wi2 63h0rn m0260rn 5chwimm0rn, 8i57 du d483i?"},
        ConversionCase{"ReverseWithStartUpStyles", {"-r"}, "5chwimm0rn", "schwimmen"},
        ConversionCase{"LfKept", {"-l"}, "eins\nzwei\n\ndrei\n", "3in5\nzw3i\n\nd23i\n"},
        ConversionCase{"CrLfKept", {"-l"}, "eins\r\nzwei\r\n", "3in5\r\nzw3i\r\n"},
        ConversionCase{"LoneCrKept", {"-r", "-l"}, "a\r1\r\n", "a\rl\r\n"},
        ConversionCase{"LineBreaksInSlang",
                       {"--slang"},
                       "Das ist cool\r\nJa\n",
                       "das is leet\r\njo\n whatever"},
        ConversionCase{"UmlautsAndEmojiKept",
                       {"--leet"},
                       "Grüße aus Köln 😀 – Äpfel",
                       "62üß3 4u5 Kö1n 😀 – Äpf31"},
        ConversionCase{"SlangLowerCasesUmlauts", {"--slang"}, "ÄÖÜ", "äöü whatever"},
        ConversionCase{"NulKept",
                       {"-l"},
                       "a\0b\0"s,
                       "4\0"
                       "8\0"s},
        ConversionCase{"EmptyStdinWithSlang", {"--slang"}, "", " whatever"},
        ConversionCase{"EmptyStdinWithStartUpStyles", {}, "", ""},
        ConversionCase{"EmptyArgumentWithSlangAndLeet", {"-s", "-l", ""}, "", " wh473v32"},
        ConversionCase{"DoubleDashBeforeDashText", {"-r", "-l", "--", "-1-"}, "", "-l-"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CliTest, CensorMessageGoesToStderrOnce) {
    const ProcessResult result = RunCli({"--slang"}, "muhaha muhaha");
    EXPECT_EQ(result.ExitStatus, 0);
    EXPECT_EQ(result.Stdout, "-*-*-* -*-*-* whatever");
    EXPECT_EQ(result.Stderr, CensorLine);
}

TEST(CliTest, NoCensorWithoutSlang) {
    const ProcessResult result = RunCli({"--leet-words"}, "muhaha");
    EXPECT_EQ(result.ExitStatus, 0);
    EXPECT_EQ(result.Stdout, "muhaha");
    EXPECT_EQ(result.Stderr, "");
}

struct FailureCase {
    const char* Name;
    std::vector<std::string> Arguments;
    std::string Input;
    int ExitStatus;
    std::string FirstStderrLine;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.Name;
}

class CliFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CliFailureTest, FailsWithReasonAndNoOutput) {
    const FailureCase& c = GetParam();
    const ProcessResult result = RunCli(c.Arguments, c.Input);
    EXPECT_EQ(result.ExitStatus, c.ExitStatus);
    EXPECT_EQ(result.Stdout, "");
    EXPECT_EQ(result.Stderr.substr(0, result.Stderr.find('\n') + 1), c.FirstStderrLine);
    if (c.ExitStatus == 1) {
        EXPECT_NE(result.Stderr.find("\nUsage: schnackomat-cli "), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, CliFailureTest,
    ::testing::Values(
        FailureCase{
            "UnknownOption", {"--bogus"}, "", 1, "schnackomat-cli: unknown option '--bogus'\n"},
        FailureCase{
            "MissingKey", {"-m", "--key"}, "x", 1, "schnackomat-cli: option '--key' needs a KEY\n"},
        FailureCase{"TwoTexts",
                    {"a", "b"},
                    "",
                    1,
                    "schnackomat-cli: more than one TEXT given (put a text with spaces in "
                    "quotes)\n"},
        FailureCase{"InvalidStdin",
                    {"-s"},
                    "Gr\xC3\xBC\xC3\x9F Gott, ich bin \xC3",
                    2,
                    "schnackomat-cli: invalid UTF-8 at byte 21 of the input\n"},
        FailureCase{"InvalidStdinAtStart",
                    {"-r"},
                    "\xFF"
                    "abc",
                    2,
                    "schnackomat-cli: invalid UTF-8 at byte 0 of the input\n"},
        FailureCase{"EncodedSurrogateInArgument",
                    {"-l", "ab\xED\xA0\x80"},
                    "",
                    2,
                    "schnackomat-cli: invalid UTF-8 at byte 2 of the input\n"},
        FailureCase{"InvalidKey",
                    {"-m", "--key", "ab\xC0\xAF"},
                    "Hallo",
                    2,
                    "schnackomat-cli: invalid UTF-8 at byte 2 of the KEY\n"},
        FailureCase{"InvalidKeyOnReverse",
                    {"-r", "-m", "-k\x80"},
                    "Hallo",
                    2,
                    "schnackomat-cli: invalid UTF-8 at byte 0 of the KEY\n"},
        FailureCase{"KeyRejected",
                    {"--reverse", "--matrix", "--key", "abd"},
                    "10110 10111 11000 10100 00111 11001 01111 10000 00000 01001 11001 ",
                    3,
                    KeyRejectedLine},
        FailureCase{"NoMarkerIsRejected", {"-r", "-m"}, "Hallo Welt", 3, KeyRejectedLine}),
    [](const auto& info) { return std::string(info.param.Name); });

// A key the key box could not hold as given is refused in both directions, with one line.
struct RefusedKeyCase {
    const char* Name;
    std::vector<std::string> Arguments;
    std::string Diagnostic;
};

void PrintTo(const RefusedKeyCase& c, std::ostream* os) {
    *os << c.Name;
}

class CliRefusedKeyTest : public ::testing::TestWithParam<RefusedKeyCase> {};

TEST_P(CliRefusedKeyTest, RefusesTheKeyWithOneLine) {
    const RefusedKeyCase& c = GetParam();
    const ProcessResult result = RunCli(c.Arguments, "Hallo");
    EXPECT_EQ(result.ExitStatus, 1);
    EXPECT_EQ(result.Stdout, "");
    EXPECT_EQ(result.Stderr, c.Diagnostic);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CliRefusedKeyTest,
    ::testing::Values(
        RefusedKeyCase{"CapitalsAndSpace",
                       {"-m", "-k", "Ab C"},
                       "schnackomat-cli: the key box keeps the KEY 'Ab C' as 'abc' (lower case, no "
                       "spaces): give it so\n"},
        RefusedKeyCase{"CapitalsOnReverse",
                       {"-r", "-m", "--key=QORVU"},
                       "schnackomat-cli: the key box keeps the KEY 'QORVU' as 'qorvu' (lower case, "
                       "no spaces): give it so\n"},
        RefusedKeyCase{"CapitalUmlaut",
                       {"-m", "-k", "\xC3\x84rger"},
                       "schnackomat-cli: the key box keeps the KEY '\xC3\x84rger' as "
                       "'\xC3\xA4rger' (lower case, no spaces): give it so\n"},
        RefusedKeyCase{"OnlySpaces",
                       {"-m", "-k", "  "},
                       "schnackomat-cli: the key box keeps the KEY '  ' as '' (lower case, no "
                       "spaces): give it so\n"},
        RefusedKeyCase{"SixteenLetters",
                       {"-m", "-k", "abcdefghijklmnop"},
                       "schnackomat-cli: the KEY 'abcdefghijklmnop' has 16 characters; the key "
                       "box holds at most 15\n"},
        RefusedKeyCase{"LineBreak",
                       {"-m", "-k", "qorvu\n"},
                       "schnackomat-cli: the KEY 'qorvu\n' is more than one line; the key box "
                       "holds one\n"},
        RefusedKeyCase{"CarriageReturnOnReverse",
                       {"-r", "-m", "-k", "ab\rc"},
                       "schnackomat-cli: the KEY 'ab\rc' is more than one line; the key box "
                       "holds one\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CliTest, EveryKeyTheKeyBoxHoldsCodesAndDecodes) {
    // Fifteen letters, the empty key, and a pasted key with a digit and a mark, which the key box
    // keeps as they are (the digit is lost in the coded text, so that key never reads it back).
    for (const std::string key : {"abcdefghijklmno", "", "nowiknowall"}) {
        const ProcessResult coded = RunCli({"-m", "-k", key}, "geheim");
        ASSERT_EQ(coded.ExitStatus, 0) << key << ": " << coded.Stderr;
        const ProcessResult decoded = RunCli({"-r", "-m", "-k", key}, coded.Stdout);
        EXPECT_EQ(decoded.ExitStatus, 0) << key;
        EXPECT_EQ(decoded.Stdout, "geheim") << key;
    }
    const ProcessResult digit = RunCli({"-m", "-k", "a1!"}, "geheim");
    EXPECT_EQ(digit.ExitStatus, 0) << digit.Stderr;
    EXPECT_EQ(RunCli({"-r", "-m", "-k", "a1!"}, digit.Stdout).ExitStatus, 3);
}

TEST(CliTest, KeyRejectedMessageIsTheOnlyDiagnostic) {
    const ProcessResult coded = RunCli({"--matrix", "--key", "abc"}, "Hallo");
    ASSERT_EQ(coded.ExitStatus, 0);
    const ProcessResult result = RunCli({"--reverse", "--matrix", "--key", "abd"}, coded.Stdout);
    EXPECT_EQ(result.ExitStatus, 3);
    EXPECT_EQ(result.Stdout, "");
    EXPECT_EQ(result.Stderr, KeyRejectedLine);
}

TEST(CliTest, MatrixRoundTripThroughTwoRuns) {
    const std::string text = "Hallo Welt 2024!\r\nÄrger über Öl, Straße 7.";
    const ProcessResult coded = RunCli({"--matrix", "--key", "abc"}, text);
    ASSERT_EQ(coded.ExitStatus, 0) << coded.Stderr;
    EXPECT_EQ(coded.Stderr, "");
    // Five filler groups, the key "abc" and the marker open every coded text.
    ASSERT_GE(coded.Stdout.size(), 30u + 4 * 6);
    EXPECT_EQ(coded.Stdout.substr(30, 24), "11001 01111 10000 00000 ");

    const ProcessResult decoded = RunCli({"-r", "-m", "--key=abc"}, coded.Stdout);
    EXPECT_EQ(decoded.ExitStatus, 0) << decoded.Stderr;
    EXPECT_EQ(decoded.Stdout, "hallo welt !\r\närger über öl, straße .");
    EXPECT_EQ(decoded.Stderr, "");

    const ProcessResult master = RunCli({"-r", "-m", "-k", "nowiknowall"}, coded.Stdout);
    EXPECT_EQ(master.ExitStatus, 0);
    EXPECT_EQ(master.Stdout, decoded.Stdout);
}

TEST(CliTest, DefaultKeyIsUsedWithoutKeyOption) {
    const ProcessResult coded = RunCli({"-m"}, "kk");
    ASSERT_EQ(coded.ExitStatus, 0);
    // "qorvu" after the five filler groups.
    EXPECT_EQ(coded.Stdout.substr(30, 30), "10100 00010 10010 00111 01011 ");
    const ProcessResult decoded = RunCli({"-r", "-m", "-k", "qorvu"}, coded.Stdout);
    EXPECT_EQ(decoded.ExitStatus, 0);
    EXPECT_EQ(decoded.Stdout, "kk");
}

TEST(CliTest, LoneSurrogateLeftByDecoderBecomesReplacementCharacter) {
    // The decoder drops the last unit of the text, here the second half of the emoji's pair.
    const ProcessResult coded = RunCli({"-m", "-k", "abc"}, "a");
    ASSERT_EQ(coded.ExitStatus, 0);
    const std::string withoutFiller = coded.Stdout.substr(0, coded.Stdout.size() - 6);
    const ProcessResult decoded = RunCli({"-r", "-m", "-k", "abc"}, withoutFiller + "😀");
    EXPECT_EQ(decoded.ExitStatus, 0);
    EXPECT_EQ(decoded.Stdout, "a\xEF\xBF\xBD");
}

TEST(CliTest, LargeInputPassesUnchanged) {
    std::string text;
    while (text.size() < (std::size_t{4} << 20)) {
        text += "Grüße, ich teste 😀 große Eingaben.\r\n";
    }
    const ProcessResult result = RunCli({"--reverse", "--leet-words"}, text);
    EXPECT_EQ(result.ExitStatus, 0);
    EXPECT_EQ(result.Stdout.size(), text.size());
    EXPECT_TRUE(result.Stdout == text);
}

TEST(CliTest, HelpListsOptionsAndExitsZero) {
    const ProcessResult result = RunCli({"--help"});
    EXPECT_EQ(result.ExitStatus, 0);
    EXPECT_EQ(result.Stdout.rfind("Usage: schnackomat-cli ", 0), 0u);
    EXPECT_NE(result.Stdout.find("--leet-words"), std::string::npos);
    EXPECT_NE(result.Stdout.find("| schnackomat-cli"), std::string::npos);
    EXPECT_EQ(result.Stderr, "");
}

TEST(CliTest, VersionIsTheProjectVersion) {
    const ProcessResult result = RunCli({"--version"});
    EXPECT_EQ(result.ExitStatus, 0);
    EXPECT_EQ(result.Stdout, "schnackomat-cli " SCHNACKOMAT_EXPECTED_VERSION "\n");
    EXPECT_EQ(result.Stderr, "");
}

struct InputLengthCase {
    const char* Name;
    std::size_t Lines;  // of 16 bytes each
    bool FromFile;      // standard input is a file, not a pipe
};

void PrintTo(const InputLengthCase& c, std::ostream* os) {
    *os << c.Name;
}

class CliInputLengthTest : public ::testing::TestWithParam<InputLengthCase> {};

// All of standard input reaches the conversion, from a pipe or a file, at lengths around the
// sizes in which a pipe is read and beyond the largest buffer a pipe fills at once.
TEST_P(CliInputLengthTest, ConvertsAllOfStandardInput) {
    const InputLengthCase& c = GetParam();
    std::string input;
    std::string expected;
    for (std::size_t line = 0; line < c.Lines; ++line) {
        input += "Hallo Welt, wie\n";
        expected += "H4110 W317, wi3\n";
    }
    ProcessResult result;
    if (c.FromFile) {
        const std::string path = ::testing::TempDir() + "schnackomat_cli_input_" + c.Name;
        std::ofstream(path, std::ios::binary) << input;
        result = RunProcessOnFile(SCHNACKOMAT_CLI_PATH, {"-l"}, path);
        std::remove(path.c_str());
    } else {
        result = RunCli({"-l"}, input);
    }
    EXPECT_EQ(result.ExitStatus, 0) << result.Stderr;
    EXPECT_EQ(result.Stdout.size(), expected.size());
    EXPECT_TRUE(result.Stdout == expected);
    EXPECT_EQ(result.Stderr, "");
}

INSTANTIATE_TEST_SUITE_P(Lengths, CliInputLengthTest,
                         ::testing::Values(InputLengthCase{"PipeEmpty", 0, false},
                                           InputLengthCase{"PipeJustOver4KiB", 257, false},
                                           InputLengthCase{"PipeJustUnder64KiB", 4095, false},
                                           InputLengthCase{"Pipe64KiB", 4096, false},
                                           InputLengthCase{"PipeJustOver64KiB", 4097, false},
                                           InputLengthCase{"PipeJustOver1MiB", 65537, false},
                                           InputLengthCase{"FileEmpty", 0, true},
                                           InputLengthCase{"FileJustOver1MiB", 65537, true}));

}  // namespace
}  // namespace schnackomat::cli
