// The Ctrl+letter shortcuts of the input box and the word deletion of Ctrl+Backspace.
//
// The window rules (window_rules.h) map a typed character code to a row of ShortcutTable and
// write the result back into the input box.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace schnackomat::rules {

// One shortcut: Ctrl+Key types the control character Code (Ctrl+A is 1, ..., Ctrl+Z is 26), and
// the input box gets Text appended at its end.
struct ShortcutRow {
    char Key;
    char16_t Code;
    std::u16string_view Text;
};

// The fourteen shortcuts. Every text ends with exactly one space, so the next word the user
// types (or the next shortcut) starts a new word.
inline constexpr std::array<ShortcutRow, 14> ShortcutTable{{
    {'A', 1, u"standard "},
    {'D', 4, u"wuuuh "},
    {'E', 5, u"whatever "},
    {'G', 7, u"gaylord "},
    {'L', 12, u"leet "},
    {'N', 14, u"weeeeeiß nich "},
    {'O', 15, u"oha "},
    {'P', 16, u"paaardy "},
    {'S', 19, u"oder so "},
    {'T', 20, u"stylisch "},
    {'U', 21, u"martello duro "},
    {'W', 23, u"whäääy "},
    {'Y', 25, u"mystisch "},
    {'Z', 26, u"zyoooooooom "},
}};

namespace shortcut_detail {
constexpr bool TableIsConsistent() {
    for (const ShortcutRow& row : ShortcutTable) {
        if (row.Key < 'A' || row.Key > 'Z' || row.Code != row.Key - 'A' + 1) {
            return false;
        }
        if (row.Text.size() < 2 || row.Text.back() != u' ' ||
            row.Text[row.Text.size() - 2] == u' ') {
            return false;
        }
    }
    return true;
}
}  // namespace shortcut_detail

static_assert(shortcut_detail::TableIsConsistent(),
              "every shortcut's code must be its letter's control code, and its text must end in "
              "exactly one space");

// The control character Ctrl+Backspace types; it deletes the last word instead.
inline constexpr char16_t DeleteLastWordCode = 127;

// The row whose control character is `code`, or nothing for any other code.
std::optional<ShortcutRow> FindShortcut(char16_t code);

// The row for Ctrl+`letter` (upper or lower case), or nothing for a letter without a shortcut.
std::optional<ShortcutRow> FindShortcutByKey(char letter);

// Removes everything after the last space, together with that space. A text without any space
// (the empty text included) becomes empty. Line breaks are ordinary characters, so they belong
// to the word they stand in.
std::u16string DeleteLastWord(std::u16string_view text);

}  // namespace schnackomat::rules
