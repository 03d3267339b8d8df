// The converter under hostile input: texts of many megabytes in every option combination, the
// largest expansions of the slang table, every control character, and every kind of invalid
// UTF-8. Nothing may crash or hang, and the output must always be valid UTF-8.
//
// SCHNACKOMAT_HOSTILE_MIB sets the size of the large texts (10 MiB unless set; the sanitizer
// run uses less).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "process.h"
#include "utf8.h"

namespace schnackomat::cli {
namespace {

using testing::ProcessResult;
using testing::RunProcess;

ProcessResult RunCli(const std::vector<std::string>& arguments, const std::string& input) {
    return RunProcess(SCHNACKOMAT_CLI_PATH, arguments, input);
}

std::size_t LargeSize() {
    const char* mib = std::getenv("SCHNACKOMAT_HOSTILE_MIB");
    const long value = mib != nullptr ? std::strtol(mib, nullptr, 10) : 10;
    return static_cast<std::size_t>(value > 0 ? value : 1) << 20;
}

std::string Repeat(const std::string& piece, std::size_t size) {
    std::string text;
    text.reserve(size + piece.size());
    while (text.size() < size) {
        text += piece;
    }
    return text;
}

// German text with everything the stages look for: umlauts, capitals, emoji, line breaks of
// all three kinds, runs of spaces and marks, digits, slashes and Matrix groups.
const std::string Mixed =
    "Ich mache heute eine Party. Das ist cool! Wir gehen, du machst: muhaha?\r\n"
    "ÄRGER über Straße 1234 \xF0\x9F\x98\x80 kobo  rul ... !!\n"
    "10101 00000 11111 ///// \r\tscheiße; wie du als ich\x01\x1F\x7F zum beim.\n";

const std::vector<std::string> OptionSets{
    "-s",  "-l",  "-w",   "-m",   "-sl",  "-sw",  "-sm",   "-lw",
    "-lm", "-wm", "-slw", "-slm", "-swm", "-lwm", "-slwm",
};

TEST(CliHostileInputTest, LargeTextsConvertBothWaysInEveryOptionCombination) {
    const std::string text = Repeat(Mixed, LargeSize());
    for (const std::string& options : OptionSets) {
        SCOPED_TRACE(options);
        const ProcessResult forward = RunCli({options, "-k", "abc"}, text);
        ASSERT_EQ(forward.ExitStatus, 0) << forward.Stderr;
        ASSERT_TRUE(DecodeUtf8(forward.Stdout).Valid());
        ASSERT_GT(forward.Stdout.size(), text.size() / 2);

        // The text's own "/////" becomes a second marker, which no ordinary key passes; the
        // master code opens it.
        const ProcessResult back = RunCli({"-r", options, "-k", "nowiknowall"}, forward.Stdout);
        ASSERT_EQ(back.ExitStatus, 0) << back.Stderr;
        ASSERT_TRUE(DecodeUtf8(back.Stdout).Valid());
        ASSERT_FALSE(back.Stdout.empty());
    }
}

// The texts that grow most: every copy grows by the same amount, so N copies give N times the
// output of one copy (plus the closing " whatever" once).
class CliExpansionTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CliExpansionTest, TheLargestExpansionsGrowLinearly) {
    const std::string& piece = GetParam();
    const ProcessResult one = RunCli({"-s"}, piece);
    const ProcessResult two = RunCli({"-s"}, piece + piece);
    ASSERT_EQ(one.ExitStatus, 0);
    const std::size_t perCopy = two.Stdout.size() - one.Stdout.size();
    const std::size_t fixed = one.Stdout.size() - perCopy;

    const std::size_t copies = LargeSize() / piece.size();
    std::string text;
    text.reserve(copies * piece.size());
    for (std::size_t i = 0; i < copies; ++i) {
        text += piece;
    }
    const ProcessResult large = RunCli({"-s"}, text);
    ASSERT_EQ(large.ExitStatus, 0);
    EXPECT_EQ(large.Stdout.size(), copies * perCopy + fixed);
    EXPECT_EQ(large.Stdout.substr(0, one.Stdout.size() - 9),
              one.Stdout.substr(0, one.Stdout.size() - 9));
}

INSTANTIATE_TEST_SUITE_P(Pieces, CliExpansionTest,
                         ::testing::Values(std::string("rul "), std::string("scheiße ")),
                         [](const auto& info) { return info.index == 0 ? "Rul" : "Scheisse"; });

TEST(CliHostileInputTest, ControlCharactersAndNulPassThroughUnchanged) {
    std::string text;
    for (int code = 0; code < 0x20; ++code) {
        text += static_cast<char>(code);
        text += 'x';
    }
    text += "\x7F\r\n\r\n";
    // Without any stage that touches them, the characters come out byte for byte.
    const ProcessResult leet = RunCli({"-l"}, text);
    ASSERT_EQ(leet.ExitStatus, 0);
    EXPECT_EQ(leet.Stdout, text);
    const ProcessResult back = RunCli({"-r", "-l"}, text);
    EXPECT_EQ(back.Stdout, text);
    const ProcessResult matrix = RunCli({"-m", "-k", "a"}, text);
    ASSERT_EQ(matrix.ExitStatus, 0);
    const ProcessResult decoded = RunCli({"-r", "-m", "-k", "a"}, matrix.Stdout);
    EXPECT_EQ(decoded.Stdout, text);
}

struct InvalidCase {
    const char* Name;
    std::string Bytes;
    std::size_t Offset;
};

class CliInvalidUtf8Test : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(CliInvalidUtf8Test, IsRejectedWithNothingOnStandardOutput) {
    const InvalidCase& c = GetParam();
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"-s"}, std::vector<std::string>{"-r", "-m"}}) {
        const ProcessResult result = RunCli(arguments, "ok " + c.Bytes + " ok");
        EXPECT_EQ(result.ExitStatus, 2);
        EXPECT_EQ(result.Stdout, "");
        EXPECT_NE(result.Stderr.find("at byte " + std::to_string(3 + c.Offset) + " "),
                  std::string::npos)
            << result.Stderr;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CliInvalidUtf8Test,
                         ::testing::Values(InvalidCase{"TruncatedTwo", "\xC3", 0},
                                           InvalidCase{"TruncatedThree", "\xE2\x82", 0},
                                           InvalidCase{"TruncatedFour", "\xF0\x9F\x98", 0},
                                           InvalidCase{"LoneContinuation", "\x80", 0},
                                           InvalidCase{"OverlongTwo", "\xC0\xAF", 0},
                                           InvalidCase{"OverlongTwoC1", "\xC1\xBF", 0},
                                           InvalidCase{"OverlongThree", "\xE0\x80\xAF", 0},
                                           InvalidCase{"OverlongFour", "\xF0\x80\x80\xAF", 0},
                                           InvalidCase{"EncodedHighSurrogate", "\xED\xA0\x80", 0},
                                           InvalidCase{"EncodedLowSurrogate", "\xED\xBF\xBF", 0},
                                           InvalidCase{"AboveU10FFFF", "\xF4\x90\x80\x80", 0},
                                           InvalidCase{"ByteF5", "\xF5\x80\x80\x80", 0},
                                           InvalidCase{"ByteFF", "\xFF", 0},
                                           InvalidCase{"AfterValidUmlaut", "\xC3\xA4\xC3", 2}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace schnackomat::cli
