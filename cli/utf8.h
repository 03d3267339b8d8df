// Strict conversion between UTF-8 bytes and the engine's 16-bit text units.
//
// Pure standard C++, so that the command-line converter, its tests and fuzz targets can share it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace schnackomat::cli {

// The outcome of decoding: the text, or the offset of the first byte that starts no well-formed
// sequence.
struct Utf8DecodeResult {
    std::u16string Text;                     // the decoded text; empty when InvalidByte is set
    std::optional<std::size_t> InvalidByte;  // byte offset of the first ill-formed sequence

    bool Valid() const { return !InvalidByte.has_value(); }
};

// Decodes `bytes` as UTF-8 into UTF-16. Rejects truncated sequences, continuation bytes without a
// lead byte, overlong forms, encoded surrogates (U+D800..U+DFFF), the bytes F5..FF and code points
// above U+10FFFF. Code points above U+FFFF become surrogate pairs; NUL bytes are ordinary
// characters. The offset reported is that of the lead byte of the sequence that cannot be
// decoded (or of the stray continuation byte).
Utf8DecodeResult DecodeUtf8(std::string_view bytes);

// Encodes `text` as UTF-8. A well-formed surrogate pair becomes one four-byte sequence; a
// surrogate without its partner becomes U+FFFD, so the result is always valid UTF-8.
std::string EncodeUtf8(std::u16string_view text);

}  // namespace schnackomat::cli
