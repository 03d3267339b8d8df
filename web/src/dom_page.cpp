#include "dom_page.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>

// Texts cross as UTF-16 code units, the page's own string form, so nothing is converted on the
// way. The page's operations (operations.js) are Module.page.

// The bodies below are JavaScript, kept as written.
// clang-format off
EM_JS(char16_t*, page_read_text, (int control, std::size_t* length), {
    const text = Module.page.readText(control);
    const units = text.length;
    const at = _malloc(units * 2 + 2);
    const heap = HEAPU16;
    const base = at >> 1;
    for (let i = 0; i < units; ++i) {
        heap[base + i] = text.charCodeAt(i);
    }
    HEAPU32[length >> 2] = units;
    return at;
});

EM_JS(std::size_t, page_text_length, (int control), {
    return Module.page.readText(control).length;
});

EM_JS(int, page_replace_text, (int control, const char16_t* data, std::size_t length), {
    return Module.page.replaceText(control, Module.page.utf16(data, length)) ? 1 : 0;
});

EM_JS(void, page_select, (int control, std::size_t start, std::size_t length), {
    Module.page.select(control, start, length);
});

EM_JS(int, page_checked, (int control), { return Module.page.checked(control) ? 1 : 0; });

EM_JS(void, page_set_checked, (int control, int checked), {
    Module.page.setChecked(control, checked != 0);
});

EM_JS(void, page_focus, (int control), { Module.page.focus(control); });

EM_JS(void, page_text_colour, (int control, int red, int green, int blue), {
    Module.page.setTextColour(control, red, green, blue);
});

EM_ASYNC_JS(int, page_ask,
            (const char16_t* text, std::size_t textLength, const char16_t* title,
             std::size_t titleLength, int yesNo, const char* icon, int ok, int yes, int no),
            {
                const answer = await Module.page.ask(Module.page.utf16(text, textLength),
                                                     Module.page.utf16(title, titleLength),
                                                     yesNo != 0, UTF8ToString(icon));
                return answer === "yes" ? yes : answer === "no" ? no : ok;
            });

EM_JS(void, page_clipboard, (const char16_t* data, std::size_t length), {
    Module.page.writeClipboard(Module.page.utf16(data, length));
});

EM_JS(void, page_open_link, (const char* target, std::size_t length), {
    Module.page.openLink(UTF8ToString(target, length));
});

EM_JS(void, page_show_leads, (const char* box, std::size_t length), {
    Module.page.showLeadingBox(UTF8ToString(box, length));
});

EM_JS(void, page_show_help, (), { Module.page.showHelpWindow(); });
EM_JS(void, page_hide_help, (), { Module.page.hideHelpWindow(); });
EM_JS(void, page_end_main_window, (), { Module.page.endMainWindow(); });
// clang-format on

namespace schnackomat::web {

namespace {

int Id(rules::Control control) {
    return static_cast<int>(control);
}

}  // namespace

std::u16string DomPage::ReadText(rules::Control box) {
    std::size_t length = 0;
    const std::unique_ptr<char16_t, decltype(&std::free)> units(page_read_text(Id(box), &length),
                                                                &std::free);
    return std::u16string(units.get(), length);
}

std::size_t DomPage::TextLength(rules::Control box) {
    return page_text_length(Id(box));
}

bool DomPage::ReplaceText(rules::Control box, std::u16string_view text) {
    return page_replace_text(Id(box), text.data(), text.size()) != 0;
}

void DomPage::SetSelection(rules::Control box, std::size_t start, std::size_t length) {
    page_select(Id(box), start, length);
}

bool DomPage::ReadChecked(rules::Control box) {
    return page_checked(Id(box)) != 0;
}

void DomPage::SetChecked(rules::Control box, bool checked) {
    page_set_checked(Id(box), checked ? 1 : 0);
}

void DomPage::MoveFocus(rules::Control control) {
    page_focus(Id(control));
}

void DomPage::SetTextColour(rules::Control label, rules::Colour colour) {
    page_text_colour(Id(label), colour.Red, colour.Green, colour.Blue);
}

rules::MessageAnswer DomPage::AskMessage(const rules::Message& message) {
    using rules::MessageAnswer;
    const char* icon = message.Icon == rules::MessageIcon::Question      ? "question"
                       : message.Icon == rules::MessageIcon::Information ? "information"
                                                                         : "";
    return static_cast<MessageAnswer>(
        page_ask(message.Text.data(), message.Text.size(), message.Title.data(),
                 message.Title.size(), message.Buttons == rules::MessageButtons::YesNo ? 1 : 0,
                 icon, static_cast<int>(MessageAnswer::Ok), static_cast<int>(MessageAnswer::Yes),
                 static_cast<int>(MessageAnswer::No)));
}

void DomPage::WriteClipboard(std::u16string_view text) {
    page_clipboard(text.data(), text.size());
}

void DomPage::OpenLink(std::string_view target) {
    page_open_link(target.data(), target.size());
}

void DomPage::ShowLeadingBox(std::string_view box) {
    page_show_leads(box.data(), box.size());
}

void DomPage::ShowHelpWindow() {
    page_show_help();
}

void DomPage::HideHelpWindow() {
    page_hide_help();
}

void DomPage::EndMainWindow() {
    page_end_main_window();
}

}  // namespace schnackomat::web
