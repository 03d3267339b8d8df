#include "schnackomat/win/box_text.h"

namespace schnackomat::win {

namespace {

// Whether a box's "\r\n", one line break for the rules, starts at `index`.
bool LineBreakAt(std::wstring_view boxText, std::size_t index) {
    return boxText[index] == L'\r' && index + 1 < boxText.size() && boxText[index + 1] == L'\n';
}

}  // namespace

std::wstring ToBoxText(std::u16string_view text) {
    std::wstring box;
    box.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
            box += L'\r';
        }
        box += static_cast<wchar_t>(text[i]);
    }
    return box;
}

std::u16string FromBoxText(std::wstring_view text) {
    std::u16string rules;
    rules.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (LineBreakAt(text, i)) {
            continue;
        }
        rules += static_cast<char16_t>(text[i]);
    }
    return rules;
}

std::size_t BoxIndex(std::wstring_view boxText, std::size_t index) {
    std::size_t box = 0;
    for (std::size_t counted = 0; counted < index && box < boxText.size(); ++counted) {
        box += LineBreakAt(boxText, box) ? 2 : 1;
    }
    return box;
}

std::size_t RulesIndex(std::wstring_view boxText, std::size_t boxIndex) {
    std::size_t index = 0;
    for (std::size_t box = 0; box < boxIndex && box < boxText.size(); ++box) {
        if (!LineBreakAt(boxText, box)) {
            ++index;
        }
    }
    return index;
}

std::wstring ShownCaption(std::u16string_view caption) {
    std::wstring shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        shown += static_cast<wchar_t>(caption[i]);
        if (caption[i] == u'&' && i + 1 < caption.size() && caption[i + 1] == u'&') {
            ++i;
        }
    }
    return shown;
}

}  // namespace schnackomat::win
