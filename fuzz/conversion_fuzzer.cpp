// Both conversions with every option combination and arbitrary keys, checked for properties
// that hold for every text:
// - with no option ticked, both directions give the text back unchanged;
// - a text without lone surrogates converts forward, and back without the Matrix code, into a
//   text without lone surrogates (only the Matrix decoder cuts units off the ends);
// - a text coded with a key reads back with that key and with the master code, lower-cased and
//   without its digits, unless the text itself holds a marker;
// - the random letters for a rejected key are length / 6 + 1 letters "a" to "z".
#include <cstddef>
#include <cstdint>
#include <variant>

#include "fuzz_input.h"
#include "schnackomat/conversion.h"
#include "schnackomat/matrix.h"
#include "schnackomat/text.h"

using namespace schnackomat;
using namespace schnackomat::fuzzing;

namespace {

std::u16string LowerCasedWithoutDigits(std::u16string_view text) {
    std::u16string expected;
    for (char16_t unit : ToLower(text)) {
        if (unit < u'0' || unit > u'9') {
            expected += unit;
        }
    }
    return expected;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    ConversionOptions options = OptionsFrom(input.Byte());
    options.MatrixKey = input.Letters();
    const std::u16string text = input.RestAsText();
    const bool wellFormed = !HasLoneSurrogate(text);

    const ForwardResult forward = ConvertForward(text, options);
    const BackResult back = ConvertBack(text, options);
    if (!options.SlangStyle && !options.LeetCharacters && !options.LeetWords &&
        !options.MatrixStyle) {
        Require(forward.Text == text && !forward.Censored);
        Require(back == BackResult(text));
    }
    if (wellFormed) {
        Require(!HasLoneSurrogate(forward.Text));
        if (!options.MatrixStyle) {
            Require(!HasLoneSurrogate(std::get<std::u16string>(back)));
        }
    }
    if (std::holds_alternative<KeyRejected>(back)) {
        Require(options.MatrixStyle);
        const std::u16string letters = RandomLetters(text.size());
        Require(letters.size() == text.size() / 6 + 1);
        for (char16_t letter : letters) {
            Require(letter >= u'a' && letter <= u'z');
        }
    }

    // The Matrix round trip, on the text alone.
    const std::u16string expected = LowerCasedWithoutDigits(text);
    if (expected.find(MatrixMarker) == std::u16string::npos) {
        ConversionOptions matrix;
        matrix.MatrixStyle = true;
        matrix.MatrixKey = options.MatrixKey;
        const std::u16string coded = ConvertForward(text, matrix).Text;
        Require(ConvertBack(coded, matrix) == BackResult(expected));
        matrix.MatrixKey = std::u16string(MasterCode);
        Require(ConvertBack(coded, matrix) == BackResult(expected));
    }
    return 0;
}
