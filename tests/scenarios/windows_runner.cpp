// Plays scenario files against the real Windows window, in this process: a fresh main window for
// each file, driven through the messages Windows delivers for a user's keys, clicks and mouse
// moves; the real message boxes, answered by clicking their buttons; the system clipboard. Only
// the links are written down instead of opened.
//
//   schnackomat_windows_scenarios [FILE.scenario...]
//
// Without a file it plays every scenario of the source folder. A scenario pending on "windows"
// is expected to fail, and fails the run as soon as it passes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "../windows/window/driver.h"
#include "scenario.h"
#include "schnackomat/conversion.h"
#include "schnackomat/rules/toolkit.h"
#include "schnackomat/win/box_text.h"
#include "schnackomat/win/form1.h"
#include "schnackomat/win/help_window.h"

namespace {

namespace hands = schnackomat::win::testing;
using schnackomat::rules::Control;
using schnackomat::scenarios::Scenario;
using schnackomat::scenarios::Step;

using Failure = std::optional<std::string>;

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    std::string utf8(wide.size() * 3, '\0');
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                            static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(length));
    return utf8;
}

std::string Quote(const std::wstring& text) {
    std::string quoted = "\"";
    for (const char c : Utf8(text)) {
        quoted += c == '\n'  ? std::string("\\n")
                  : c == '"' ? std::string("\\\"")
                             : std::string(1, c);
    }
    return quoted + '"';
}

template <typename T>
Failure Compare(const T& got, const T& expected, const std::string& what) {
    if (got == expected) {
        return std::nullopt;
    }
    std::ostringstream message;
    if constexpr (std::is_same_v<T, std::wstring>) {
        message << what << " is " << Quote(got) << ", not " << Quote(expected);
    } else {
        message << what << " is " << got << ", not " << expected;
    }
    return message.str();
}

hands::Key KeyOf(const schnackomat::scenarios::KeyPress& press) {
    hands::Key key{0, press.Ctrl, press.Shift, press.Alt};
    struct Named {
        const char* Name;
        UINT VirtualKey;
    };
    static constexpr Named named[] = {
        {"Tab", VK_TAB},        {"Esc", VK_ESCAPE},    {"Return", VK_RETURN}, {"Space", VK_SPACE},
        {"Backspace", VK_BACK}, {"Delete", VK_DELETE}, {"Insert", VK_INSERT}, {"Home", VK_HOME},
        {"End", VK_END},        {"Left", VK_LEFT},     {"Right", VK_RIGHT},   {"Up", VK_UP},
        {"Down", VK_DOWN},      {"PageUp", VK_PRIOR},  {"PageDown", VK_NEXT},
    };
    for (const Named& entry : named) {
        if (press.Key == entry.Name) {
            key.VirtualKey = entry.VirtualKey;
        }
    }
    if (press.Key.size() == 1) {
        key.VirtualKey = static_cast<UINT>(press.Key[0]);  // the keys of A to Z and 0 to 9
    }
    return key;
}

std::wstring ColourName(COLORREF colour) {
    wchar_t name[8];
    swprintf(name, 8, L"#%02x%02x%02x", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return name;
}

class Player {
  public:
    Player() : form_(std::make_unique<schnackomat::win::Form1>(links_)) {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        form_->Show();
        SetForegroundWindow(form_->Handle());
        hands::Settle();
    }

    ~Player() {
        schnackomat::win::CloseHelpWindow();
        form_.reset();
        hands::Settle();
    }

    // Plays the steps in order; answers the first step that fails, with its line, or nothing.
    Failure Play(const Scenario& scenario) {
        for (const Step& step : scenario.Steps) {
            Failure failure = Run(step);
            hands::Settle();
            if (!failure && !answerer_.Failure().empty()) {
                failure = answerer_.Failure();
            }
            if (failure) {
                return "line " + std::to_string(step.Line) + " (" + std::string(step.Name) +
                       "): " + *failure;
            }
        }
        return std::nullopt;
    }

  private:
    HWND Find(const std::string& name) const {
        if (name.starts_with("Form2.")) {
            const HWND help = schnackomat::win::HelpWindow();
            const int line = std::stoi(name.substr(std::string("Form2.Label").size()));
            return help != nullptr ? GetDlgItem(help, line) : nullptr;
        }
        const auto control = schnackomat::rules::ControlNamed(name);
        return control ? form_->Window(*control) : nullptr;
    }

    std::string NameOf(HWND window) const {
        if (window == nullptr) {
            return "nothing";
        }
        const HWND help = schnackomat::win::HelpWindow();
        if (window == help) {
            return "Form2";
        }
        for (int index = 0; index <= static_cast<int>(Control::Form2); ++index) {
            const auto control = static_cast<Control>(index);
            if (form_->IsOpen() && form_->Window(control) == window) {
                return std::string(schnackomat::rules::ControlName(control));
            }
        }
        return "another window";
    }

    Failure Run(const Step& step) {
        const std::string_view name = step.Name;
        if (name == "answer") {
            answerer_.Queue(Wide(step.Text(0)));
            return std::nullopt;
        }
        if (name == "type") {
            hands::Type(Wide(step.Text(0)));
            return std::nullopt;
        }
        if (name == "press") {
            hands::Press(KeyOf(schnackomat::scenarios::SplitKey(step.Text(0))));
            return std::nullopt;
        }
        if (name == "paste") {
            hands::SetClipboard(Wide(step.Text(0)));
            hands::Press({VK_INSERT, false, true, false});
            return std::nullopt;
        }
        if (name == "hover window") {
            hands::Hover(form_->Handle());
            return std::nullopt;
        }
        if (name == "expect messages") {
            return Compare(answerer_.Shown().size(), static_cast<std::size_t>(step.Number(0)),
                           "the number of message boxes");
        }
        if (name == "expect message") {
            const auto index = static_cast<std::size_t>(step.Number(0));
            if (index == 0 || index > answerer_.Shown().size()) {
                return "no message box " + std::to_string(index) + " came up";
            }
            const hands::ShownMessage& shown = answerer_.Shown()[index - 1];
            const std::wstring got = shown.Text + L"|" + shown.Title + L"|" + shown.Buttons + L"|" +
                                     shown.Icon + (shown.OnTop ? L"" : L"|not on top");
            const std::wstring expected = Wide(step.Text(1)) + L"|" + Wide(step.Text(2)) + L"|" +
                                          Wide(step.Text(3)) + L"|" + Wide(step.Text(4));
            return Compare(got, expected, "the message box (text|title|buttons|icon)");
        }
        if (name == "expect links") {
            return Compare(links_.Calls.size(), static_cast<std::size_t>(step.Number(0)),
                           "the number of links");
        }
        if (name == "expect link") {
            const auto index = static_cast<std::size_t>(step.Number(0));
            if (index == 0 || index > links_.Calls.size()) {
                return "no link " + std::to_string(index) + " was opened";
            }
            return Compare(links_.Calls[index - 1].File, Wide(step.Text(1)), "the link");
        }
        if (name == "expect leads") {
            const std::string leads = form_->Text1Leads()   ? "Text1"
                                      : form_->Text2Leads() ? "Text2"
                                                            : "none";
            return Compare(leads, step.Text(0), "the leading box");
        }
        if (name == "expect clipboard") {
            return Compare(hands::Clipboard(), Wide(step.Text(0)), "the clipboard");
        }
        if (name == "expect focus") {
            return Compare(NameOf(GetFocus()), step.Text(0), "the focus");
        }
        if (name == "expect open" || name == "expect closed") {
            const HWND window =
                step.Text(0) == "Form1" ? form_->Handle() : schnackomat::win::HelpWindow();
            const bool open = window != nullptr && IsWindow(window) && IsWindowVisible(window);
            return open == (name == "expect open")
                       ? std::nullopt
                       : Failure(step.Text(0) + (open ? " is open" : " is closed"));
        }

        const HWND control = Find(step.Text(0));
        if (control == nullptr || !IsWindow(control)) {
            return step.Text(0) + " is not there";
        }
        if (name == "focus") {
            for (int presses = 0; presses < 20 && GetFocus() != control; ++presses) {
                hands::Press({VK_TAB});
            }
            return GetFocus() == control ? std::nullopt
                                         : Failure("the Tab key never reaches " + step.Text(0));
        }
        if (name == "click") {
            const auto which = schnackomat::rules::ControlNamed(step.Text(0));
            if (which >= Control::Check1 && which <= Control::Check4) {
                // On the tick box.
                RECT box;
                GetClientRect(control, &box);
                hands::ClickAt(control, {GetSystemMetrics(SM_CXMENUCHECK) / 2, box.bottom / 2});
            } else {
                hands::Click(control);
            }
            return std::nullopt;
        }
        if (name == "click at") {
            return ClickIntoText(control, static_cast<std::size_t>(step.Number(1)));
        }
        if (name == "hover") {
            hands::Hover(control);
            return std::nullopt;
        }
        if (name == "scroll") {
            SendMessageW(control, WM_VSCROLL, SB_BOTTOM, 0);
            return std::nullopt;
        }
        if (name == "expect checked") {
            const int checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
            return Compare(std::to_string(checked), step.Text(1), "the value");
        }
        if (name == "expect colour") {
            return Compare(ColourName(hands::TextColourOf(control)), Wide(step.Text(1)),
                           "the text colour");
        }
        if (name == "expect caption") {
            std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(control)), L'\0');
            GetWindowTextW(control, caption.data(), static_cast<int>(caption.size() + 1));
            return Compare(caption, Wide(step.Text(1)), "the caption");
        }
        if (name == "expect text") {
            return Compare(hands::TextOf(control), Wide(step.Text(1)), "the text");
        }
        if (name == "expect clipboard of") {
            return Compare(hands::Clipboard(), hands::TextOf(control), "the clipboard");
        }
        if (name == "expect caret" || name == "expect selection") {
            const auto [start, length] = hands::SelectionOf(control);
            if (name == "expect caret") {
                if (length != 0) {
                    return "the box has " + std::to_string(length) + " characters selected from " +
                           std::to_string(start);
                }
                return Compare(start, static_cast<std::size_t>(step.Number(1)), "the caret");
            }
            return Compare(std::to_string(start) + " " + std::to_string(length),
                           std::to_string(step.Number(1)) + " " + std::to_string(step.Number(2)),
                           "the selection (start length)");
        }
        if (name == "expect decoded") {
            schnackomat::ConversionOptions options;
            options.MatrixStyle = true;
            const std::wstring key = Wide(step.Text(1));
            options.MatrixKey.assign(key.begin(), key.end());
            const std::wstring text = hands::TextOf(control);
            const auto back =
                schnackomat::ConvertBack(std::u16string(text.begin(), text.end()), options);
            const auto* decoded = std::get_if<std::u16string>(&back);
            if (decoded == nullptr) {
                return "the text is no Matrix text with the key " + step.Text(1);
            }
            return Compare(std::wstring(decoded->begin(), decoded->end()), Wide(step.Text(2)),
                           "the decoded text");
        }
        if (name == "expect letters") {
            const std::wstring text = hands::TextOf(control);
            const bool letters =
                !text.empty() && std::all_of(text.begin(), text.end(),
                                             [](wchar_t c) { return c >= L'a' && c <= L'z'; });
            return letters ? std::nullopt
                           : Failure("the text " + Quote(text) + " is not all letters a to z");
        }
        if (name == "expect view") {
            SCROLLINFO view{};
            view.cbSize = sizeof view;
            view.fMask = SIF_ALL;
            GetScrollInfo(control, SB_VERT, &view);
            const bool top = view.nPos == 0;
            const bool end = view.nPos + static_cast<int>(view.nPage) > view.nMax;
            const bool wanted = step.Text(1) == "top" ? top : end;
            return wanted ? std::nullopt
                          : Failure("the view stands at line " + std::to_string(view.nPos) +
                                    " of " + std::to_string(view.nMax + 1));
        }
        return "no such step on this binding: " + std::string(name);
    }

    Failure ClickIntoText(HWND box, std::size_t index) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)), L'\0');
        GetWindowTextW(box, text.data(), static_cast<int>(text.size() + 1));
        const std::size_t at = schnackomat::win::BoxIndex(text, index);
        if (at >= text.size()) {
            return "a click after the end of the text is not played on this binding";
        }
        const LRESULT place = SendMessageW(box, EM_POSFROMCHAR, at, 0);
        hands::ClickAt(
            box, {static_cast<short>(LOWORD(place)) + 1, static_cast<short>(HIWORD(place)) + 2});
        return std::nullopt;
    }

    hands::RecordingLinkOpener links_;
    hands::MessageBoxAnswerer answerer_;
    std::unique_ptr<schnackomat::win::Form1> form_;
};

std::optional<std::string> Read(const std::string& file, Scenario& scenario) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        return file + ": cannot be read";
    }
    const std::string content((std::istreambuf_iterator<char>(stream)),
                              std::istreambuf_iterator<char>());
    auto parsed = schnackomat::scenarios::ParseScenario(content);
    if (const auto* error = std::get_if<schnackomat::scenarios::ParseError>(&parsed)) {
        return file + ":" + std::to_string(error->Line) + ": " + error->Reason;
    }
    scenario = std::get<Scenario>(std::move(parsed));
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files(argv + 1, argv + argc);
    if (files.empty()) {
        for (const auto& entry : std::filesystem::directory_iterator(SCHNACKOMAT_SCENARIO_DIR)) {
            if (entry.path().extension() == ".scenario") {
                files.push_back(entry.path().string());
            }
        }
        std::sort(files.begin(), files.end());
    }
    int failed = 0;
    for (const std::string& file : files) {
        Scenario scenario;
        Failure failure = Read(file, scenario);
        if (!failure) {
            Player player;
            failure = player.Play(scenario);
        }
        const auto pending = scenario.Pending.find("windows");
        const std::string name = std::filesystem::path(file).stem().string();
        if (pending != scenario.Pending.end()) {
            if (failure) {
                std::printf("PENDING %s: %s (%s)\n", name.c_str(), pending->second.c_str(),
                            failure->c_str());
            } else {
                std::printf("FAIL %s: passes on windows now: remove its pending line\n",
                            name.c_str());
                ++failed;
            }
        } else if (failure) {
            std::printf("FAIL %s: %s\n", name.c_str(), failure->c_str());
            ++failed;
        } else {
            std::printf("PASS %s\n", name.c_str());
        }
    }
    std::printf("%d of %zu scenarios failed\n", failed, files.size());
    return failed == 0 ? 0 : 1;
}
