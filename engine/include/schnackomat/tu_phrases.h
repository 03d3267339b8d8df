// Verb periphrasis: "ich mache das." becomes "ich tu das machen oder so.".
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace schnackomat {

// One pass of the periphrasis: the word after `Subject`, when it ends in `Ending`, is replaced by
// `Auxiliary` and carried to the next sentence end as the pending verb.
struct TuPhrasePass {
    std::u16string_view Subject;
    std::u16string_view Ending;
    std::size_t VerbCut;               // units cut from the end of the word ...
    std::u16string_view VerbAppendix;  // ... before this is appended to form the verb
    std::u16string_view Auxiliary;
};

inline constexpr std::array<TuPhrasePass, 3> TuPhrasePasses{{
    {u"ich", u"e", 0, u"n", u"tu"},
    {u"du", u"st", 2, u"en", u"tust"},
    {u"wir", u"en", 0, u"", u"tuen"},
}};

// The marks that end a sentence for the periphrasis (the comma is not one of them).
inline constexpr std::u16string_view SentenceEndMarks = u".;:?!";

// Runs the three passes in order. The pending verb is shared between the passes; one still
// pending after the last pass is dropped.
std::u16string ApplyTuPhrases(std::u16string_view text);

}  // namespace schnackomat
