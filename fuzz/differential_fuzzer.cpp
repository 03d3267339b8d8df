// Feeds arbitrary UTF-16 text to the engine and to the reference pipeline and stops at the first
// difference. The first byte chooses the option boxes and the key, the second seeds the random
// letters; the rest is the text, two bytes per unit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "schnackomat/conversion.h"
#include "schnackomat/interjections.h"
#include "schnackomat/leet.h"
#include "schnackomat/matrix.h"
#include "schnackomat/reference/reference.h"
#include "schnackomat/reverse.h"
#include "schnackomat/slang_words.h"
#include "schnackomat/text.h"
#include "schnackomat/tu_phrases.h"
#include "text_generator.h"

namespace {

using namespace schnackomat;
namespace ref = schnackomat::reference;

void Check(bool same) {
    if (!same) {
        std::abort();
    }
}

std::u16string_view Key(unsigned choice, std::u16string_view text) {
    switch (choice) {
        case 0:
            return DefaultMatrixKey;
        case 1:
            return u"";
        case 2:
            return MasterCode;
        default:  // the start of the text itself
            return text.substr(0, choice);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const unsigned choice = data[0];
    const std::uint32_t seed = data[1];
    std::u16string text((size - 2) / 2, u'\0');
    std::memcpy(text.data(), data + 2, text.size() * sizeof(char16_t));

    ConversionOptions options;
    options.SlangStyle = (choice & 1) != 0;
    options.LeetCharacters = (choice & 2) != 0;
    options.LeetWords = (choice & 4) != 0;
    options.MatrixStyle = (choice & 8) != 0;
    options.MatrixKey = std::u16string(Key(choice >> 4 & 7, text));

    differential::SequenceRandomSource engineRandom(seed);
    differential::SequenceRandomSource referenceRandom(seed);
    const ForwardResult fast = ConvertForward(text, options, engineRandom);
    const ForwardResult slow = ref::ConvertForward(text, options, referenceRandom);
    Check(fast.Text == slow.Text && fast.Censored == slow.Censored &&
          engineRandom.Draws() == referenceRandom.Draws());
    Check(ConvertBack(text, options) == ref::ConvertBack(text, options));
    Check(ConvertBack(slow.Text, options) == ref::ConvertBack(slow.Text, options));
    Check(MatrixDecode(text, options.MatrixKey) == ref::MatrixDecode(text, options.MatrixKey));

    // Every stage on its own, also on text that the pipeline would have lower-cased first.
    const bool slang = options.SlangStyle;
    Check(ApplySlangWords(text) == ref::ApplySlangWords(text));
    Check(ApplyCensor(text).Text == ref::ApplyCensor(text).Text);
    Check(ApplyInterjections(text) == ref::ApplyInterjections(text));
    Check(SwapLetters(text) == ref::SwapLetters(text));
    Check(ApplyTuPhrases(text) == ref::ApplyTuPhrases(text));
    Check(ApplyLeetCharacters(text, slang) == ref::ApplyLeetCharacters(text, slang));
    Check(ApplyLeetWords(text) == ref::ApplyLeetWords(text));
    Check(RestoreLeetCharacters(text, slang) == ref::RestoreLeetCharacters(text, slang));
    Check(RestoreLeetWords(text) == ref::RestoreLeetWords(text));
    Check(RestoreSlangWords(text) == ref::RestoreSlangWords(text));
    return 0;
}
