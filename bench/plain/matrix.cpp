// The Matrix code in its plain form, one character or group after the other over the whole text,
// for measuring what the engine's table-driven coder buys.
#include "schnackomat/matrix.h"
#include "schnackomat/reference/reference.h"

namespace schnackomat {

std::u16string MatrixEncode(std::u16string_view text, std::u16string_view key,
                            RandomSource& random) {
    return reference::MatrixEncode(text, key, random);
}

BackResult MatrixDecode(std::u16string_view codedText, std::u16string_view key) {
    return reference::MatrixDecode(codedText, key);
}

}  // namespace schnackomat
