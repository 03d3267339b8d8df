// The command-line converter's UTF-8 transcoding on arbitrary bytes and arbitrary 16-bit text:
// - valid input decodes and encodes back to the very same bytes;
// - invalid input is reported at an offset inside it, and everything before that offset is
//   valid on its own;
// - encoding any 16-bit text, lone surrogates included, gives valid UTF-8, and a text without
//   lone surrogates comes back unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_input.h"
#include "utf8.h"

using namespace schnackomat::cli;
using namespace schnackomat::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Utf8DecodeResult decoded = DecodeUtf8(bytes);
    if (decoded.Valid()) {
        Require(EncodeUtf8(decoded.Text) == bytes);
        Require(!HasLoneSurrogate(decoded.Text));
    } else {
        Require(*decoded.InvalidByte < size);
        Require(DecodeUtf8(bytes.substr(0, *decoded.InvalidByte)).Valid());
    }

    FuzzInput input(data, size);
    const std::u16string text = input.RestAsText();
    const std::string encoded = EncodeUtf8(text);
    const Utf8DecodeResult again = DecodeUtf8(encoded);
    Require(again.Valid());
    if (!HasLoneSurrogate(text)) {
        Require(again.Text == text);
    } else {
        Require(again.Text.size() == text.size());  // each lone half became one U+FFFD
    }
    return 0;
}
