// The keys of the boxes: the fourteen shortcuts and Ctrl+Backspace of the input box, with the
// edit box's own meaning of those keys held back; the key box's filter; Tab and Esc.
#include "schnackomat/conversion.h"
#include "window_fixture.h"

namespace schnackomat::win::testing {
namespace {

using rules::Control;

struct Shortcut {
    char Key;
    const wchar_t* Appended;
};

class Shortcuts : public WindowTest, public ::testing::WithParamInterface<Shortcut> {};

TEST_P(Shortcuts, AppendTheirWordAtTheEndAndPutTheCaretAfterIt) {
    const Shortcut& shortcut = GetParam();
    Type(L"ab cd");
    // The caret in the middle, and then everything selected: the word still goes to the end and
    // replaces nothing.
    SendMessageW(At(Control::Text1), EM_SETSEL, 2, 2);
    Press(Ctrl(static_cast<UINT>(shortcut.Key)));
    const std::wstring expected = std::wstring(L"ab cd") + shortcut.Appended;
    EXPECT_EQ(Text(Control::Text1), expected);
    EXPECT_EQ(SelectionOf(At(Control::Text1)), std::make_pair(expected.size(), std::size_t{0}));
    SendMessageW(At(Control::Text1), EM_SETSEL, 0, -1);
    Press(Ctrl(static_cast<UINT>(shortcut.Key)));
    EXPECT_EQ(Text(Control::Text1), expected + shortcut.Appended);
    // Converted like typed text, and on the clipboard.
    ConversionOptions options;
    options.LeetCharacters = true;
    options.LeetWords = true;
    const std::wstring typed = Text(Control::Text1);
    const std::u16string input(typed.begin(), typed.end());
    const std::u16string output = ConvertForward(input, options).Text;
    EXPECT_EQ(Text(Control::Text2), std::wstring(output.begin(), output.end()));
    EXPECT_EQ(Clipboard(), Text(Control::Text2));
}

INSTANTIATE_TEST_SUITE_P(Window, Shortcuts,
                         ::testing::Values(Shortcut{'A', L"standard "}, Shortcut{'D', L"wuuuh "},
                                           Shortcut{'E', L"whatever "}, Shortcut{'G', L"gaylord "},
                                           Shortcut{'L', L"leet "},
                                           Shortcut{'N', L"weeeeeiß nich "}, Shortcut{'O', L"oha "},
                                           Shortcut{'P', L"paaardy "}, Shortcut{'S', L"oder so "},
                                           Shortcut{'T', L"stylisch "},
                                           Shortcut{'U', L"martello duro "},
                                           Shortcut{'W', L"whäääy "}, Shortcut{'Y', L"mystisch "},
                                           Shortcut{'Z', L"zyoooooooom "}),
                         [](const auto& info) { return std::string(1, info.param.Key); });

TEST_F(WindowTest, CtrlZAppendsItsWordInsteadOfUndoing) {
    Type(L"hallo");
    Press(Ctrl('Z'));
    Press(Ctrl('Z'));
    EXPECT_EQ(Text(Control::Text1), L"hallozyoooooooom zyoooooooom ");
}

// Ctrl+Backspace on a text, and what is left of it.
struct Deletion {
    const wchar_t* Before;
    const wchar_t* After;
};

class CtrlBackspace : public WindowTest, public ::testing::WithParamInterface<Deletion> {};

TEST_P(CtrlBackspace, DeletesTheLastWordWithTheSpaceBeforeIt) {
    Type(GetParam().Before);
    Press(Ctrl(VK_BACK));
    EXPECT_EQ(Text(Control::Text1), GetParam().After);
    EXPECT_EQ(SelectionOf(At(Control::Text1)),
              std::make_pair(std::wstring(GetParam().After).size(), std::size_t{0}));
}

INSTANTIATE_TEST_SUITE_P(Window, CtrlBackspace,
                         ::testing::Values(Deletion{L"hallo welt", L"hallo"},
                                           Deletion{L"hallo welt ", L"hallo welt"},
                                           Deletion{L"a  ", L"a "}, Deletion{L"hallo", L""},
                                           Deletion{L"", L""}, Deletion{L"a b\nc", L"a"}));

// Keys without a shortcut in the input box do what the edit box does with them (Ctrl+H deletes
// a character, Ctrl+V pastes), and append nothing.
TEST_F(WindowTest, OtherCtrlKeysAppendNothing) {
    Type(L"hallo");
    for (const char key : {'B', 'C', 'F', 'K', 'Q', 'R'}) {
        Press(Ctrl(static_cast<UINT>(key)));
    }
    EXPECT_EQ(Text(Control::Text1), L"hallo");
}

TEST_F(WindowTest, TheOutputBoxHasNoShortcuts) {
    Press({VK_TAB});
    Type(L"h4ll0");
    Press(Ctrl('D'));
    Press(Ctrl(VK_BACK));
    EXPECT_EQ(Text(Control::Text2).find(L"wuuuh"), std::wstring::npos);
    EXPECT_NE(Text(Control::Text2), L"");
}

// A character typed into the key box, and whether the box takes it.
struct KeyBoxCharacter {
    wchar_t Typed;
    bool Taken;
};

class KeyBoxFilter : public WindowTest, public ::testing::WithParamInterface<KeyBoxCharacter> {};

TEST_P(KeyBoxFilter, TakesOnlyTheSmallLettersAToZ) {
    // Something to paste, should Ctrl+V's character reach the box.
    SetClipboard(L"x");
    Click(At(Control::Text3));
    Type(std::wstring(1, GetParam().Typed));
    const std::wstring expected =
        GetParam().Taken ? std::wstring(L"qorvu") + GetParam().Typed : std::wstring(L"qorvu");
    EXPECT_EQ(Text(Control::Text3), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Window, KeyBoxFilter,
    ::testing::Values(KeyBoxCharacter{L'a', true}, KeyBoxCharacter{L'z', true},
                      KeyBoxCharacter{L'A', false}, KeyBoxCharacter{L'Z', false},
                      KeyBoxCharacter{L'1', false}, KeyBoxCharacter{L' ', false},
                      KeyBoxCharacter{L'ä', false}, KeyBoxCharacter{L'ß', false},
                      KeyBoxCharacter{L'.', false}, KeyBoxCharacter{L'{', false},
                      KeyBoxCharacter{L'`', false}, KeyBoxCharacter{L'\x16', false}));

TEST_F(WindowTest, TheKeyBoxTakesBackspaceAndNoCtrlKeys) {
    Click(At(Control::Text3));
    Press({VK_BACK});
    EXPECT_EQ(Text(Control::Text3), L"qorv");
    // Ctrl+A would select the key, Ctrl+V paste, Ctrl+Backspace delete a word.
    SetClipboard(L"x");
    for (const UINT key : {UINT{'A'}, UINT{'V'}, UINT{VK_BACK}}) {
        Press(Ctrl(key));
    }
    Type(L"ab");
    EXPECT_EQ(Text(Control::Text3), L"qorvab");
}

TEST_F(WindowTest, TheKeyBoxHoldsFifteenCharacters) {
    Click(At(Control::Text3));
    Type(L"abcdefghijklmnop");
    EXPECT_EQ(Text(Control::Text3), L"qorvuabcdefghij");
}

TEST_F(WindowTest, ShiftTabGoesBackRoundTheControls) {
    Press({VK_TAB, false, true, false});
    EXPECT_EQ(GetFocus(), At(Control::Check3));
    Press({VK_TAB, false, true, false});
    EXPECT_EQ(GetFocus(), At(Control::Text3));
    Press({VK_TAB, false, true, false});
    EXPECT_EQ(GetFocus(), At(Control::Command2));
}

TEST_F(WindowTest, TabTypesNoCharacterIntoATextBox) {
    Type(L"ab");
    Press({VK_TAB});
    Press({VK_TAB, false, true, false});
    EXPECT_EQ(Text(Control::Text1), L"ab");
    EXPECT_EQ(Text(Control::Text2), L"48");
}

}  // namespace
}  // namespace schnackomat::win::testing
