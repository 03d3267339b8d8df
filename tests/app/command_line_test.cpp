// Runs the built window program as a separate process, without any display, and checks how it
// answers its command line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "process.h"

namespace {

using schnackomat::cli::testing::ProcessResult;
using schnackomat::cli::testing::RunProcess;

struct CommandLineCase {
    const char* Name;
    std::vector<std::string> Arguments;
    int ExitStatus;
    std::vector<std::string> InStdout;  // each must appear in standard output
    std::string InStderr;               // must appear in the one line on standard error
};

void PrintTo(const CommandLineCase& c, std::ostream* os) {
    *os << c.Name;
}

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {
  protected:
    // No display at all: a program that started the window toolkit's display connection
    // would end abnormally instead of answering.
    static void SetUpTestSuite() {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
};

TEST_P(CommandLineTest, AnswersWithoutOpeningAWindow) {
    const CommandLineCase& c = GetParam();
    const ProcessResult result = RunProcess(SCHNACKOMAT_PATH, c.Arguments, "");
    EXPECT_EQ(result.ExitStatus, c.ExitStatus) << result.Stderr;
    for (const std::string& expected : c.InStdout) {
        EXPECT_NE(result.Stdout.find(expected), std::string::npos)
            << "missing \"" << expected << "\" in:\n"
            << result.Stdout;
    }
    if (c.InStderr.empty()) {
        EXPECT_EQ(result.Stderr, "");
    } else {
        EXPECT_TRUE(result.Stdout.empty()) << result.Stdout;
        EXPECT_NE(result.Stderr.find(c.InStderr), std::string::npos) << result.Stderr;
        // Exactly one line.
        ASSERT_FALSE(result.Stderr.empty());
        EXPECT_EQ(result.Stderr.find('\n'), result.Stderr.size() - 1) << result.Stderr;
    }
}

const std::string Version = "Schnackomat " SCHNACKOMAT_EXPECTED_VERSION "\n";

INSTANTIATE_TEST_SUITE_P(
    Options, CommandLineTest,
    ::testing::Values(
        CommandLineCase{"help", {"--help"}, 0, {"Usage: schnackomat", "--help", "--version"}, ""},
        CommandLineCase{"short help", {"-h"}, 0, {"Usage: schnackomat", "--version"}, ""},
        CommandLineCase{"version", {"--version"}, 0, {Version}, ""},
        CommandLineCase{"short version", {"-v"}, 0, {Version}, ""},
        CommandLineCase{"unknown option", {"--bogus"}, 1, {}, "bogus"},
        CommandLineCase{"unknown option after help", {"--help", "--bogus"}, 1, {}, "bogus"},
        CommandLineCase{"unknown short option", {"-x"}, 1, {}, "x"},
        CommandLineCase{"an argument", {"Hallo"}, 1, {}, "Hallo"},
        CommandLineCase{"toolkit option with help",
                        {"-style", "Fusion", "--help"},
                        0,
                        {"Usage: schnackomat"},
                        ""}),
    [](const ::testing::TestParamInfo<CommandLineCase>& info) {
        std::string name = info.param.Name;
        for (char& character : name) {
            if (character == ' ') {
                character = '_';
            }
        }
        return name;
    });

// The help is the program's own, and the toolkit's options stay out of it.
TEST(CommandLineHelpTest, ListsOnlyTheProgramsOwnOptions) {
    const ProcessResult result = RunProcess(SCHNACKOMAT_PATH, {"--help"}, "");
    EXPECT_EQ(result.Stdout.find("platform"), std::string::npos) << result.Stdout;
    EXPECT_EQ(result.Stdout.find("<executable_name>"), std::string::npos) << result.Stdout;
}

}  // namespace
