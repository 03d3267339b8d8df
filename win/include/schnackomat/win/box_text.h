// Texts between the window rules and the Windows edit boxes: the rules keep every line break as
// "\n", a multi-line edit box keeps it as "\r\n", and the caret and selection are counted in the
// box's own characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace schnackomat::win {

// `text` as a box holds it: every "\n" written as "\r\n" (one already so written stays).
std::wstring ToBoxText(std::u16string_view text);
// A box's text as the rules read it: every "\r\n" read as "\n".
std::u16string FromBoxText(std::wstring_view text);

// The box's character index of the rules' character index `index` into FromBoxText(boxText).
std::size_t BoxIndex(std::wstring_view boxText, std::size_t index);
// The rules' character index of the box's character index `boxIndex`.
std::size_t RulesIndex(std::wstring_view boxText, std::size_t boxIndex);

// The caption of a control as it is shown: a doubled ampersand stands for one.
std::wstring ShownCaption(std::u16string_view caption);

}  // namespace schnackomat::win
