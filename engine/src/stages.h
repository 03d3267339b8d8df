// The engine's stages as the pipelines run them: each rewrites one working text in place and
// may use `scratch` as its second buffer, so that a whole conversion gets by with two strings.
//
// Words used throughout the engine:
//   unit     one 16-bit code unit of a text (a char16_t); texts are counted in units.
//   row      one find string and its replacement in a table; a table's rows run in order.
//   run      the units between two barriers, units that no find string of a table holds; a
//            table rewrites each run on its own (CompiledTable).
//   block    the eight or sixteen units a scan compares at once (scan.h).
//   part     one of the two pieces a long text is worked on in at once (parts.h).
//   cut      where a long text is split into parts: just after a line break, or just after the
//            space behind a sentence end.
//   stretch  stages in a row that one cut suits; each stretch cuts the text anew.
//   seam     the place of a cut as the stages see it: what must cross it (the parity of the full
//            stops before it, the units of the word before it, a pending verb) is handed on.
//   stem     a word without one trailing mark; the leet endings go at the end of a stem.
//   pending verb  the verb the periphrasis carries from a subject to the next sentence end.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "schnackomat/text.h"

namespace schnackomat::detail {

void ApplySlangWords(std::u16string& text, std::u16string& scratch);
bool ApplyCensor(std::u16string& text, std::u16string& scratch);  // true when it fired
// `interjectFirst`: whether the first full stop gets the sentence interjection; every other one
// does, starting with the first of the whole text, and the stages before leave the full stops
// where they are.
void ApplyInterjections(std::u16string& text, std::u16string& scratch, bool interjectFirst = true);
void SwapLetters(std::u16string& text, std::u16string& scratch);

// The periphrasis carries a verb from a subject to the next sentence end, and no further. A text
// worked on in pieces cut just after a sentence end hands on the verb left pending at the end of
// a pass of the later piece: the earlier piece starts its next pass with it.
class VerbHandOff {
  public:
    virtual std::u16string Take(std::size_t pass) = 0;  // the verb pending after `pass`
    virtual void Give(std::size_t pass, std::u16string verb) = 0;

  protected:
    ~VerbHandOff() = default;
};

// The last unit of the first sentence end (a mark ending a word) at or after `from`, or npos.
std::size_t SentenceEndAfter(std::u16string_view text, std::size_t from);

// `takeFrom`: where the text gets the verbs pending at the start of its later passes (it then
// ends with a sentence end); `giveTo`: where it leaves the verbs pending at the end of its passes.
void ApplyTuPhrases(std::u16string& text, std::u16string& scratch, VerbHandOff* takeFrom = nullptr,
                    VerbHandOff* giveTo = nullptr);
// The stages that may come first take their input as `from`, which may be `text` itself, and
// leave their result in `text`: the first stage then writes the working text in one pass.
void ApplyLeetCharacters(std::u16string_view from, std::u16string& text, bool slangStyle,
                         std::u16string& scratch);
// `before`: the units just before `text` when it is the later part of a longer text, for the
// length of its first word.
void ApplyLeetWords(std::u16string& text, std::u16string& scratch, std::u16string_view before = {});

// Where the word ends whose stem (the word without one trailing mark) ends in the `length` units
// at `at`; npos when those units are not the end of a stem.
std::size_t StemEndingWordEnd(std::u16string_view text, std::size_t at, std::size_t length);

void RestoreLeetCharacters(std::u16string_view from, std::u16string& text, bool slangStyle);
void RestoreLeetWords(std::u16string_view from, std::u16string& text);
// The two stages above, one after the other, in one pass.
void RestoreLeetCharactersAndWords(std::u16string_view from, std::u16string& text, bool slangStyle);
void RestoreSlangWords(std::u16string_view from, std::u16string& text, std::u16string& scratch);

}  // namespace schnackomat::detail

// The stages on a whole text, one at a time, as the tests call them. The pipelines run the
// in-place forms above.
namespace schnackomat {

// Applies every row of SlangWordTable in order.
std::u16string ApplySlangWords(std::u16string_view text);

struct CensorResult {
    std::u16string Text;
    bool Fired = false;  // the forbidden word occurred; the caller tells the user once
};

// Masks every occurrence of the forbidden word.
CensorResult ApplyCensor(std::u16string_view text);

// Normalises the spacing after marks, turns every mark into its interjection and puts
// " wuuuh" after the 1st, 3rd, 5th, ... full stop.
std::u16string ApplyInterjections(std::u16string_view text);

// Applies LetterSwapTable in order.
std::u16string SwapLetters(std::u16string_view text);

// Runs the three passes in order. The pending verb is shared between passes; one still pending
// after the last pass is dropped.
std::u16string ApplyTuPhrases(std::u16string_view text);

// Applies LeetCharacterTable, then the name fix-ups without the slang style or the "i" row
// with it.
std::u16string ApplyLeetCharacters(std::u16string_view text, bool slangStyle);

// Gives words of at least five units ending in "3n" the ending "0rn" and those ending in "57"
// the ending "0rst" (looking past one trailing mark), then applies LeetWordFixupTable.
std::u16string ApplyLeetWords(std::u16string_view text);

// Digits back to letters, and "!" to "i" with the slang style.
std::u16string RestoreLeetCharacters(std::u16string_view text, bool slangStyle);

// Words ending in "orn", looking past one trailing mark, end in "en" again.
std::u16string RestoreLeetWords(std::u16string_view text);

// Lower-cases the text, then applies ReverseSlangTable.
std::u16string RestoreSlangWords(std::u16string_view text);

// The fast replacement of one find string, and of a table's rows in order, on a whole text.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view find,
                          std::u16string_view replacement);
std::u16string ApplyTable(std::u16string_view text, std::span<const ReplaceRow> table);

}  // namespace schnackomat
