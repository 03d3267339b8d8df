#include "window_texts.h"

#include <emscripten.h>

#include <cstddef>
#include <string_view>

#include "schnackomat/rules/captions.h"
#include "schnackomat/rules/help_texts.h"
#include "schnackomat/rules/shortcuts.h"

// The bodies below are JavaScript, kept as written.
// clang-format off
EM_JS(void, page_control_texts,
      (int control, const char16_t* caption, std::size_t captionLength, const char16_t* name,
       std::size_t nameLength, const char16_t* description, std::size_t descriptionLength),
      {
          const text = Module.page.utf16;
          Module.page.showControlTexts(control, text(caption, captionLength), text(name, nameLength),
                                       text(description, descriptionLength));
      });

EM_JS(void, page_help_line, (int line, const char16_t* data, std::size_t length), {
    Module.page.showHelpLine(line, Module.page.utf16(data, length));
});

EM_JS(void, page_shortcut_text, (int key, const char16_t* data, std::size_t length), {
    Module.page.showShortcutText(String.fromCharCode(key), Module.page.utf16(data, length));
});
// clang-format on

namespace schnackomat::web {

void ShowWindowTexts() {
    for (int control = 0; control <= static_cast<int>(rules::Control::Form2); ++control) {
        const rules::ControlTexts texts = rules::TextsOf(static_cast<rules::Control>(control));
        page_control_texts(control, texts.Caption.data(), texts.Caption.size(),
                           texts.AccessibleName.data(), texts.AccessibleName.size(),
                           texts.AccessibleDescription.data(), texts.AccessibleDescription.size());
    }
    page_help_line(0, rules::HelpText.data(), rules::HelpText.size());
    for (std::size_t line = 0; line < rules::ShortcutCaptions.size(); ++line) {
        const std::u16string_view caption = rules::ShortcutCaptions[line];
        page_help_line(static_cast<int>(line + 1), caption.data(), caption.size());
    }
    for (const rules::ShortcutRow& row : rules::ShortcutTable) {
        page_shortcut_text(row.Key, row.Text.data(), row.Text.size());
    }
}

}  // namespace schnackomat::web
