#include "parts.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <exception>
#include <span>
#if SCHNACKOMAT_ENGINE_THREADS
#include <future>
#include <thread>

#include "placement.h"
#endif

#include "scan.h"
#include "schnackomat/tu_phrases.h"

namespace schnackomat::detail {
namespace {

std::atomic<bool> twoParts{SCHNACKOMAT_ENGINE_THREADS != 0};

#if SCHNACKOMAT_ENGINE_THREADS
// The cuts a stage allows.
enum Cut : unsigned { AtLineBreak = 1, AtSentenceEnd = 2 };

unsigned AllowedCuts(CutNeed need) {
    switch (need) {
        case CutNeed::OneLine:
        case CutNeed::FullStopParity:
            return AtLineBreak;
        case CutNeed::OneWord:
        case CutNeed::WordBefore:
            return AtLineBreak | AtSentenceEnd;
        case CutNeed::VerbToSentenceEnd:
            return AtSentenceEnd;
    }
    return 0;
}

// Just after the first line break past the middle (or the last one before it); 0 when the text
// has none, or only one at its end.
std::size_t LineBreakCut(std::u16string_view text) {
    std::size_t at = Find(text, u"\n", text.size() / 2);
    if (at == npos) {
        at = text.rfind(u'\n', text.size() / 2);
    }
    return at == npos || at + 1 >= text.size() ? 0 : at + 1;
}

// Just after the space behind the first sentence end past the middle; 0 when there is none.
std::size_t SentenceCut(std::u16string_view text) {
    const std::size_t mark = SentenceEndAfter(text, text.size() / 2);
    return mark == npos || mark + 2 >= text.size() ? 0 : mark + 2;
}

// The verbs the part after a cut leaves pending at the end of each pass but the last, for the
// part before it, which waits for them.
class PendingVerbs final : public VerbHandOff {
  public:
    PendingVerbs() {
        for (std::size_t pass = 0; pass < Handed; ++pass) {
            taken_[pass] = verbs_[pass].get_future();
        }
    }
    std::u16string Take(std::size_t pass) override { return taken_[pass].get(); }
    void Give(std::size_t pass, std::u16string verb) override {
        verbs_[pass].set_value(std::move(verb));
        given_ = pass + 1;
    }
    // The part after the cut failed: Take throws.
    void Fail(std::exception_ptr failure) {
        for (; given_ < Handed; ++given_) {
            verbs_[given_].set_exception(failure);
        }
    }

  private:
    static constexpr std::size_t Handed = TuPhrasePasses.size() - 1;
    std::array<std::promise<std::u16string>, Handed> verbs_;
    std::array<std::future<std::u16string>, Handed> taken_;
    std::size_t given_ = 0;
};

// Runs `stages` on the two parts of `source` either side of `cut` at once, and leaves the result
// in `text`.
void RunInTwoParts(std::u16string_view source, std::u16string& text, std::u16string& scratch,
                   std::span<const Stage> stages, std::size_t cut) {
    const auto needs = [&](CutNeed need) {
        return std::ranges::any_of(stages,
                                   [need](const Stage& s) { return s.On && s.Need == need; });
    };
    bool evenFullStops = true;
    if (needs(CutNeed::FullStopParity)) {
        ForEachOccurrence(source.substr(0, cut), u".",
                          [&](std::size_t) { evenFullStops = !evenFullStops; });
    }
    const std::size_t kept = std::min(cut, WordBeforeUnits);
    const std::u16string wordBefore(source.substr(cut - kept, kept));
    PendingVerbs verbs;
    const bool handsVerbs = needs(CutNeed::VerbToSentenceEnd);

    const bool inPlace = source.data() == text.data();
    std::u16string_view tailSource = source.substr(cut);
    // The second part's buffers come from this thread, with room for the slang stages' growth:
    // memory the helper thread allocated itself would go back to the system when it ends.
    const std::size_t room = tailSource.size() + tailSource.size() / 2 + 64;
    std::u16string tail;
    std::u16string tailScratch;
    tail.reserve(room);
    tailScratch.reserve(room);
    if (inPlace) {  // the first part's stages may give its buffer up: the tail moves out first
        tail.assign(tailSource);
        tailSource = tail;
        text.resize(cut);
    }
    std::exception_ptr failure;
    {
        std::jthread helper([&] {
            Part second{tailSource, tail,    tailScratch,
                        1,          true,    evenFullStops,
                        wordBefore, nullptr, handsVerbs ? &verbs : nullptr};
            try {
                RunEach(second, stages);
            } catch (...) {
                failure = std::current_exception();
                verbs.Fail(failure);
            }
        });
        const OffStartersProcessor elsewhere(helper);  // until this thread's part is done
        Part first{inPlace ? std::u16string_view(text) : source.substr(0, cut),
                   text,
                   scratch,
                   0,
                   false,
                   true,
                   {},
                   handsVerbs ? &verbs : nullptr,
                   nullptr};
        RunEach(first, stages);
    }  // joins the helper
    if (failure) {
        std::rethrow_exception(failure);
    }
    text += tail;
}

// Runs `stages` on `source` and leaves the result in `text`, in two parts at once when the text
// is long and has a cut that every stage allows.
void RunStretch(std::u16string_view source, std::u16string& text, std::u16string& scratch,
                std::span<const Stage> stages, unsigned cuts) {
    if (source.size() >= TwoThreadMinimum) {
        const std::size_t cut =
            (cuts & AtLineBreak) != 0 ? LineBreakCut(source) : SentenceCut(source);
        if (cut != 0) {
            RunInTwoParts(source, text, scratch, stages, cut);
            return;
        }
    }
    Part whole{source, text, scratch, 0, true, true, {}, nullptr, nullptr};
    RunEach(whole, stages);
}

// Runs the stages that are on in stretches, each of the stages that one kind of cut suits, as
// many as there are in a row; a stage that is off belongs to no stretch.
void RunInStretches(std::u16string_view input, std::u16string& text, std::u16string& scratch,
                    std::span<const Stage> stages) {
    std::u16string_view from = input;
    std::size_t begin = 0;
    while (begin < stages.size() && !stages[begin].On) {
        ++begin;
    }
    if (begin == stages.size()) {  // none is on: the text stays as it is
        Part whole{input, text, scratch, 0, true, true, {}, nullptr, nullptr};
        whole.Working();
        return;
    }
    while (begin < stages.size()) {
        unsigned cuts = AtLineBreak | AtSentenceEnd;
        std::size_t end = begin;
        for (; end < stages.size(); ++end) {
            const unsigned allowed = stages[end].On ? AllowedCuts(stages[end].Need) : cuts;
            if ((cuts & allowed) == 0) {
                break;
            }
            cuts &= allowed;
        }
        RunStretch(from, text, scratch, stages.subspan(begin, end - begin), cuts);
        from = text;
        begin = end;
    }
}
#endif

}  // namespace

#if SCHNACKOMAT_ENGINE_THREADS
bool RunInParts(std::u16string_view input, std::u16string& text, std::u16string& scratch,
                std::initializer_list<Stage> stages) {
    if (!twoParts.load(std::memory_order_relaxed) || input.size() < TwoThreadMinimum) {
        return false;
    }
    RunInStretches(input, text, scratch, std::span(stages.begin(), stages.size()));
    return true;
}
#endif

void UseTwoParts(bool on) {
    twoParts.store(on, std::memory_order_relaxed);
}

}  // namespace schnackomat::detail
