// Converts its first argument (ASCII only, to keep the example short) with the leet styles.
#include <cstdio>
#include <string>

#include "schnackomat/conversion.h"

int main(int argc, char** argv) {
    const std::string text = argc > 1 ? argv[1] : "Leet";
    const std::u16string input(text.begin(), text.end());

    schnackomat::ConversionOptions options;
    options.LeetCharacters = true;
    options.LeetWords = true;
    const std::u16string output = schnackomat::ConvertForward(input, options).Text;

    for (char16_t unit : output) {
        std::putchar(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    std::putchar('\n');
    return 0;
}
