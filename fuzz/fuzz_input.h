// Turns a fuzzer's bytes into the things the engine takes: option boxes, a key, a text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "schnackomat/conversion.h"

namespace schnackomat::fuzzing {

// Stops the run at a broken property, so that libFuzzer keeps the input that broke it.
inline void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// Reads the input from the front.
class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return used_ < size_ ? data_[used_++] : 0; }

    // A key of up to 15 letters "a" to "z", as the key box holds it.
    std::u16string Letters() {
        const std::size_t length = Byte() % 16;
        std::u16string letters;
        for (std::size_t i = 0; i < length; ++i) {
            letters += static_cast<char16_t>(u'a' + Byte() % 26);
        }
        return letters;
    }

    // All that is left, two bytes per unit.
    std::u16string RestAsText() {
        std::u16string text;
        while (size_ - used_ >= 2) {
            text += static_cast<char16_t>(data_[used_] | data_[used_ + 1] << 8);
            used_ += 2;
        }
        return text;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

inline ConversionOptions OptionsFrom(std::uint8_t choice) {
    ConversionOptions options;
    options.SlangStyle = (choice & 1) != 0;
    options.LeetCharacters = (choice & 2) != 0;
    options.LeetWords = (choice & 4) != 0;
    options.MatrixStyle = (choice & 8) != 0;
    return options;
}

// True when the text holds a surrogate without its partner.
inline bool HasLoneSurrogate(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) {
                return true;
            }
            ++i;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return true;
        }
    }
    return false;
}

}  // namespace schnackomat::fuzzing
