#include "schnackomat/tu_phrases.h"

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
    std::size_t copied = 0;
    std::size_t position = 0;  // where the search goes on: a word start or the space before one
    bool changed = false;
    auto startWriting = [&] {
        if (!changed) {
            out.reserve(text.size() + text.size() / 8 + 64);
            changed = true;
        }
    };
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
            startWriting();
            out.append(text.data() + copied, verbStart - copied);
            out += pass.Auxiliary;
            copied = verbEnd;
            position = verbEnd;
        } else {
            const std::size_t mark = FindSentenceEnd(text, position);
            if (mark == npos) {
                break;
            }
            startWriting();
            out.append(text.data() + copied, mark - copied);
            out += u' ';
            out += pendingVerb;
            out += u" oder so";
            out += text[mark];
            pendingVerb.clear();
            copied = mark + 1;
            position = mark + 1;
        }
    }
    if (changed) {
        out.append(text.data() + copied, text.size() - copied);
    }
    return changed;
}

}  // namespace

namespace detail {

void ApplyTuPhrases(std::u16string& text, std::u16string& scratch) {
    std::u16string pendingVerb;
    for (const TuPhrasePass& pass : TuPhrasePasses) {
        if (RunPass(text, pass, pendingVerb, scratch)) {
            text.swap(scratch);
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
