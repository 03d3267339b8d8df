// Feeds arbitrary UTF-16 text to the engine's table applier and Matrix code and to their plain
// forms, and stops at the first difference. The first byte chooses the key, the second seeds the
// random letters; the rest is the text, two bytes per unit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "schnackomat/interjections.h"
#include "schnackomat/leet.h"
#include "schnackomat/matrix.h"
#include "schnackomat/reference/reference.h"
#include "schnackomat/reverse.h"
#include "schnackomat/slang_words.h"
#include "schnackomat/text.h"
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

    // Every table, also on the text as the slang stages would see it.
    const std::u16string lower = ToLower(text);
    for (std::span<const ReplaceRow> table : differential::EveryReplaceTable) {
        Check(ApplyTable(text, table) == ref::ApplyTable(text, table));
        Check(ApplyTable(lower, table) == ref::ApplyTable(lower, table));
    }

    // The Matrix code, coding from the same random letters and reading back the coded text and
    // the text itself.
    const std::u16string_view key = Key(choice & 7, text);
    differential::SequenceRandomSource engineRandom(seed);
    differential::SequenceRandomSource referenceRandom(seed);
    const std::u16string coded = MatrixEncode(text, key, engineRandom);
    Check(coded == ref::MatrixEncode(text, key, referenceRandom) &&
          engineRandom.Draws() == referenceRandom.Draws());
    for (std::u16string_view readKey : {key, std::u16string_view(MasterCode)}) {
        Check(MatrixDecode(coded, readKey) == ref::MatrixDecode(coded, readKey));
        Check(MatrixDecode(text, readKey) == ref::MatrixDecode(text, readKey));
    }
    return 0;
}
