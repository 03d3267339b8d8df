// The periphrasis with "tu", checked against its plain form in tests/reference/tu_phrases.cpp.
#include "schnackomat/tu_phrases.h"

#include <utility>

#include "fast_text.h"
#include "schnackomat/text.h"
#include "stages.h"

namespace schnackomat {
namespace {

using detail::npos;

// The end of the word that starts at `start`: the next space, or the end of the text.
std::size_t WordEnd(std::u16string_view text, std::size_t start) {
    const std::size_t space = detail::Find(text, u" ", start);
    return space == npos ? text.size() : space;
}

// The next subject word at or after `from` that is followed by a word ending in the pass's
// ending; returns the subject's start, or npos.
std::size_t FindSubject(std::u16string_view text, const TuPhrasePass& pass, std::size_t from,
                        std::size_t& verbStart, std::size_t& verbEnd) {
    const std::size_t length = pass.Subject.size();
    for (std::size_t at = detail::Find(text, pass.Subject, from); at != npos;
         at = detail::Find(text, pass.Subject, at + 1)) {
        const bool wholeWord = (at == 0 || text[at - 1] == u' ') && at + length < text.size() &&
                               text[at + length] == u' ';
        if (!wholeWord) {
            continue;
        }
        verbStart = at + length + 1;
        verbEnd = WordEnd(text, verbStart);
        if (EndsWith(text.substr(verbStart, verbEnd - verbStart), pass.Ending)) {
            return at;
        }
    }
    return npos;
}

// The last unit of the first word at or after `from` that ends in a sentence-end mark, or npos.
std::size_t FindSentenceEnd(std::u16string_view text, std::size_t from) {
    for (std::size_t at = detail::FindAnyOf(text, SentenceEndMarks, from); at != npos;
         at = detail::FindAnyOf(text, SentenceEndMarks, at + 1)) {
        if (at + 1 == text.size() || text[at + 1] == u' ') {
            return at;
        }
    }
    return npos;
}

// One pass over the words: a subject followed by a fitting verb, while no verb is pending, gets
// the auxiliary as its next word and makes the verb pending; the next word that ends a sentence
// takes the pending verb before its mark. Returns whether the text changed.
bool RunPass(std::u16string_view text, const TuPhrasePass& pass, std::u16string& pendingVerb,
             std::u16string& out) {
    out.clear();
    detail::Rewrite rewrite(text, out, text.size() + text.size() / 8 + 64);
    std::size_t position = 0;  // where the search goes on: a word start or the space before one
    for (;;) {
        if (pendingVerb.empty()) {
            std::size_t verbStart = 0;
            std::size_t verbEnd = 0;
            if (FindSubject(text, pass, position, verbStart, verbEnd) == npos) {
                break;
            }
            const std::u16string_view verb = text.substr(verbStart, verbEnd - verbStart);
            pendingVerb.assign(verb.substr(0, verb.size() - pass.VerbCut));
            pendingVerb += pass.VerbAppendix;
            rewrite.Replace(verbStart, verbEnd, pass.Auxiliary);
            position = verbEnd;
        } else {
            const std::size_t mark = FindSentenceEnd(text, position);
            if (mark == npos) {
                break;
            }
            rewrite.Replace(mark, mark + 1, u' ', std::u16string_view(pendingVerb), u" oder so",
                            text[mark]);
            pendingVerb.clear();
            position = mark + 1;
        }
    }
    return rewrite.Finish();
}

}  // namespace

namespace detail {

std::size_t SentenceEndAfter(std::u16string_view text, std::size_t from) {
    return FindSentenceEnd(text, from);
}

void ApplyTuPhrases(std::u16string& text, std::u16string& scratch, VerbHandOff* takeFrom,
                    VerbHandOff* giveTo) {
    std::u16string pendingVerb;
    for (std::size_t k = 0; k < TuPhrasePasses.size(); ++k) {
        if (takeFrom != nullptr && k > 0) {
            // The text ends with a sentence end, so it leaves no verb pending itself.
            pendingVerb = takeFrom->Take(k - 1);
        }
        if (RunPass(text, TuPhrasePasses[k], pendingVerb, scratch)) {
            text.swap(scratch);
        }
        if (giveTo != nullptr && k + 1 < TuPhrasePasses.size()) {
            giveTo->Give(k, std::move(pendingVerb));
            pendingVerb.clear();
        }
    }
}

}  // namespace detail

std::u16string ApplyTuPhrases(std::u16string_view text) {
    std::u16string result(text);
    std::u16string scratch;
    detail::ApplyTuPhrases(result, scratch);
    return result;
}

}  // namespace schnackomat
