#include "utf8.h"

#include <cstdint>
#include <cstring>

namespace schnackomat::cli {

namespace {

constexpr bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

constexpr bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

Utf8DecodeResult DecodeUtf8(std::string_view bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();

    // Every byte yields at most one unit (a four-byte sequence yields two), so the text never
    // outgrows the input.
    std::u16string text(size, u'\0');
    char16_t* out = text.data();

    std::size_t i = 0;
    while (i < size) {
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            // German text is mostly ASCII: the run of ASCII bytes found eight at a time, then
            // widened in one loop.
            std::size_t end = i + 1;
            std::uint64_t word = 0;
            while (size - end >= sizeof word && (std::memcpy(&word, data + end, sizeof word),
                                                 (word & 0x8080808080808080u) == 0)) {
                end += sizeof word;
            }
            const std::size_t run = end - i;
            for (std::size_t k = 0; k < run; ++k) {
                out[k] = data[i + k];
            }
            out += run;
            i = end;
            continue;
        }

        std::size_t length = 0;
        std::uint32_t codePoint = 0;
        // The allowed range of the second byte excludes overlong forms, surrogates and code
        // points above U+10FFFF; the bytes after it are plain continuation bytes.
        unsigned char secondLow = 0x80;
        unsigned char secondHigh = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            codePoint = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            codePoint = lead & 0x0F;
            if (lead == 0xE0) {
                secondLow = 0xA0;
            } else if (lead == 0xED) {
                secondHigh = 0x9F;
            }
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            codePoint = lead & 0x07;
            if (lead == 0xF0) {
                secondLow = 0x90;
            } else if (lead == 0xF4) {
                secondHigh = 0x8F;
            }
        } else {
            // A stray continuation byte, C0, C1 or F5..FF.
            return {{}, i};
        }

        if (size - i < length) {
            return {{}, i};
        }
        const unsigned char second = data[i + 1];
        if (second < secondLow || second > secondHigh) {
            return {{}, i};
        }
        codePoint = (codePoint << 6) | (second & 0x3F);
        for (std::size_t k = 2; k < length; ++k) {
            const unsigned char next = data[i + k];
            if (!IsContinuation(next)) {
                return {{}, i};
            }
            codePoint = (codePoint << 6) | (next & 0x3F);
        }

        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            *out++ = static_cast<char16_t>(0xD800 + (codePoint >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
        } else {
            *out++ = static_cast<char16_t>(codePoint);
        }
        i += length;
    }

    text.resize(static_cast<std::size_t>(out - text.data()));
    return {std::move(text), std::nullopt};
}

namespace {

// At least the number of bytes EncodeUtf8 makes of `text`: one for a unit below 0x80, two below
// 0x800, three otherwise, which is exact but for a surrogate pair (six where it takes four).
// Without a dependence between neighbouring units the loop runs on many units at once.
std::size_t EncodedSizeBound(std::u16string_view text) {
    std::size_t size = text.size();
    for (const char16_t unit : text) {
        size += std::size_t{unit >= 0x80} + std::size_t{unit >= 0x800};
    }
    return size;
}

// Whether none of the eight units from `units` is outside ASCII.
bool EightAscii(const char16_t* units) {
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    std::memcpy(&first, units, sizeof first);
    std::memcpy(&second, units + 4, sizeof second);
    return ((first | second) & 0xFF80FF80FF80FF80u) == 0;
}

}  // namespace

std::string EncodeUtf8(std::u16string_view text) {
    // Counted first, so that only about the bytes written are allocated and cleared.
    std::string bytes(EncodedSizeBound(text), '\0');
    char* out = bytes.data();
    auto put = [&out](std::uint32_t byte) { *out++ = static_cast<char>(byte); };

    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        std::uint32_t codePoint = text[i];
        if (codePoint < 0x80) {
            // German text is mostly ASCII: the run of ASCII units found eight at a time, then
            // copied in one loop.
            std::size_t end = i + 1;
            while (size - end >= 8 && EightAscii(text.data() + end)) {
                end += 8;
            }
            const char16_t* from = text.data() + i;
            const std::size_t run = end - i;
            for (std::size_t k = 0; k < run; ++k) {
                out[k] = static_cast<char>(from[k]);
            }
            out += run;
            i = end - 1;
            continue;
        }
        if (IsHighSurrogate(text[i]) && i + 1 < size && IsLowSurrogate(text[i + 1])) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            codePoint = 0xFFFD;
        }

        if (codePoint < 0x800) {
            put(0xC0 | (codePoint >> 6));
            put(0x80 | (codePoint & 0x3F));
        } else if (codePoint < 0x10000) {
            put(0xE0 | (codePoint >> 12));
            put(0x80 | ((codePoint >> 6) & 0x3F));
            put(0x80 | (codePoint & 0x3F));
        } else {
            put(0xF0 | (codePoint >> 18));
            put(0x80 | ((codePoint >> 12) & 0x3F));
            put(0x80 | ((codePoint >> 6) & 0x3F));
            put(0x80 | (codePoint & 0x3F));
        }
    }

    bytes.resize(static_cast<std::size_t>(out - bytes.data()));
    return bytes;
}

}  // namespace schnackomat::cli
