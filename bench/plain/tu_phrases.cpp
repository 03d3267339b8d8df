// The verb periphrasis in its plain form, splitting and joining the text for each pass, for
// measuring what going only to the words that matter buys.
#include "schnackomat/tu_phrases.h"
#include "schnackomat/reference/reference.h"

namespace schnackomat {

std::u16string ApplyTuPhrases(std::u16string_view text) {
    return reference::ApplyTuPhrases(text);
}

}  // namespace schnackomat
