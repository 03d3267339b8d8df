// The stages as the pipelines run them: each rewrites one working text in place and may use
// `scratch` as its second buffer, so that a whole conversion gets by with two strings.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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
void ApplyTuPhrases(std::u16string& text, std::u16string& scratch);
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
void RestoreSlangWords(std::u16string_view from, std::u16string& text, std::u16string& scratch);

}  // namespace schnackomat::detail
