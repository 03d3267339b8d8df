#include "schnackomat/rules/shortcuts.h"

#include <algorithm>

namespace schnackomat::rules {

std::optional<ShortcutRow> FindShortcut(char16_t code) {
    const auto* row = std::find_if(ShortcutTable.begin(), ShortcutTable.end(),
                                   [code](const ShortcutRow& r) { return r.Code == code; });
    if (row == ShortcutTable.end()) {
        return std::nullopt;
    }
    return *row;
}

std::optional<ShortcutRow> FindShortcutByKey(char letter) {
    if (letter >= 'a' && letter <= 'z') {
        letter = static_cast<char>(letter - 'a' + 'A');
    }
    const auto* row = std::find_if(ShortcutTable.begin(), ShortcutTable.end(),
                                   [letter](const ShortcutRow& r) { return r.Key == letter; });
    if (row == ShortcutTable.end()) {
        return std::nullopt;
    }
    return *row;
}

std::u16string DeleteLastWord(std::u16string_view text) {
    // Splitting at the spaces, emptying the last word and joining again leaves the text up to and
    // including the last space; the final character dropped is that space.
    const std::size_t lastSpace = text.rfind(u' ');
    if (lastSpace == std::u16string_view::npos) {
        return {};
    }
    return std::u16string(text.substr(0, lastSpace));
}

}  // namespace schnackomat::rules
