// The entry points the page's script calls: one per kind of event, each naming the control by
// its number in rules::Control. Every call runs to the end of its rule, except where the rule
// waits for a message box; the script then gets a promise that settles when the rule is done.
#include <emscripten.h>

#include <array>
#include <string>

#include "dom_page.h"
#include "page_toolkit.h"
#include "schnackomat/rules/window_rules.h"
#include "window_layout.h"
#include "window_texts.h"

namespace {

using schnackomat::rules::Control;

constexpr int ControlCount = static_cast<int>(Control::Form2) + 1;

struct Program {
    schnackomat::web::DomPage Page;
    schnackomat::web::PageToolkit Toolkit{Page};
    schnackomat::rules::WindowRules Rules{Toolkit};

    Program() { Toolkit.Attach(Rules); }
};

Program& TheProgram() {
    static Program program;
    return program;
}

bool IsControl(int control) {
    return control >= 0 && control < ControlCount;
}

// After an event's rules have run, the page shows which box leads now.
void ShowLeadingBox() {
    Program& program = TheProgram();
    program.Page.ShowLeadingBox(program.Rules.Text1Leads()   ? "Text1"
                                : program.Rules.Text2Leads() ? "Text2"
                                                             : "none");
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int schnackomat_control_count() {
    return ControlCount;
}

// The element id of a control, NUL-terminated.
EMSCRIPTEN_KEEPALIVE const char* schnackomat_control_name(int control) {
    static const std::array<std::string, ControlCount> names = [] {
        std::array<std::string, ControlCount> all;
        for (int i = 0; i < ControlCount; ++i) {
            all[static_cast<std::size_t>(i)] =
                std::string(schnackomat::rules::ControlName(static_cast<Control>(i)));
        }
        return all;
    }();
    return IsControl(control) ? names[static_cast<std::size_t>(control)].c_str() : "";
}

// Writes the captions, the accessible texts and the help window's lines into the page.
EMSCRIPTEN_KEEPALIVE void schnackomat_show_texts() {
    schnackomat::web::ShowWindowTexts();
}

// Gives the page both windows' drawing, which it scales and places itself.
EMSCRIPTEN_KEEPALIVE void schnackomat_show_layout() {
    schnackomat::web::ShowWindowLayout();
}

EMSCRIPTEN_KEEPALIVE void schnackomat_start() {
    TheProgram().Rules.Start();
    ShowLeadingBox();
}

EMSCRIPTEN_KEEPALIVE void schnackomat_edited(int control) {
    if (IsControl(control)) {
        TheProgram().Toolkit.UserEdited(static_cast<Control>(control));
        ShowLeadingBox();
    }
}

EMSCRIPTEN_KEEPALIVE void schnackomat_focused(int control) {
    if (IsControl(control)) {
        TheProgram().Toolkit.UserFocused(static_cast<Control>(control));
        ShowLeadingBox();
    }
}

EMSCRIPTEN_KEEPALIVE void schnackomat_clicked(int control) {
    if (IsControl(control)) {
        TheProgram().Toolkit.UserClicked(static_cast<Control>(control));
        ShowLeadingBox();
    }
}

EMSCRIPTEN_KEEPALIVE void schnackomat_pointed(int control) {
    if (IsControl(control)) {
        TheProgram().Toolkit.UserPointed(static_cast<Control>(control));
        ShowLeadingBox();
    }
}

// Answers the character code the box goes on with; 0 drops the key.
EMSCRIPTEN_KEEPALIVE int schnackomat_typed(int control, int code) {
    if (!IsControl(control) || code < 0 || code > 0xFFFF) {
        return code;
    }
    const char16_t kept =
        TheProgram().Toolkit.UserTyped(static_cast<Control>(control), static_cast<char16_t>(code));
    ShowLeadingBox();
    return kept;
}

}  // extern "C"
