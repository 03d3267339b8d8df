// The stages as the pipelines run them: each rewrites one working text in place and may use
// `scratch` as its second buffer, so that a whole conversion gets by with two strings.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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
