// A stage applied to one input, and what it must give.
#pragma once

#include <ostream>
#include <string>

#include "schnackomat/text.h"

namespace schnackomat {

struct StageCase {
    std::u16string Input;
    std::u16string Expected;
};

// Shows both texts in a failure message as UTF-8-ish escapes that gtest can print.
inline void PrintTo(const StageCase& c, std::ostream* out) {
    auto show = [out](const std::u16string& text) {
        *out << '"';
        for (char16_t unit : text) {
            if (unit >= 0x20 && unit < 0x7F) {
                *out << static_cast<char>(unit);
            } else {
                *out << "\\u" << std::hex << static_cast<unsigned>(unit) << std::dec;
            }
        }
        *out << '"';
    };
    show(c.Input);
    *out << " -> ";
    show(c.Expected);
}

}  // namespace schnackomat
