#include "schnackomat/conversion.h"

#include <algorithm>

#include "fast_text.h"
#include "schnackomat/leet.h"
#include "schnackomat/matrix.h"
#include "stages.h"

namespace schnackomat {

// Both pipelines rewrite one working string in place, with one scratch buffer shared by all
// stages, so that a run allocates a few buffers of the text's size whatever it does.
ForwardResult ConvertForward(std::u16string_view text, const ConversionOptions& options,
                             RandomSource& random) {
    ForwardResult result{std::u16string(), false};
    std::u16string& working = result.Text;
    std::u16string scratch;
    // The slang stages make a text about a third longer; room for that from the start saves the
    // stages from growing their buffers.
    const std::size_t room = options.SlangStyle ? text.size() + text.size() / 2 + 64
                                                : text.size() + text.size() / 8 + 64;
    const bool rewritten = options.SlangStyle || options.LeetCharacters || options.LeetWords;
    if (rewritten) {
        working.reserve(room);
        scratch.reserve(room);
    }
    if (options.SlangStyle) {
        // The stages up to the letter swaps look at no more than one line at a time (the
        // interjections but for which full stop is the next to get one): a long text is worked on
        // in two parts at once.
        const std::size_t cut = detail::LineBreakCut(text);
        const bool interjectInTail = cut == 0 || detail::InterjectsAfter(text.substr(0, cut));
        bool censored[2] = {false, false};
        detail::InTwoParts(text, working, cut, scratch,
                           [&](std::u16string_view from, std::u16string& part,
                               std::u16string& partScratch, bool tail) {
                               detail::ToLowerInto(from, part);
                               detail::ApplySlangWords(part, partScratch);
                               censored[tail] = detail::ApplyCensor(part, partScratch);
                               detail::ApplyInterjections(part, partScratch,
                                                          !tail || interjectInTail);
                               detail::SwapLetters(part, partScratch);
                           });
        result.Censored = censored[0] || censored[1];
        // The periphrasis carries a verb no further than the next sentence end, and the leet
        // stages look back no further than the last space: the rest of the text from a sentence
        // end on is worked on apart, but for the verbs left pending at its end, which go to the
        // first part's next pass.
        const std::size_t sentenceCut = detail::SentenceCut(working);
        detail::PendingVerbs pendingVerbs;
        detail::InTwoParts(working, working, sentenceCut, scratch,
                           [&](std::u16string_view from, std::u16string& part,
                               std::u16string& partScratch, bool tail) {
                               detail::Take(from, part);
                               const detail::TextPart which = sentenceCut == 0
                                                                  ? detail::TextPart::Whole
                                                              : tail ? detail::TextPart::Second
                                                                     : detail::TextPart::First;
                               detail::ApplyTuPhrases(part, partScratch, which, &pendingVerbs);
                               if (which != detail::TextPart::First) {
                                   part += u" whatever";
                               }
                               // The second part starts after a space: its first word starts with
                               // it.
                               if (options.LeetCharacters) {
                                   detail::ApplyLeetCharacters(part, part, true, partScratch);
                               }
                               if (options.LeetWords) {
                                   detail::ApplyLeetWords(part, partScratch);
                               }
                           });
    } else if (options.LeetCharacters || options.LeetWords) {
        // The leet stages look at no more than one line at a time, but for the length of the
        // second part's first word: the units before it go along.
        const std::size_t cut = detail::LineBreakCut(text);
        const std::size_t kept = std::min<std::size_t>(cut, LeetWordMinimumLength);
        const std::u16string before(text.substr(cut - kept, kept));
        detail::InTwoParts(text, working, cut, scratch,
                           [&](std::u16string_view from, std::u16string& part,
                               std::u16string& partScratch, bool tail) {
                               if (options.LeetCharacters) {
                                   detail::ApplyLeetCharacters(from, part, false, partScratch);
                               } else {
                                   detail::Take(from, part);
                               }
                               if (options.LeetWords) {
                                   detail::ApplyLeetWords(
                                       part, partScratch,
                                       tail ? std::u16string_view(before) : std::u16string_view());
                               }
                           });
    }
    if (options.MatrixStyle) {
        std::u16string().swap(scratch);  // the coded text is six times as long: make room
        working = MatrixEncode(rewritten ? std::u16string_view(working) : text, options.MatrixKey,
                               random);
    } else if (!rewritten) {
        working.assign(text);
    }
    return result;
}

ForwardResult ConvertForward(std::u16string_view text, const ConversionOptions& options) {
    return ConvertForward(text, options, DefaultRandomSource());
}

BackResult ConvertBack(std::u16string_view text, const ConversionOptions& options) {
    std::u16string working;
    std::u16string_view source = text;  // the text the reverse stages start from
    if (options.MatrixStyle) {
        BackResult decoded = MatrixDecode(text, options.MatrixKey);
        if (std::holds_alternative<KeyRejected>(decoded)) {
            return decoded;
        }
        working = std::get<std::u16string>(std::move(decoded));
        source = working;
    }
    // Every reverse stage looks at no more than one line at a time: a long text is worked on in
    // two parts at once. Each stage reads what the one before left (the first one the input) and
    // leaves its result in the part.
    std::u16string scratch;
    const std::size_t cut = detail::LineBreakCut(source);
    if (!options.MatrixStyle) {
        // Room for the whole result from the start lets the second part join the first without
        // moving the first. Only the slang table ever makes a text longer ("0" becomes "elwind").
        working.reserve(source.size() + (options.SlangStyle ? source.size() / 8 : 0) + 64);
    }
    detail::InTwoParts(source, working, cut, scratch,
                       [&options](std::u16string_view from, std::u16string& part,
                                  std::u16string& partScratch, bool) {
                           if (options.LeetCharacters && options.LeetWords) {
                               detail::RestoreLeetCharactersAndWords(from, part,
                                                                     options.SlangStyle);
                               from = part;
                           } else if (options.LeetCharacters) {
                               detail::RestoreLeetCharacters(from, part, options.SlangStyle);
                               from = part;
                           } else if (options.LeetWords) {
                               detail::RestoreLeetWords(from, part);
                               from = part;
                           }
                           if (options.SlangStyle) {
                               detail::RestoreSlangWords(from, part, partScratch);
                               from = part;
                           }
                           detail::Take(from, part);
                       });
    return working;
}

}  // namespace schnackomat
