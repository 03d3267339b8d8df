// What the key box keeps of a key, for the window rules and for every other way of giving a key
// (the command-line converter takes a key only in the form the key box would hold it).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace schnackomat::rules {

// The most characters the key box holds.
inline constexpr std::size_t MaxKeyLength = 15;

// The key as the key box keeps it: in lower case, without spaces. Digits, punctuation and every
// other character stay.
std::u16string NormaliseKey(std::u16string_view key);

}  // namespace schnackomat::rules
