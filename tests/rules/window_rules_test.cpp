#include "schnackomat/rules/window_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "fake_toolkit.h"
#include "schnackomat/conversion.h"
#include "schnackomat/random.h"
#include "schnackomat/rules/key_box.h"
#include "schnackomat/slang_words.h"

namespace schnackomat::rules {
namespace {

using testing::FakeToolkit;
using testing::FixedRandomSource;
using testing::Selection;

// The option boxes as the user sees them.
struct Boxes {
    int Check1 = 1;
    int Check2 = 0;
    int Check3 = 1;
    int Check4 = 0;
    friend bool operator==(const Boxes&, const Boxes&) = default;
};

void SetBoxes(FakeToolkit& toolkit, const Boxes& boxes) {
    toolkit.Set(Control::Check1, boxes.Check1);
    toolkit.Set(Control::Check2, boxes.Check2);
    toolkit.Set(Control::Check3, boxes.Check3);
    toolkit.Set(Control::Check4, boxes.Check4);
}

Boxes BoxesOf(FakeToolkit& toolkit) {
    return {toolkit.Value(Control::Check1), toolkit.Value(Control::Check2),
            toolkit.Value(Control::Check3), toolkit.Value(Control::Check4)};
}

ConversionOptions OptionsOf(const Boxes& boxes) {
    ConversionOptions options;
    options.LeetCharacters = boxes.Check1 == 1;
    options.SlangStyle = boxes.Check2 == 1;
    options.LeetWords = boxes.Check3 == 1;
    options.MatrixStyle = boxes.Check4 == 1;
    options.MatrixKey = u"qorvu";
    return options;
}

// The forward conversion the engine gives with these boxes and the default key, drawing the
// same letters as the fake toolkit does.
std::u16string Forward(std::u16string_view text, const Boxes& boxes) {
    FixedRandomSource random;
    return ConvertForward(text, OptionsOf(boxes), random).Text;
}

TEST(WindowRulesTest, EditsConvertOnlyFromTheBoxThatLeads) {
    struct Case {
        Control Box;
        std::u16string_view Typed;
        Boxes Options;
    };
    const Case cases[] = {
        {Control::Text1, u"Das ist cool", {1, 1, 1, 0}},
        {Control::Text1, u"a", {}},
        {Control::Text1, u"Hallo Leute, wie geht's?", {0, 1, 0, 1}},
        {Control::Text2, u"d4s !s7 l337 wh4t3v3r", {1, 1, 1, 0}},
        {Control::Text2, u"h4ll0", {}},
    };
    for (const Case& c : cases) {
        FakeToolkit toolkit;
        SetBoxes(toolkit, c.Options);
        toolkit.Click(c.Box);
        toolkit.Type(c.Typed);
        const std::u16string typed(c.Typed);
        EXPECT_EQ(toolkit.Text(c.Box), typed);
        if (c.Box == Control::Text1) {
            EXPECT_EQ(toolkit.Text(Control::Text2), Forward(typed, c.Options));
            // One clearing and one setting per keystroke; the last holds the output.
            ASSERT_EQ(toolkit.ClipboardTexts.size(), typed.size());
            EXPECT_EQ(toolkit.ClipboardTexts.back(), toolkit.Text(Control::Text2));
            EXPECT_EQ(toolkit.ClipboardCalls.size(), 2 * typed.size());
        } else {
            EXPECT_EQ(toolkit.Text(Control::Text1),
                      std::get<std::u16string>(ConvertBack(typed, OptionsOf(c.Options))));
            EXPECT_TRUE(toolkit.ClipboardCalls.empty());
        }
    }
}

TEST(WindowRulesTest, FocusSetsOneFlagAndSelectsTheWholeText) {
    struct Case {
        std::vector<Control> Clicks;
        bool Text1Leads;
        bool Text2Leads;
    };
    const Case cases[] = {
        {{}, true, false},
        {{Control::Text2}, false, true},
        {{Control::Text2, Control::Text1}, true, false},
        {{Control::Text3}, false, false},
        {{Control::Text2, Control::Text3}, false, false},
        {{Control::Command2}, false, false},
        {{Control::Text2, Control::Command2}, false, false},
        {{Control::Text3, Control::Text2}, false, true},
    };
    for (const Case& c : cases) {
        FakeToolkit toolkit;
        toolkit.Set(Control::Text1, u"eins");
        toolkit.Set(Control::Text2, u"zwei drei");
        for (const Control control : c.Clicks) {
            toolkit.Click(control);
        }
        EXPECT_EQ(toolkit.Rules().Text1Leads(), c.Text1Leads) << c.Clicks.size();
        EXPECT_EQ(toolkit.Rules().Text2Leads(), c.Text2Leads) << c.Clicks.size();
        if (toolkit.Focused() == Control::Text2) {
            EXPECT_EQ(toolkit.SelectionOf(Control::Text2), (Selection{0, 9}));
        }
        // Focus moves change no text.
        EXPECT_EQ(toolkit.Text(Control::Text1), u"eins");
        EXPECT_EQ(toolkit.Text(Control::Text2), u"zwei drei");
    }
}

TEST(WindowRulesTest, OptionClicksNestAndConvertWithTheBoxesOfTheirMoment) {
    struct Case {
        Boxes Before;
        Control Clicked;
        Boxes After;
        std::vector<Boxes> Conversions;  // the boxes each forward conversion ran with
    };
    const Case cases[] = {
        // Ticking Check1 or Check3 while Check4 is ticked: the nested Check4 rule converts first.
        {{0, 0, 0, 1}, Control::Check1, {1, 0, 0, 0}, {{1, 0, 0, 0}, {1, 0, 0, 0}}},
        {{0, 1, 0, 1}, Control::Check3, {0, 1, 1, 0}, {{0, 1, 1, 0}, {0, 1, 1, 0}}},
        // Ticking Check4 clears Check1, then Check3, each running its own rule.
        {{1, 0, 1, 0}, Control::Check4, {0, 0, 0, 1}, {{0, 0, 1, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}}},
        {{1, 1, 0, 0}, Control::Check4, {0, 1, 0, 1}, {{0, 1, 0, 1}, {0, 1, 0, 1}}},
        {{0, 0, 1, 0}, Control::Check4, {0, 0, 0, 1}, {{0, 0, 0, 1}, {0, 0, 0, 1}}},
        // No exclusion to apply: one conversion.
        {{0, 0, 0, 0}, Control::Check4, {0, 0, 0, 1}, {{0, 0, 0, 1}}},
        {{0, 0, 0, 1}, Control::Check4, {0, 0, 0, 0}, {{0, 0, 0, 0}}},
        {{1, 0, 1, 0}, Control::Check1, {0, 0, 1, 0}, {{0, 0, 1, 0}}},
        {{0, 0, 0, 1}, Control::Check2, {0, 1, 0, 1}, {{0, 1, 0, 1}}},
        {{1, 1, 1, 0}, Control::Check2, {1, 0, 1, 0}, {{1, 0, 1, 0}}},
    };
    const std::u16string input = u"Hallo Leute, das ist echt cool";
    for (const Case& c : cases) {
        FakeToolkit toolkit;
        SetBoxes(toolkit, c.Before);
        toolkit.Set(Control::Text1, input);
        toolkit.Click(c.Clicked);
        EXPECT_EQ(BoxesOf(toolkit), c.After);
        ASSERT_EQ(toolkit.ClipboardTexts.size(), c.Conversions.size());
        for (std::size_t i = 0; i < c.Conversions.size(); ++i) {
            EXPECT_EQ(toolkit.ClipboardTexts[i], Forward(input, c.Conversions[i])) << i;
        }
        EXPECT_EQ(toolkit.Text(Control::Text2), toolkit.ClipboardTexts.back());
        // Every click ends in Text1, with its whole text selected.
        EXPECT_EQ(toolkit.Focused(), Control::Text1);
        EXPECT_TRUE(toolkit.Rules().Text1Leads());
        EXPECT_EQ(toolkit.SelectionOf(Control::Text1), (Selection{0, input.size()}));
    }
}

TEST(WindowRulesTest, OptionClicksOnAnEmptyInputOnlyMoveTheFocus) {
    for (const Control box : {Control::Check1, Control::Check2, Control::Check3, Control::Check4}) {
        FakeToolkit toolkit;
        toolkit.Click(Control::Text2);
        toolkit.Type(u"h4ll0");
        toolkit.Set(Control::Text1, u"");
        toolkit.Click(box);
        EXPECT_EQ(toolkit.Text(Control::Text2), u"h4ll0");
        EXPECT_TRUE(toolkit.ClipboardCalls.empty());
        EXPECT_TRUE(toolkit.Rules().Text1Leads());
        EXPECT_FALSE(toolkit.Rules().Text2Leads());
    }
}

TEST(WindowRulesTest, TheRefilledKeyDecodesBeforeCheck4ConvertsAgain) {
    // The default key written into the empty key box runs the key box's rule at once: with all
    // three boxes holding text it decodes Text2 into Text1 (here: a plain text read as Matrix
    // code, so random letters), and only then does Check4's click convert Text1 forward.
    FakeToolkit toolkit;
    SetBoxes(toolkit, {0, 0, 0, 0});
    toolkit.Type(u"hallo");
    ASSERT_EQ(toolkit.Text(Control::Text2), u"hallo");
    toolkit.Set(Control::Text3, u"");
    toolkit.Click(Control::Check4);
    FixedRandomSource random;
    const std::u16string letters = RandomLetters(5, random);
    EXPECT_EQ(toolkit.Text(Control::Text3), u"qorvu");
    EXPECT_EQ(toolkit.Text(Control::Text1), letters);
    EXPECT_EQ(toolkit.Text(Control::Text2), Forward(letters, {0, 0, 0, 1}));
    EXPECT_EQ(toolkit.Focused(), Control::Text1);
    EXPECT_TRUE(toolkit.Rules().Text1Leads());
}

TEST(WindowRulesTest, TheCensorSpeaksOncePerConversion) {
    struct Case {
        Boxes Before;
        Control Clicked;
        std::size_t Messages;
    };
    const Case cases[] = {
        {{1, 1, 1, 0}, Control::Check4, 3}, {{1, 1, 0, 0}, Control::Check4, 2},
        {{0, 1, 0, 1}, Control::Check1, 2}, {{0, 1, 0, 0}, Control::Check4, 1},
        {{0, 0, 0, 0}, Control::Check1, 0},  // no slang, no censor
    };
    for (const Case& c : cases) {
        FakeToolkit toolkit;
        SetBoxes(toolkit, c.Before);
        toolkit.Set(Control::Text1, u"muhaha");
        toolkit.Click(c.Clicked);
        ASSERT_EQ(toolkit.Shown.size(), c.Messages);
        for (const Message& shown : toolkit.Shown) {
            EXPECT_EQ(shown.Text, CensorMessage);
            EXPECT_EQ(shown.Title, u"Schnackomat V3.0");
            EXPECT_EQ(shown.Buttons, MessageButtons::Ok);
            EXPECT_EQ(shown.Icon, MessageIcon::None);
        }
    }
}

TEST(WindowRulesTest, TheKeyBoxTakesOnlySmallLettersAndBackspace) {
    struct Case {
        std::u16string_view Typed;
        std::u16string_view Key;
    };
    const Case cases[] = {
        {u"abc", u"qorvuabc"}, {u"A", u"qorvu"},    {u"1", u"qorvu"},
        {u" ", u"qorvu"},      {u"ä", u"qorvu"},    {u"\x16", u"qorvu"},
        {u"\b\b", u"qor"},     {u"{z`", u"qorvuz"}, {u"\r\x7f", u"qorvu"},
    };
    for (const Case& c : cases) {
        FakeToolkit toolkit;
        toolkit.Click(Control::Text3);
        toolkit.Select(Control::Text3, 5, 0);
        toolkit.Type(c.Typed);
        EXPECT_EQ(toolkit.Text(Control::Text3), c.Key);
    }
}

TEST(WindowRulesTest, APastedKeyIsNormalisedAndDecodesWhenAllBoxesHoldText) {
    struct Case {
        std::u16string_view Pasted;
        std::u16string_view Key;
        bool Decodes;    // Text1 shows the decoded text
        bool Rewritten;  // Text1 was rewritten at all
    };
    const Case cases[] = {
        {u"QORVU", u"qorvu", true, true},
        {u"q o r v u", u"qorvu", true, true},
        {u"NoWi KnowAll", u"nowiknowall", true, true},
        {u"abc", u"abc", false, true},
        {u"qorv", u"qorv", false, true},
        {u"qorvu1", u"qorvu1", false, true},
        {u"", u"", false, false},
        {u"  ", u"", false, false},
    };
    const std::u16string input = u"hallo leute";
    for (const Case& c : cases) {
        FakeToolkit toolkit;
        SetBoxes(toolkit, {0, 0, 0, 1});
        toolkit.Type(input);
        const std::u16string coded = toolkit.Text(Control::Text2);
        toolkit.Click(Control::Text3);
        toolkit.Paste(c.Pasted);
        EXPECT_EQ(toolkit.Text(Control::Text3), c.Key);
        EXPECT_EQ(toolkit.SelectionOf(Control::Text3), (Selection{c.Key.size(), 0}));
        EXPECT_EQ(toolkit.Text(Control::Text2), coded);
        if (c.Decodes) {
            EXPECT_EQ(toolkit.Text(Control::Text1), input);
        } else if (c.Rewritten) {
            FixedRandomSource random;
            EXPECT_EQ(toolkit.Text(Control::Text1), RandomLetters(coded.size(), random));
        } else {
            EXPECT_EQ(toolkit.Text(Control::Text1), input);
        }
        // The key box keeps the focus, and neither box leads.
        EXPECT_EQ(toolkit.Focused(), Control::Text3);
        EXPECT_FALSE(toolkit.Rules().Text1Leads());
        EXPECT_FALSE(toolkit.Rules().Text2Leads());
    }
}

TEST(KeyBoxTest, NormaliseKeyGivesTheKeyAsTheKeyBoxKeepsIt) {
    struct Case {
        std::u16string_view Given;
        std::u16string_view Kept;
    };
    const Case cases[] = {
        {u"qorvu", u"qorvu"},   {u"Ab C", u"abc"},  {u"ÄÖ Ü", u"äöü"},
        {u"a1 b!", u"a1b!"},    {u"   ", u""},      {u"", u""},
        {u"ab\ncd", u"ab\ncd"}, {u"a\tb", u"a\tb"}, {u"NOWIKNOWALL", u"nowiknowall"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NormaliseKey(c.Given), c.Kept);
    }
}

TEST(WindowRulesTest, ShortcutKeysAppendAndDeleteAtTheEnd) {
    struct Case {
        std::u16string_view Before;
        std::size_t Caret;
        char16_t Code;
        std::u16string_view After;
        bool Swallowed;
    };
    const Case cases[] = {
        {u"hallo", 5, 16, u"hallopaaardy ", true},
        {u"hallo ", 6, 4, u"hallo wuuuh ", true},
        {u"ab cd", 2, 15, u"ab cdoha ", true},
        {u"", 0, 14, u"weeeeeiß nich ", true},
        {u"x", 0, 26, u"xzyoooooooom ", true},
        {u"hallo welt", 3, 127, u"hallo", true},
        {u"hallo welt ", 11, 127, u"hallo welt", true},
        {u"a  ", 3, 127, u"a ", true},
        {u"hallo", 5, 127, u"", true},
        {u"hallo", 5, 2, u"hallo", false},
        {u"hallo", 5, 3, u"hallo", false},
    };
    for (const Case& c : cases) {
        FakeToolkit toolkit;
        toolkit.Set(Control::Text1, c.Before);
        toolkit.Select(Control::Text1, c.Caret, 0);
        EXPECT_EQ(toolkit.Rules().KeyTyped(Control::Text1, c.Code) == 0, c.Swallowed);
        EXPECT_EQ(toolkit.Text(Control::Text1), c.After);
        if (c.Before != c.After) {
            EXPECT_EQ(toolkit.SelectionOf(Control::Text1), (Selection{c.After.size(), 0}));
            EXPECT_EQ(toolkit.Text(Control::Text2), Forward(c.After, {}));
        }
        // Other boxes have no shortcuts.
        EXPECT_EQ(toolkit.Rules().KeyTyped(Control::Text2, c.Code), c.Code);
    }
}

TEST(WindowRulesTest, EndeClosesOnlyAfterTwoYes) {
    struct Case {
        std::vector<MessageAnswer> Answers;
        std::size_t Shown;
        bool Closed;
    };
    const Case cases[] = {
        {{MessageAnswer::No}, 1, false},
        {{MessageAnswer::Yes, MessageAnswer::No}, 2, false},
        {{MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Ok}, 3, true},
    };
    const Message chain[] = {
        {u"Sind Sie sicher?", u"Beenden", MessageButtons::YesNo, MessageIcon::Question},
        {u"Wirklich ganz sicher? Vorsicht, Sie könnten möglicherweise das Programm damit "
         u"beenden...!",
         u"In echt jetzt?!", MessageButtons::YesNo, MessageIcon::Question},
        {u"Wuuuuuh!", u"Whääy", MessageButtons::Ok, MessageIcon::Information},
    };
    for (const Case& c : cases) {
        FakeToolkit toolkit;
        toolkit.Type(u"hallo");
        const std::u16string output = toolkit.Text(Control::Text2);
        toolkit.Answers = c.Answers;
        toolkit.Click(Control::Command1);
        ASSERT_EQ(toolkit.Shown.size(), c.Shown);
        for (std::size_t i = 0; i < c.Shown; ++i) {
            EXPECT_EQ(toolkit.Shown[i], chain[i]) << i;
        }
        EXPECT_EQ(toolkit.MainWindowOpen, !c.Closed);
        EXPECT_EQ(toolkit.Text(Control::Text1), u"hallo");
        EXPECT_EQ(toolkit.Text(Control::Text2), output);
    }
}

TEST(WindowRulesTest, LinkLabelsLightUpUntilThePointerCrossesTheBareWindow) {
    const Colour normal{255, 192, 128};
    const Colour lit{255, 255, 128};
    struct Case {
        std::vector<Control> Moves;
        std::vector<Control> Lit;
    };
    const Case cases[] = {
        {{Control::Label5}, {Control::Label5}},
        {{Control::Label5, Control::Label1, Control::Label3}, {Control::Label5, Control::Label3}},
        {{Control::Label5, Control::Label3, Control::Form1}, {}},
        {{Control::Label4, Control::Form1, Control::Label3}, {Control::Label3}},
        {{Control::Label1, Control::Label2, Control::Text1}, {}},
    };
    for (const Case& c : cases) {
        FakeToolkit toolkit;
        for (const Control control : c.Moves) {
            toolkit.Rules().MouseMoved(control);
        }
        for (const Control label : {Control::Label1, Control::Label2, Control::Label3,
                                    Control::Label4, Control::Label5}) {
            const bool shouldBeLit = std::find(c.Lit.begin(), c.Lit.end(), label) != c.Lit.end();
            EXPECT_EQ(toolkit.ColourOf(label), shouldBeLit ? lit : normal) << ControlName(label);
        }
    }
}

TEST(WindowRulesTest, LinkLabelsOpenTheirTargets) {
    struct Case {
        Control Label;
        std::string_view Scheme;  // empty: opens nothing
    };
    const Case cases[] = {
        {Control::Label3, "mailto:"}, {Control::Label4, "mailto:"}, {Control::Label5, "https://"},
        {Control::Label1, ""},        {Control::Label2, ""},
    };
    std::vector<std::string> targets;
    for (const Case& c : cases) {
        FakeToolkit toolkit;
        toolkit.Rules().Clicked(c.Label);
        if (c.Scheme.empty()) {
            EXPECT_TRUE(toolkit.Links.empty()) << ControlName(c.Label);
            continue;
        }
        ASSERT_EQ(toolkit.Links.size(), 1U);
        EXPECT_TRUE(toolkit.Links[0].starts_with(c.Scheme)) << toolkit.Links[0];
        EXPECT_GT(toolkit.Links[0].size(), c.Scheme.size());
        targets.push_back(toolkit.Links[0]);
    }
    // Each link leads somewhere else.
    ASSERT_EQ(targets.size(), 3U);
    EXPECT_NE(targets[0], targets[1]);
    EXPECT_NE(targets[1], targets[2]);
}

TEST(WindowRulesTest, TheHelpButtonShowsAndAClickOnTheHelpWindowClosesIt) {
    FakeToolkit toolkit;
    toolkit.Click(Control::Command2);
    EXPECT_TRUE(toolkit.HelpWindowOpen);
    toolkit.Click(Control::Command2);
    EXPECT_EQ(toolkit.HelpWindowShows, 2);
    toolkit.Rules().Clicked(Control::Form2);
    EXPECT_FALSE(toolkit.HelpWindowOpen);
    EXPECT_TRUE(toolkit.MainWindowOpen);
}

TEST(WindowRulesTest, ControlsAreFoundByTheirNames) {
    struct Case {
        std::string_view Name;
        std::optional<Control> Found;
    };
    const Case cases[] = {
        {"Form1", Control::Form1},       {"Text1", Control::Text1},
        {"Text3", Control::Text3},       {"Check2", Control::Check2},
        {"Check4", Control::Check4},     {"Command1", Control::Command1},
        {"Command2", Control::Command2}, {"Label1", Control::Label1},
        {"Label5", Control::Label5},     {"Form2", Control::Form2},
        {"text1", std::nullopt},         {"Label6", std::nullopt},
        {"Check", std::nullopt},         {"", std::nullopt},
        {"Text1 ", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ControlNamed(c.Name), c.Found) << c.Name;
        if (c.Found) {
            EXPECT_EQ(ControlName(*c.Found), c.Name);
        }
    }
}

}  // namespace
}  // namespace schnackomat::rules
