// The Matrix decoder on texts built from the pieces it reacts to: groups of every value, the
// marker and stray "11111 " groups, lone spaces and digits, halves of surrogate pairs and any
// other unit, in any order and number. The decoder must answer for every text, never read out
// of range, never grow the text, and always decode with the master code.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "fuzz_input.h"
#include "schnackomat/matrix.h"

using namespace schnackomat;
using namespace schnackomat::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t keyChoice = input.Byte();
    std::u16string key = keyChoice < 32 ? std::u16string(MasterCode) : input.Letters();

    constexpr std::array<std::u16string_view, 9> pieces{
        u"00000 ", u"11111 ", u"11110 ", u"00000", u" ", u"0", u"1", u"/////", u"  "};
    std::u16string coded;
    while (true) {
        const std::uint8_t token = input.Byte();
        const std::uint8_t value = input.Byte();
        if (token == 0 && value == 0) {
            break;
        }
        switch (token % 6) {
            case 0:
            case 1:  // a group of any value
                for (int bit = 4; bit >= 0; --bit) {
                    coded += (value >> bit) & 1 ? u'1' : u'0';
                }
                coded += u' ';
                break;
            case 2:
                coded += pieces[value % pieces.size()];
                break;
            case 3:  // half of a surrogate pair
                coded += static_cast<char16_t>(0xD800 + value * 8);
                break;
            case 4:
                coded += static_cast<char16_t>(0xDC00 + value * 4);
                break;
            default:
                coded += static_cast<char16_t>(value | token << 8);
                break;
        }
    }

    const BackResult decoded = MatrixDecode(coded, key);
    if (const auto* text = std::get_if<std::u16string>(&decoded)) {
        Require(text->size() <= coded.size());
    }
    if (key == MasterCode) {
        Require(std::holds_alternative<std::u16string>(decoded));
    }
    return 0;
}
