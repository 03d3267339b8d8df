// Reading scenarios: the words of a line, the escapes of its strings, the step forms, and the
// reasons, with their line numbers, for what cannot be read.
#include "scenario.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace schnackomat::scenarios {
namespace {

// The one step of "<line>\nexpect messages 0" (or of the line alone, when it is an expectation).
Step OnlyStep(const std::string& line) {
    const bool expectation = line.starts_with("expect ");
    const auto parsed = ParseScenario(expectation ? line : line + "\nexpect messages 0");
    if (const auto* error = std::get_if<ParseError>(&parsed)) {
        ADD_FAILURE() << line << ": line " << error->Line << ": " << error->Reason;
        return {};
    }
    return std::get<Scenario>(parsed).Steps.front();
}

TEST(ScenarioTest, EveryStepFormReadsItsArguments) {
    struct Case {
        std::string Line;
        std::string_view Name;
        std::vector<Argument> Arguments;
    };
    const Case cases[] = {
        {"focus Text1", "focus", {"Text1"}},
        {"click Check4", "click", {"Check4"}},
        {"click Form2.Label15", "click", {"Form2.Label15"}},
        {"click Text2 at 12", "click at", {"Text2", 12}},
        {R"(type "hallo welt")", "type", {"hallo welt"}},
        {"press Ctrl+Shift+Z", "press", {"Ctrl+Shift+Z"}},
        {"press Shift+Ctrl+Z", "press", {"Ctrl+Shift+Z"}},
        {"press Esc", "press", {"Esc"}},
        {"press Alt+N", "press", {"Alt+N"}},
        {R"(paste "qorvu\n")", "paste", {"qorvu\n"}},
        {"answer No", "answer", {"No"}},
        {"hover Label5", "hover", {"Label5"}},
        {"hover window", "hover window", {}},
        {"scroll Text2 end", "scroll", {"Text2"}},
        {R"(expect text Text1 "")", "expect text", {"Text1", ""}},
        {"expect caret Text3 5", "expect caret", {"Text3", 5}},
        {"expect selection Text1 0 10", "expect selection", {"Text1", 0, 10}},
        {"expect checked Check1 0", "expect checked", {"Check1", "0"}},
        {"expect focus Form2", "expect focus", {"Form2"}},
        {"expect leads none", "expect leads", {"none"}},
        {R"(expect clipboard "h4ll0")", "expect clipboard", {"h4ll0"}},
        {"expect clipboard Text2", "expect clipboard of", {"Text2"}},
        {"expect messages 3", "expect messages", {3}},
        {R"(expect message 1 "Sind Sie sicher?" "Beenden" YesNo question)",
         "expect message",
         {1, "Sind Sie sicher?", "Beenden", "YesNo", "question"}},
        {"expect links 0", "expect links", {0}},
        {R"(expect link 1 "mailto:x@y")", "expect link", {1, "mailto:x@y"}},
        {"expect colour Label3 #FFFF80", "expect colour", {"Label3", "#ffff80"}},
        {"expect closed Form1", "expect closed", {"Form1"}},
        {R"(expect caption Form2.Label4 "STRG + Z --> zyoooooom")",
         "expect caption",
         {"Form2.Label4", "STRG + Z --> zyoooooom"}},
        {"expect view Text2 end", "expect view", {"Text2", "end"}},
        {R"(expect decoded Text2 "qorvu" "hallo")", "expect decoded", {"Text2", "qorvu", "hallo"}},
        {"expect letters Text1", "expect letters", {"Text1"}},
        {"  click   Text1   at  0  ", "click at", {"Text1", 0}},
    };
    for (const Case& c : cases) {
        const Step step = OnlyStep(c.Line);
        EXPECT_EQ(step.Name, c.Name) << c.Line;
        EXPECT_EQ(step.Arguments, c.Arguments) << c.Line;
    }
}

TEST(ScenarioTest, StringsTakeTheEscapesOfJson) {
    struct Case {
        std::string Written;
        std::string Text;
    };
    const Case cases[] = {
        {R"("a\"b")", "a\"b"},
        {R"("a\\nb")", "a\\nb"},
        {R"("eins\nzwei")", "eins\nzwei"},
        {R"("\r\t\b\f\/")", "\r\t\b\f/"},
        {R"("\u00e4\u00DF")", "äß"},
        {R"("\u20ac")", "€"},
        {R"("\ud83d\ude00")", "\xF0\x9F\x98\x80"},
        {R"("raw ä and € stay")", "raw ä and € stay"},
        {R"("# not a comment")", "# not a comment"},
        {R"("")", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OnlyStep("type " + c.Written).Arguments, std::vector<Argument>{c.Text})
            << c.Written;
    }
}

TEST(ScenarioTest, CommentsBlankLinesAndLineEndsAreSkippedButCounted) {
    const auto parsed = ParseScenario(
        "# a comment with an \"open quote\n"
        "\n"
        "   \t\n"
        "  # an indented comment\n"
        "click Text1\r\n"
        "expect colour Label3 #ffff80\n"
        "type \"x\"");
    ASSERT_TRUE(std::holds_alternative<Scenario>(parsed));
    const std::vector<Step>& steps = std::get<Scenario>(parsed).Steps;
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].Line, 5);
    EXPECT_EQ(steps[0].Arguments, std::vector<Argument>{"Text1"});
    EXPECT_EQ(steps[1].Line, 6);
    EXPECT_EQ(steps[2].Line, 7);
}

TEST(ScenarioTest, PendingLinesNameTheBindingAndTheReason) {
    const auto parsed = ParseScenario(
        "pending page \"the page selects all on a click\"\n"
        "pending qt \"not yet\"\n"
        "expect messages 0\n");
    ASSERT_TRUE(std::holds_alternative<Scenario>(parsed));
    const Scenario& scenario = std::get<Scenario>(parsed);
    EXPECT_EQ(scenario.Pending.size(), 2u);
    EXPECT_EQ(scenario.Pending.at("page"), "the page selects all on a click");
    EXPECT_EQ(scenario.Pending.at("qt"), "not yet");
    EXPECT_EQ(scenario.Steps.size(), 1u);
}

TEST(ScenarioTest, WhatCannotBeReadIsRefusedWithItsLineAndReason) {
    struct Case {
        std::string Text;
        int Line;
        std::string Reason;  // a part of the reason
    };
    const Case cases[] = {
        {"expect messages 0\nclick Text9", 2, "`Text9` is not a control"},
        {"expect messages 0\nclick Form2.Label16", 2, "`Form2.Label16` is not a control"},
        {"expect messages 0\nclick Form2.Label01", 2, "is not a control"},
        {"expect messages 0\nclick text1", 2, "`text1` is not a control"},
        {"expect messages 0\n\nklick Text1", 3, "`klick` is no step"},
        {"expect messages 0\ntype hallo", 2, "`hallo` should be a string in double quotes"},
        {"expect messages 0\nclick \"Text1\"", 2, "a string where CONTROL belongs"},
        {"expect messages 0\ntype \"hallo", 2, "without its closing quote"},
        {"expect messages 0\ntype \"hallo\\\"", 2, "without its closing quote"},
        {"expect messages 0\ntype \"a\\qb\"", 2, "unknown escape \\q"},
        {"expect messages 0\ntype \"\\u12\"", 2, "four hexadecimal digits"},
        {"expect messages 0\ntype \"\\ud83d\"", 2, "high surrogate without a low one"},
        {"expect messages 0\ntype \"\\ude00\"", 2, "low surrogate without a high one"},
        {"expect messages 0\ntype \"a\"\"b\"", 2, "followed by a space"},
        {"expect messages 0\ntype a\"b\"", 2, "a quote inside a word"},
        {"expect messages 0\ntype \"a\" \"b\"", 2, "more than `type STRING` takes"},
        {"expect messages 0\nclick Text1 at", 2, "needs NUMBER at the end"},
        {"expect messages 0\nclick Text1 at -1", 2, "`-1` is not a number"},
        {"expect messages 0\nclick Text1 at 1x", 2, "`1x` is not a number"},
        {"expect messages 0\npress Ctrl+Ctrl+Z", 2, "each once"},
        {"expect messages 0\npress Hyper+Z", 2, "is not a key"},
        {"expect messages 0\npress Ctrl+z", 2, "`Ctrl+z` is not a key"},
        {"expect messages 0\npress Escape", 2, "`Escape` is not a key"},
        {"expect messages 0\nanswer Ja", 2, "`Ja` where `Yes|No|OK` belongs"},
        {"expect messages 0\nscroll Text2 top", 2, "has `end` here"},
        {"expect colour Label3 #fff", 1, "not a colour"},
        {"expect colour Label3 #ggffff", 1, "not a colour"},
        {"expect checked Check1 2", 1, "`2` where `0|1` belongs"},
        {"expect leads Text3", 1, "`Text3` where `Text1|Text2|none` belongs"},
        {"expect message 1 \"a\" \"b\" OK", 1, "needs none|information|question at the end"},
        {"expect wonders 3", 1, "`expect wonders` is no step"},
        {"expect messages 0\nclick Text1 on 3", 2, "`click CONTROL at NUMBER` has `at` here"},
        {"expect messages 0\npending firefox \"x\"", 2, "`firefox` where `qt|page|windows`"},
        {"pending qt \"a\"\npending qt \"b\"\nexpect messages 0", 2, "pending on qt already"},
        {"expect messages 0\ntype \"\xC3\"", 2, "not UTF-8 at byte 7"},
        {"expect messages 0\ntype \"\xED\xA0\x80\"", 2, "not UTF-8"},
        {"expect messages 0\ntype \"\xC0\xAF\"", 2, "not UTF-8"},
        {"click Text1\ntype \"x\"\n", 2, "without any expectation"},
        {"", 0, "without any expectation"},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseScenario(c.Text);
        const auto* error = std::get_if<ParseError>(&parsed);
        ASSERT_NE(error, nullptr) << c.Text;
        EXPECT_EQ(error->Line, c.Line) << c.Text;
        EXPECT_NE(error->Reason.find(c.Reason), std::string::npos)
            << c.Text << "\ngave: " << error->Reason;
    }
}

TEST(ScenarioTest, KeysSplitIntoTheirModifiersAndTheKey) {
    struct Case {
        std::string_view Written;
        KeyPress Press;
    };
    const Case cases[] = {
        {"Tab", {false, false, false, "Tab"}},
        {"Shift+Tab", {false, true, false, "Tab"}},
        {"Ctrl+Backspace", {true, false, false, "Backspace"}},
        {"Ctrl+Shift+Alt+Z", {true, true, true, "Z"}},
    };
    for (const Case& c : cases) {
        const KeyPress press = SplitKey(c.Written);
        EXPECT_EQ(press.Ctrl, c.Press.Ctrl) << c.Written;
        EXPECT_EQ(press.Shift, c.Press.Shift) << c.Written;
        EXPECT_EQ(press.Alt, c.Press.Alt) << c.Written;
        EXPECT_EQ(press.Key, c.Press.Key) << c.Written;
    }
}

// The scenarios of this folder are read before any runner plays them, also where no runner is
// built.
TEST(ScenarioFilesTest, EveryScenarioFileReads) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SCHNACKOMAT_SCENARIO_DIR)) {
        if (entry.path().extension() != ".scenario") {
            continue;
        }
        ++files;
        std::ifstream file(entry.path(), std::ios::binary);
        std::ostringstream content;
        content << file.rdbuf();
        const auto parsed = ParseScenario(content.str());
        if (const auto* error = std::get_if<ParseError>(&parsed)) {
            ADD_FAILURE() << entry.path().filename().string() << ':' << error->Line << ": "
                          << error->Reason;
        }
    }
    EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace schnackomat::scenarios
