#include "schnackomat/rules/key_box.h"

#include <algorithm>

#include "schnackomat/text.h"

namespace schnackomat::rules {

std::u16string NormaliseKey(std::u16string_view key) {
    std::u16string normal = ToLower(key);
    std::erase(normal, u' ');
    return normal;
}

}  // namespace schnackomat::rules
