#include "schnackomat/reference/reference.h"

#include "schnackomat/tu_phrases.h"

#include <vector>

#include "schnackomat/text.h"

namespace schnackomat::reference {
namespace {

bool EndsSentence(std::u16string_view word) {
    return !word.empty() && SentenceEndMarks.find(word.back()) != std::u16string_view::npos;
}

}  // namespace

std::u16string ApplyTuPhrases(std::u16string_view text) {
    std::u16string current(text);
    std::u16string pendingVerb;
    for (const TuPhrasePass& pass : TuPhrasePasses) {
        const std::vector<std::u16string_view> split = SplitPieces(current, u' ');
        std::vector<std::u16string> words(split.begin(), split.end());
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (words[i] == pass.Subject && i + 1 < words.size() && pendingVerb.empty() &&
                EndsWith(words[i + 1], pass.Ending)) {
                std::u16string& verb = words[i + 1];
                pendingVerb = verb.substr(0, verb.size() - pass.VerbCut);
                pendingVerb += pass.VerbAppendix;
                verb = pass.Auxiliary;
            }
            if (EndsSentence(words[i]) && !pendingVerb.empty()) {
                std::u16string& word = words[i];
                const char16_t mark = word.back();
                word.pop_back();
                word += u' ';
                word += pendingVerb;
                word += u" oder so";
                word += mark;
                pendingVerb.clear();
            }
        }
        current = JoinPieces(words, u' ');
    }
    return current;
}

}  // namespace schnackomat::reference
