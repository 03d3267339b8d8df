// The rules of a control the window writes itself run once for a write that changes something
// and never for one that changes nothing; focus moves between the window's own controls, and
// only those, run the focus rules. Conversions are counted by the censor's message, which each
// forward conversion of "muhaha" with the slang style shows once.
#include "window_fixture.h"

namespace schnackomat::win::testing {
namespace {

using rules::Control;

class EventTiming : public WindowTest {
  protected:
    // Slang style on and "muhaha" in the input box: every forward conversion shows one message.
    void TypeCensoredWord() {
        Tick(Control::Check2);
        Answer(L"OK");
        Type(L"muhaha");
        ASSERT_EQ(Messages(), 1u);
    }
};

TEST_F(EventTiming, AShortcutsWriteIntoTheInputBoxConvertsOnce) {
    TypeCensoredWord();
    Answer(L"OK");
    Press(Ctrl('D'));
    EXPECT_EQ(Text(Control::Text1), L"muhahawuuuh ");
    EXPECT_EQ(Messages(), 2u);
}

TEST_F(EventTiming, AKeyThatWritesNothingConvertsNothing) {
    TypeCensoredWord();
    // Ctrl+B has no shortcut; Ctrl+Backspace on a text without a space writes the empty text.
    Press(Ctrl('B'));
    EXPECT_EQ(Messages(), 1u);
    Press(Ctrl(VK_BACK));
    EXPECT_EQ(Text(Control::Text1), L"");
    EXPECT_EQ(Messages(), 1u);
    Press(Ctrl(VK_BACK));
    EXPECT_EQ(Messages(), 1u);
}

TEST_F(EventTiming, TheConversionsWriteIntoTheOutputBoxDoesNotConvertBack) {
    Type(L"hallo");
    // Had the reverse conversion run, the input box would read the output's reading back.
    EXPECT_EQ(Text(Control::Text2), L"h4110");
    EXPECT_EQ(Text(Control::Text1), L"hallo");
    EXPECT_EQ(Clipboard(), L"h4110");
}

TEST_F(EventTiming, TheKeyBoxsOwnWritesEndAfterOneNestedRun) {
    Tick(Control::Check4);
    Type(L"hallo");
    Click(At(Control::Text3));
    // Pasted in capitals with spaces: written back in lower case, then without the spaces, and
    // decoded with the key as it ends up.
    for (int i = 0; i < 5; ++i) {
        Press({VK_BACK});
    }
    SetClipboard(L"QO RVU");
    Press({VK_INSERT, false, true, false});
    EXPECT_EQ(Text(Control::Text3), L"qorvu");
    EXPECT_EQ(Text(Control::Text1), L"hallo");
    EXPECT_EQ(GetFocus(), At(Control::Text3));
    EXPECT_FALSE(form_->Text1Leads());
    EXPECT_FALSE(form_->Text2Leads());
}

// One user click, the boxes ticked before it, and how many forward conversions it runs.
struct OptionClick {
    const char* Name;
    bool Check1;
    bool Check3;
    bool Check4;
    Control Clicked;
    std::size_t Conversions;
};

class NestedOptionClicks : public EventTiming, public ::testing::WithParamInterface<OptionClick> {};

TEST_P(NestedOptionClicks, RunOneConversionForEveryBoxWhoseValueChanged) {
    const OptionClick& click = GetParam();
    TypeCensoredWord();
    // Into the starting state; each click converts, with every message answered.
    Answer(L"OK", 20);
    const auto set = [&](Control box, bool ticked) {
        if (Checked(box) != ticked) {
            Tick(box);
        }
    };
    set(Control::Check4, click.Check4);
    set(Control::Check1, click.Check1);
    set(Control::Check3, click.Check3);
    ASSERT_EQ(Checked(Control::Check1), click.Check1);
    ASSERT_EQ(Checked(Control::Check3), click.Check3);
    ASSERT_EQ(Checked(Control::Check4), click.Check4);

    const std::size_t before = Messages();
    Tick(click.Clicked);
    EXPECT_EQ(Messages() - before, click.Conversions);
    EXPECT_EQ(GetFocus(), At(Control::Text1));
    EXPECT_TRUE(form_->Text1Leads());
    EXPECT_EQ(SelectionOf(At(Control::Text1)), std::make_pair(std::size_t{0}, std::size_t{6}));
    EXPECT_EQ(Clipboard(), Text(Control::Text2));
}

INSTANTIATE_TEST_SUITE_P(
    Window, NestedOptionClicks,
    ::testing::Values(
        OptionClick{"Check4TickedWithBothLeetBoxes", true, true, false, Control::Check4, 3},
        OptionClick{"Check4TickedWithCheck1Only", true, false, false, Control::Check4, 2},
        OptionClick{"Check4TickedWithCheck3Only", false, true, false, Control::Check4, 2},
        OptionClick{"Check4TickedAlone", false, false, false, Control::Check4, 1},
        OptionClick{"Check1TickedWhileCheck4Is", false, false, true, Control::Check1, 2},
        OptionClick{"Check3TickedWhileCheck4Is", false, false, true, Control::Check3, 2},
        OptionClick{"Check1Cleared", true, true, false, Control::Check1, 1},
        OptionClick{"Check4Cleared", false, false, true, Control::Check4, 1}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(EventTiming, AMessageBoxTakingTheKeyboardLeavesTheLeadingBoxAndItsCaret) {
    TypeCensoredWord();
    EXPECT_EQ(GetFocus(), At(Control::Text1));
    EXPECT_TRUE(form_->Text1Leads());
    EXPECT_EQ(SelectionOf(At(Control::Text1)), std::make_pair(std::size_t{6}, std::size_t{0}));
}

TEST_F(EventTiming, AnotherWindowTakingTheKeyboardLeavesTheLeadingBox) {
    Click(At(Control::Command2));
    ASSERT_NE(HelpWindow(), nullptr);
    Click(At(Control::Text1));
    Type(L"hallo");
    // The user switches to the help window and back with a click on the bare main window.
    SetForegroundWindow(HelpWindow());
    Settle();
    ASSERT_EQ(GetFocus(), HelpWindow());
    EXPECT_FALSE(form_->Text2Leads());
    ClickAt(form_->Handle(), FreePoint(form_->Handle()));
    EXPECT_EQ(GetFocus(), At(Control::Text1));
    EXPECT_TRUE(form_->Text1Leads());
    EXPECT_EQ(SelectionOf(At(Control::Text1)), std::make_pair(std::size_t{5}, std::size_t{0}));
}

// A focus move by the Tab key, and which box leads after it.
struct TabMove {
    const char* Name;
    int Tabs;
    Control Focus;
    bool Text1Leads;
    bool Text2Leads;
};

class TabMoves : public WindowTest, public ::testing::WithParamInterface<TabMove> {};

TEST_P(TabMoves, SetTheFlagsOfTheBoxThatGetsTheFocus) {
    const TabMove& move = GetParam();
    Type(L"abc");
    for (int i = 0; i < move.Tabs; ++i) {
        Press({VK_TAB});
    }
    EXPECT_EQ(GetFocus(), At(move.Focus));
    EXPECT_EQ(form_->Text1Leads(), move.Text1Leads);
    EXPECT_EQ(form_->Text2Leads(), move.Text2Leads);
    EXPECT_EQ(Text(Control::Text1), L"abc");
    if (move.Focus == Control::Text1 || move.Focus == Control::Text2) {
        const std::size_t length = Text(move.Focus).size();
        EXPECT_EQ(SelectionOf(At(move.Focus)), std::make_pair(std::size_t{0}, length));
    }
}

INSTANTIATE_TEST_SUITE_P(Window, TabMoves,
                         ::testing::Values(TabMove{"ToText2", 1, Control::Text2, false, true},
                                           TabMove{"ToCommand1", 2, Control::Command1, false,
                                                   false},
                                           TabMove{"ToText3", 7, Control::Text3, false, false},
                                           TabMove{"RoundToText1", 9, Control::Text1, true, false}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace schnackomat::win::testing
