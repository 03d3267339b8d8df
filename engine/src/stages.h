// The stages as the pipelines run them: each rewrites one working text in place and may use
// `scratch` as its second buffer, so that a whole conversion gets by with two strings.
#pragma once

#include <array>
#include <cstddef>
#include <exception>
#include <future>
#include <string>
#include <string_view>

#include "schnackomat/tu_phrases.h"

namespace schnackomat::detail {

void ApplySlangWords(std::u16string& text, std::u16string& scratch);
bool ApplyCensor(std::u16string& text, std::u16string& scratch);  // true when it fired
// `interjectFirst`: whether the first full stop gets the sentence interjection (it does in a
// whole text; in the second part of a text, when the first part has an even number of them).
void ApplyInterjections(std::u16string& text, std::u16string& scratch, bool interjectFirst = true);
// Whether the first full stop after `text` gets the sentence interjection, as the stages before
// the interjections leave the full stops where they are.
bool InterjectsAfter(std::u16string_view text);
void SwapLetters(std::u16string& text, std::u16string& scratch);

// The periphrasis may work on a text in two parts cut just after a sentence end: no verb stays
// pending past one, so the second part starts every pass with none, and the verb it leaves
// pending at the end of a pass is the one the whole text, and so the first part, starts the next
// pass with. The second part hands those verbs over as it goes; the first waits for them.
class PendingVerbs {
  public:
    PendingVerbs();
    void Give(std::size_t pass, std::u16string verb);  // by the second part
    std::u16string Take(std::size_t pass);             // by the first part: waits for Give
    void Fail(std::exception_ptr failure);             // the second part failed: Take throws
  private:
    static constexpr std::size_t Handed = TuPhrasePasses.size() - 1;  // after all but the last
    std::array<std::promise<std::u16string>, Handed> verbs_;
    std::array<std::future<std::u16string>, Handed> taken_;
    std::size_t given_ = 0;
};

// Where to cut `text` for the periphrasis: just after the space behind the first sentence end
// past the middle; 0 when there is none or the text is too short to be worth it.
std::size_t SentenceCut(std::u16string_view text);

enum class TextPart { Whole, First, Second };
void ApplyTuPhrases(std::u16string& text, std::u16string& scratch, TextPart part = TextPart::Whole,
                    PendingVerbs* verbs = nullptr);
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
