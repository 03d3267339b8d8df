#include "page_toolkit.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "page.h"
#include "schnackomat/conversion.h"
#include "schnackomat/random.h"
#include "schnackomat/rules/window_rules.h"

namespace schnackomat::web {
namespace {

using rules::Control;
using rules::MessageAnswer;

// Always draws the same value, so every random letter is known.
class FixedRandomSource final : public RandomSource {
  public:
    std::uint32_t NextBelow(std::uint32_t bound) override { return 7 % bound; }
};

// A page as the browser keeps it: elements that hold their values and raise nothing when
// script writes them. Records what the binding asked of it.
class FakePage final : public Page {
  public:
    std::u16string ReadText(Control box) override { return texts[box]; }
    std::size_t TextLength(Control box) override { return texts[box].size(); }
    bool ReplaceText(Control box, std::u16string_view text) override {
        ++replaceCalls;
        if (texts[box] == text) {
            return false;
        }
        texts[box] = std::u16string(text);
        return true;
    }
    void SetSelection(Control box, std::size_t, std::size_t) override { selected.push_back(box); }
    bool ReadChecked(Control box) override { return checked[box]; }
    void SetChecked(Control box, bool value) override { checked[box] = value; }
    void MoveFocus(Control control) override { focusMoves.push_back(control); }
    void SetTextColour(Control, rules::Colour) override {}
    MessageAnswer AskMessage(const rules::Message& message) override {
        asked.push_back(std::u16string(message.Text));
        if (answers.empty()) {
            return message.Buttons == rules::MessageButtons::YesNo ? MessageAnswer::No
                                                                   : MessageAnswer::Ok;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void WriteClipboard(std::u16string_view text) override {
        clipboardWrites.push_back(std::u16string(text));
    }
    void OpenLink(std::string_view) override {}
    void ShowLeadingBox(std::string_view box) override { leads = std::string(box); }
    void ShowHelpWindow() override { helpShown = true; }
    void HideHelpWindow() override { helpShown = false; }
    void EndMainWindow() override { ++ended; }

    std::map<Control, std::u16string> texts{{Control::Text3, u"qorvu"}};
    std::map<Control, bool> checked{{Control::Check1, true}, {Control::Check3, true}};
    std::vector<Control> selected;
    std::vector<Control> focusMoves;
    std::vector<std::u16string> asked;
    std::deque<MessageAnswer> answers;
    std::vector<std::u16string> clipboardWrites;
    int replaceCalls = 0;
    std::string leads;
    bool helpShown = false;
    int ended = 0;
};

// The page, its toolkit and the rules, started as the page starts them.
struct Program {
    Program() {
        toolkit.Attach(rules);
        rules.Start();
    }
    // Types `text` into a box as the user would: the element takes it, then reports the edit.
    void Type(Control box, std::u16string_view text) {
        page.texts[box] += text;
        toolkit.UserEdited(box);
    }
    // Clicks an option box: the element toggles, then reports the click.
    void Toggle(Control box) {
        page.checked[box] = !page.checked[box];
        toolkit.UserClicked(box);
    }

    FakePage page;
    FixedRandomSource random;
    PageToolkit toolkit{page};
    rules::WindowRules rules{toolkit, random};
};

std::u16string Forward(std::u16string_view text, bool slang, bool leet, bool words) {
    ConversionOptions options;
    options.SlangStyle = slang;
    options.LeetCharacters = leet;
    options.LeetWords = words;
    options.MatrixKey = u"qorvu";
    return ConvertForward(text, options).Text;
}

TEST(PageToolkit, StartsWithTheFocusInTheInputBox) {
    Program program;
    EXPECT_EQ(program.toolkit.Focused(), Control::Text1);
    EXPECT_EQ(program.page.focusMoves, std::vector<Control>{Control::Text1});
    EXPECT_TRUE(program.rules.Text1Leads());
}

TEST(PageToolkit, UserFocusMovesRunTheRulesOncePerMove) {
    struct Case {
        std::vector<Control> moves;
        bool text1Leads;
        bool text2Leads;
        std::size_t selections;  // whole-text selections the focus rules made after the start
    };
    const Case cases[] = {
        {{Control::Text2}, false, true, 1},
        {{Control::Text2, Control::Text2, Control::Text2}, false, true, 1},
        {{Control::Text2, Control::Check1}, false, false, 1},
        {{Control::Command1, Control::Text1}, true, false, 1},
        {{Control::Text1, Control::Text1}, true, false, 0},
    };
    for (const Case& c : cases) {
        Program program;
        const std::size_t atStart = program.page.selected.size();
        for (const Control control : c.moves) {
            program.toolkit.UserFocused(control);
        }
        EXPECT_EQ(program.toolkit.Focused(), c.moves.back());
        EXPECT_EQ(program.rules.Text1Leads(), c.text1Leads);
        EXPECT_EQ(program.rules.Text2Leads(), c.text2Leads);
        EXPECT_EQ(program.page.selected.size() - atStart, c.selections);
    }
}

TEST(PageToolkit, AWriteRunsTheChangeRuleOnlyWhenTheTextChanges) {
    struct Case {
        std::u16string before;  // Text1 before the write
        std::u16string written;
        bool converted;
    };
    const Case cases[] = {
        {u"", u"cool", true},
        {u"cool", u"cool", false},
        {u"cool", u"cooler", true},
        {u"cool", u"", true},
    };
    for (const Case& c : cases) {
        Program program;
        program.page.texts[Control::Text1] = c.before;
        program.page.texts[Control::Text2] = u"untouched";
        program.toolkit.WriteText(Control::Text1, c.written);
        EXPECT_EQ(program.page.texts[Control::Text1], c.written);
        EXPECT_EQ(program.page.texts[Control::Text2],
                  c.converted ? Forward(c.written, false, true, true) : u"untouched");
    }
}

TEST(PageToolkit, AValueWriteRunsTheClickRuleOnlyWhenTheValueChanges) {
    struct Case {
        Control box;
        int value;
        bool converted;
    };
    const Case cases[] = {
        {Control::Check2, 1, true},
        {Control::Check2, 0, false},
        {Control::Check1, 1, false},
        {Control::Check1, 0, true},
    };
    for (const Case& c : cases) {
        Program program;
        program.Type(Control::Text1, u"cool");
        program.page.texts[Control::Text2] = u"untouched";
        program.toolkit.WriteValue(c.box, c.value);
        EXPECT_EQ(program.toolkit.ReadValue(c.box), c.value);
        EXPECT_EQ(program.page.texts[Control::Text2] != u"untouched", c.converted);
    }
}

TEST(PageToolkit, ForwardRunsEmptyTheClipboardAndPutTheOutputOnIt) {
    Program program;
    program.Type(Control::Text1, u"Das ist cool");
    const std::vector<std::u16string> expected{u"", Forward(u"Das ist cool", false, true, true)};
    EXPECT_EQ(program.page.clipboardWrites, expected);
    program.toolkit.UserFocused(Control::Text2);
    program.Type(Control::Text2, u"x");
    EXPECT_EQ(program.page.clipboardWrites, expected);
}

TEST(PageToolkit, TickingTheMatrixAfterTheCensoredWordShowsTheCensorOncePerConversion) {
    struct Case {
        bool leet;
        bool words;
        std::size_t messages;
    };
    const Case cases[] = {
        {true, true, 3},
        {true, false, 2},
        {false, true, 2},
        {false, false, 1},
    };
    for (const Case& c : cases) {
        Program program;
        program.page.checked[Control::Check1] = c.leet;
        program.page.checked[Control::Check3] = c.words;
        program.page.checked[Control::Check2] = true;
        program.page.texts[Control::Text1] = u"muhaha";
        program.Toggle(Control::Check4);
        EXPECT_EQ(program.page.asked.size(), c.messages);
        EXPECT_FALSE(program.page.checked[Control::Check1]);
        EXPECT_FALSE(program.page.checked[Control::Check3]);
        EXPECT_EQ(program.toolkit.Focused(), Control::Text1);
    }
}

TEST(PageToolkit, AfterEndeOnlyTheHelpWindowStillAnswers) {
    struct Case {
        std::deque<MessageAnswer> answers;
        int ended;
    };
    const Case cases[] = {
        {{MessageAnswer::No}, 0},
        {{MessageAnswer::Yes, MessageAnswer::No}, 0},
        {{MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Ok}, 1},
    };
    for (const Case& c : cases) {
        Program program;
        program.toolkit.UserClicked(Control::Command2);
        ASSERT_TRUE(program.page.helpShown);
        program.page.answers = c.answers;
        program.toolkit.UserClicked(Control::Command1);
        program.toolkit.UserClicked(Control::Command1);
        EXPECT_EQ(program.page.ended, c.ended);

        program.Type(Control::Text1, u"cool");
        EXPECT_EQ(program.page.texts[Control::Text2].empty(), c.ended == 1);
        program.toolkit.UserClicked(Control::Form2);
        EXPECT_FALSE(program.page.helpShown);
    }
}

TEST(PageToolkit, KeysReachTheRulesOnlyWhileTheMainWindowIsOpen) {
    Program program;
    EXPECT_EQ(program.toolkit.UserTyped(Control::Text3, u'A'), 0);
    EXPECT_EQ(program.toolkit.UserTyped(Control::Text3, u'a'), u'a');
    EXPECT_EQ(program.toolkit.UserTyped(Control::Text1, 16), 0);
    EXPECT_EQ(program.page.texts[Control::Text1], u"paaardy ");
    program.page.answers = {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Ok};
    program.toolkit.UserClicked(Control::Command1);
    EXPECT_EQ(program.toolkit.UserTyped(Control::Text3, u'A'), u'A');
}

}  // namespace
}  // namespace schnackomat::web
