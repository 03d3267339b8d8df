// The two pipelines, stage by stage in order, each with the options that switch it on and what a
// cut of a long text must be for it (see parts.h). They are checked against the plain pipelines
// in tests/reference/conversion.cpp.
#include "schnackomat/conversion.h"

#include "fast_text.h"
#include "parts.h"
#include "schnackomat/leet.h"
#include "schnackomat/matrix.h"
#include "stages.h"

namespace schnackomat {

using detail::CutNeed;
using detail::Part;

// A part gets enough units of the word before it to tell whether that word is long enough.
static_assert(LeetWordMinimumLength <= detail::WordBeforeUnits);

ForwardResult ConvertForward(std::u16string_view text, const ConversionOptions& options,
                             RandomSource& random) {
    const bool slang = options.SlangStyle;
    const bool leetCharacters = options.LeetCharacters;
    const bool leetWords = options.LeetWords;
    const bool rewritten = slang || leetCharacters || leetWords;
    ForwardResult result{std::u16string(), false};
    std::u16string scratch;
    bool censored[2] = {false, false};  // per part
    if (rewritten) {
        // The slang stages make a text about a third longer; room for that from the start saves
        // the stages from growing their buffers.
        const std::size_t room = text.size() + text.size() / (slang ? 2 : 8) + 64;
        result.Text.reserve(room);
        scratch.reserve(room);
        // clang-format off
        detail::RunStages(text, result.Text, scratch, {
            {slang, CutNeed::OneLine, [](Part& p) { detail::ToLowerInto(p.From, p.Text); }},
            {slang, CutNeed::OneLine, [](Part& p) { detail::ApplySlangWords(p.Working(), p.Scratch); }},
            {slang, CutNeed::OneLine, [&](Part& p) { censored[p.Index] = detail::ApplyCensor(p.Working(), p.Scratch); }},
            {slang, CutNeed::FullStopParity, [](Part& p) { detail::ApplyInterjections(p.Working(), p.Scratch, p.FullStopsBeforeEven); }},
            {slang, CutNeed::OneLine, [](Part& p) { detail::SwapLetters(p.Working(), p.Scratch); }},
            {slang, CutNeed::VerbToSentenceEnd, [](Part& p) { detail::ApplyTuPhrases(p.Working(), p.Scratch, p.TakeVerbsFrom, p.GiveVerbsTo); }},
            {slang, CutNeed::OneWord, [](Part& p) { if (p.EndsText) { p.Working() += u" whatever"; } }},
            {leetCharacters, CutNeed::OneWord, [slang](Part& p) { detail::ApplyLeetCharacters(p.From, p.Text, slang, p.Scratch); }},
            {leetWords, CutNeed::WordBefore, [](Part& p) { detail::ApplyLeetWords(p.Working(), p.Scratch, p.WordBefore); }},
        });
        // clang-format on
    }
    result.Censored = censored[0] || censored[1];
    if (options.MatrixStyle) {
        std::u16string().swap(scratch);  // the coded text is six times as long: make room
        result.Text = MatrixEncode(rewritten ? std::u16string_view(result.Text) : text,
                                   options.MatrixKey, random);
    } else if (!rewritten) {
        result.Text.assign(text);
    }
    return result;
}

ForwardResult ConvertForward(std::u16string_view text, const ConversionOptions& options) {
    return ConvertForward(text, options, DefaultRandomSource());
}

BackResult ConvertBack(std::u16string_view text, const ConversionOptions& options) {
    const bool slang = options.SlangStyle;
    const bool leetCharacters = options.LeetCharacters;
    const bool leetWords = options.LeetWords;
    std::u16string working;
    std::u16string_view source = text;  // the text the reverse stages start from
    if (options.MatrixStyle) {
        BackResult decoded = MatrixDecode(text, options.MatrixKey);
        if (std::holds_alternative<KeyRejected>(decoded)) {
            return decoded;
        }
        working = std::get<std::u16string>(std::move(decoded));
        source = working;
    } else {
        // Room for the whole result from the start lets a second part join the first without
        // moving it. Only the slang table ever makes a text longer ("0" becomes "elwind").
        working.reserve(source.size() + (slang ? source.size() / 8 : 0) + 64);
    }
    std::u16string scratch;
    // clang-format off
    detail::RunStages(source, working, scratch, {
        // Both leet stages at once, in one pass, when both are on.
        {leetCharacters && leetWords, CutNeed::OneLine, [slang](Part& p) { detail::RestoreLeetCharactersAndWords(p.From, p.Text, slang); }},
        {leetCharacters && !leetWords, CutNeed::OneLine, [slang](Part& p) { detail::RestoreLeetCharacters(p.From, p.Text, slang); }},
        {leetWords && !leetCharacters, CutNeed::OneLine, [](Part& p) { detail::RestoreLeetWords(p.From, p.Text); }},
        {slang, CutNeed::OneLine, [](Part& p) { detail::RestoreSlangWords(p.From, p.Text, p.Scratch); }},
    });
    // clang-format on
    return working;
}

}  // namespace schnackomat
