// The main window's buttons and links, its layout and its frame, and the help window.
#include <shellapi.h>

#include <algorithm>

#include "schnackomat/rules/window_layout.h"
#include "window_fixture.h"

namespace schnackomat::win::testing {
namespace {

using rules::Control;

// The answers given to the questions of "Ende", and what they leave.
struct ExitAnswers {
    const char* Name;
    std::vector<std::wstring> Answers;
    bool ByEsc;
    std::size_t Messages;
    bool StaysOpen;
};

class ExitChain : public WindowTest, public ::testing::WithParamInterface<ExitAnswers> {};

TEST_P(ExitChain, ClosesTheWindowOnlyAfterYesYesAndOk) {
    const ExitAnswers& exit = GetParam();
    Type(L"bleib");
    for (const std::wstring& answer : exit.Answers) {
        Answer(answer);
    }
    if (exit.ByEsc) {
        Press({VK_ESCAPE});
    } else {
        Click(At(Control::Command1));
    }
    ASSERT_EQ(Messages(), exit.Messages);
    const std::vector<ShownMessage>& shown = answerer_.Shown();
    EXPECT_EQ(shown[0].Text, L"Sind Sie sicher?");
    EXPECT_EQ(shown[0].Title, L"Beenden");
    EXPECT_EQ(shown[0].Buttons, L"YesNo");
    EXPECT_EQ(shown[0].Icon, L"question");
    if (exit.Messages >= 2) {
        EXPECT_EQ(shown[1].Title, L"In echt jetzt?!");
        EXPECT_EQ(shown[1].Icon, L"question");
    }
    if (exit.Messages == 3) {
        EXPECT_EQ(shown[2].Text, L"Wuuuuuh!");
        EXPECT_EQ(shown[2].Title, L"Whääy");
        EXPECT_EQ(shown[2].Buttons, L"OK");
        EXPECT_EQ(shown[2].Icon, L"information");
    }
    EXPECT_EQ(form_->IsOpen(), exit.StaysOpen);
    if (exit.StaysOpen) {
        EXPECT_EQ(Text(Control::Text1), L"bleib");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Window, ExitChain,
    ::testing::Values(ExitAnswers{"No", {L"No"}, false, 1, true},
                      ExitAnswers{"YesNo", {L"Yes", L"No"}, false, 2, true},
                      ExitAnswers{"YesYesOk", {L"Yes", L"Yes", L"OK"}, false, 3, false},
                      ExitAnswers{"EscNo", {L"No"}, true, 1, true},
                      ExitAnswers{"EscYesYesOk", {L"Yes", L"Yes", L"OK"}, true, 3, false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(WindowTest, TheCloseBoxAsksNothingAndLeavesTheHelpWindow) {
    Click(At(Control::Command2));
    SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Settle();
    EXPECT_EQ(Messages(), 0u);
    EXPECT_FALSE(form_->IsOpen());
    EXPECT_NE(HelpWindow(), nullptr);
}

// A click on a label, and the link it hands to the shell, if any.
struct LinkClick {
    Control Label;
    const wchar_t* Target;
};

class Links : public WindowTest, public ::testing::WithParamInterface<LinkClick> {};

TEST_P(Links, GoToTheShellWithTheMainWindowAsParent) {
    Click(At(GetParam().Label));
    if (GetParam().Target == nullptr) {
        EXPECT_TRUE(links_.Calls.empty());
        return;
    }
    ASSERT_EQ(links_.Calls.size(), 1u);
    const ShellCall& call = links_.Calls.front();
    EXPECT_EQ(call.Parent, form_->Handle());
    EXPECT_EQ(call.Operation, L"open");
    EXPECT_EQ(call.File, GetParam().Target);
    EXPECT_EQ(call.Parameters, L"0");
    EXPECT_EQ(call.Directory, L"0");
    EXPECT_EQ(call.Show, SW_SHOW);
}

INSTANTIATE_TEST_SUITE_P(
    Window, Links,
    ::testing::Values(LinkClick{Control::Label3, L"mailto:benaldo@schnackomat.example"},
                      LinkClick{Control::Label4, L"mailto:pfiii@schnackomat.example"},
                      LinkClick{Control::Label5, L"https://schnackomat.example/"},
                      LinkClick{Control::Label1, nullptr}, LinkClick{Control::Label2, nullptr}));

TEST_F(WindowTest, ALinkLightsUpUnderThePointerUntilItCrossesTheBareWindow) {
    const COLORREF normal = RGB(255, 192, 128);
    const COLORREF lit = RGB(255, 255, 128);
    Hover(At(Control::Label5));
    Hover(At(Control::Label1));
    Hover(At(Control::Text2));
    EXPECT_EQ(TextColourOf(At(Control::Label5)), lit);
    EXPECT_EQ(TextColourOf(At(Control::Label1)), normal);
    Hover(form_->Handle());
    EXPECT_EQ(TextColourOf(At(Control::Label5)), normal);
}

TEST_F(WindowTest, TheHelpButtonShowsOneUnownedHelpWindow) {
    Click(At(Control::Command2));
    const HWND help = HelpWindow();
    ASSERT_NE(help, nullptr);
    Click(At(Control::Command2));
    EXPECT_EQ(HelpWindow(), help);
    EXPECT_EQ(GetWindow(help, GW_OWNER), nullptr);
    EXPECT_EQ(GetWindowLongW(help, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    // The main window takes input meanwhile.
    Click(At(Control::Text1));
    Type(L"cool");
    EXPECT_EQ(Text(Control::Text2), L"c001");
    EXPECT_EQ(HelpWindow(), help);
}

TEST_F(WindowTest, TheHelpWindowShowsTheHelpTextAndTheShortcutList) {
    Click(At(Control::Command2));
    const HWND help = HelpWindow();
    ASSERT_NE(help, nullptr);
    for (int line = 1; line <= 15; ++line) {
        const rules::Place& place = rules::Form2Places[static_cast<std::size_t>(line - 1)];
        wchar_t caption[1024] = {};
        GetWindowTextW(GetDlgItem(help, line), caption, 1024);
        EXPECT_EQ(std::u16string(caption, caption + wcslen(caption)), place.Caption) << line;
    }
}

TEST_F(WindowTest, AClickOnTheHelpWindowClosesIt) {
    for (int line : {0, 1, 2, 14, 15}) {
        Click(At(Control::Command2));
        const HWND help = HelpWindow();
        ASSERT_NE(help, nullptr);
        Click(line == 0 ? help : GetDlgItem(help, line));
        EXPECT_EQ(HelpWindow(), nullptr) << line;
    }
}

// The window's frame and layout, as the system sees them.
TEST_F(WindowTest, HasAFixedFrameAndIsCentred) {
    const LONG style = GetWindowLongW(form_->Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(style & WS_CAPTION, 0);
    RECT frame;
    GetWindowRect(form_->Handle(), &frame);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((frame.left + frame.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (work.top + work.bottom)), 1);
    wchar_t title[128] = {};
    GetWindowTextW(form_->Handle(), title, 128);
    EXPECT_EQ(std::wstring(title).rfind(L"Schnackomat V3.0 - ", 0), 0u);
}

TEST_F(WindowTest, LaysTheControlsOutInTheProportionsOfTheDrawing) {
    RECT client;
    GetClientRect(form_->Handle(), &client);
    const double scale = client.right / (rules::Form1Layout.Width / 15.0);
    EXPECT_GE(scale, GetDpiForWindow(form_->Handle()) / 96.0 - 0.01);
    EXPECT_NEAR(client.bottom, rules::Form1Layout.Height / 15.0 * scale, 1.0);
    for (const Control control : {Control::Text1, Control::Text2, Control::Text3, Control::Check1,
                                  Control::Check4, Control::Command1, Control::Command2}) {
        const rules::Place& place = rules::Form1Layout.At(rules::ControlName(control));
        RECT box;
        GetWindowRect(At(control), &box);
        MapWindowPoints(nullptr, form_->Handle(), reinterpret_cast<POINT*>(&box), 2);
        EXPECT_NEAR(box.left, place.Left / 15.0 * scale, 1.0) << rules::ControlName(control);
        EXPECT_NEAR(box.top, place.Top / 15.0 * scale, 1.0) << rules::ControlName(control);
        EXPECT_NEAR(box.right, place.Right() / 15.0 * scale, 1.0) << rules::ControlName(control);
        EXPECT_NEAR(box.bottom, place.Bottom() / 15.0 * scale, 1.0) << rules::ControlName(control);
    }
}

TEST_F(WindowTest, LaysItselfOutAgainOnAMonitorOfAnotherDpi) {
    // Windows tells a window that has moved onto a monitor of twice the DPI.
    RECT suggested;
    GetWindowRect(form_->Handle(), &suggested);
    SendMessageW(form_->Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    const rules::Place& input = rules::Form1Layout.At("Text1");
    RECT box;
    GetWindowRect(At(Control::Text1), &box);
    EXPECT_GE(box.right - box.left, input.Width / 15 * 2);
    LOGFONTW key{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(At(Control::Text3), WM_GETFONT, 0, 0)),
               sizeof key, &key);
    // 8.25 points are 11 pixels at 96 DPI.
    EXPECT_LE(key.lfHeight, -22);
    // The window still works on the new monitor.
    Type(L"cool");
    EXPECT_EQ(Text(Control::Text2), L"c001");
}

TEST_F(WindowTest, DrawsTheOverlappingControlsInTheirOrder) {
    for (const rules::Overlap& overlap : rules::DrawnAbove) {
        RECT above;
        RECT below;
        GetWindowRect(At(overlap.Above), &above);
        GetWindowRect(At(overlap.Below), &below);
        RECT both;
        ASSERT_TRUE(IntersectRect(&both, &above, &below)) << rules::ControlName(overlap.Above);
        POINT middle{(both.left + both.right) / 2, (both.top + both.bottom) / 2};
        ScreenToClient(form_->Handle(), &middle);
        EXPECT_EQ(ChildWindowFromPointEx(form_->Handle(), middle, CWP_SKIPINVISIBLE),
                  At(overlap.Above))
            << rules::ControlName(overlap.Above);
    }
}

TEST_F(WindowTest, LaysTheHostNameLinkOverTheHostNameOfTheCreditLine) {
    RECT line;
    RECT host;
    GetWindowRect(At(Control::Label1), &line);
    GetWindowRect(At(Control::Label5), &host);
    EXPECT_GT(host.left, line.left);
    EXPECT_LT(host.right, line.right);
    EXPECT_EQ(host.top, line.top);
}

TEST_F(WindowTest, GivesTheKeyBoxItsFontAndTheButtonsTheirNames) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(At(Control::Text3), WM_GETFONT, 0, 0));
    LOGFONTW key{};
    GetObjectW(font, sizeof key, &key);
    EXPECT_STREQ(key.lfFaceName, L"Times New Roman");
    EXPECT_EQ(key.lfWeight, FW_NORMAL);
    wchar_t name[16] = {};
    GetWindowTextW(At(Control::Command2), name, 16);
    EXPECT_STREQ(name, L"Hilfe");
}

}  // namespace
}  // namespace schnackomat::win::testing
