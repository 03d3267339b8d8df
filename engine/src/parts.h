// Working on a long text in two parts at once. A pipeline is a list of stages, each with what a
// cut of the text must be for the stage to give the same text on the two parts as on the whole;
// the runner groups the stages into stretches that one cut suits, chooses each stretch's cut and
// hands each part what crosses it. The stages themselves know nothing of parts or threads.
#pragma once

// Builds for a platform without threads (the browser) define SCHNACKOMAT_ENGINE_THREADS as 0:
// every text is then worked on whole.
#ifndef SCHNACKOMAT_ENGINE_THREADS
#define SCHNACKOMAT_ENGINE_THREADS 1
#endif

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "stages.h"

namespace schnackomat::detail {

// What a safe cut needs, for one stage.
enum class CutNeed {
    OneLine,            // looks at one line at a time: a cut just after a line break
    FullStopParity,     // as OneLine, and counts full stops from the start of the text
    OneWord,            // looks at one word at a time: a cut just after a line break or a space
    WordBefore,         // as OneWord, and needs the units of the word before the cut
    VerbToSentenceEnd,  // carries a verb to the next sentence end: a cut just after one
};

// The units before a cut that a part gets for the word before it.
inline constexpr std::size_t WordBeforeUnits = 16;

// Texts at least this long are worked on in two parts at once, on two threads; a shorter one is
// not worth starting a thread for. The second thread takes half the work off the calling one (its
// time at 1 MiB with the slang style is 2 to 2.7 times as long without).
inline constexpr std::size_t TwoThreadMinimum = 256 * 1024;

// A part of a text, as a stage sees it.
struct Part {
    std::u16string_view From;        // what the stage reads: the stretch's input, or Text
    std::u16string& Text;            // where it leaves its result
    std::u16string& Scratch;         // its second buffer
    std::size_t Index;               // 0 for the first part or the whole text, 1 for the second
    bool EndsText;                   // the last part (or the whole text)
    bool FullStopsBeforeEven;        // an even number of full stops before the part
    std::u16string_view WordBefore;  // up to WordBeforeUnits units just before the part
    VerbHandOff* TakeVerbsFrom;      // for the part before a cut at a sentence end
    VerbHandOff* GiveVerbsTo;        // for the part after it

    // The text, for a stage that rewrites it in place.
    std::u16string& Working() {
        if (From.data() != Text.data() || From.size() != Text.size()) {
            Text.assign(From);
        }
        From = Text;
        return Text;
    }
};

// What a stage does to a part: a reference to a callable that lives while the stages run, with
// none of the cost of copying it into a std::function on every call of a short text.
class StageWork {
  public:
    template <typename Work>
    StageWork(const Work& work)  // NOLINT(google-explicit-constructor): written as a lambda
        : work_(&work),
          call_([](const void* w, Part& part) { (*static_cast<const Work*>(w))(part); }) {}
    void operator()(Part& part) const { call_(work_, part); }

  private:
    const void* work_;
    void (*call_)(const void*, Part&);
};

struct Stage {
    bool On;
    CutNeed Need;
    StageWork Run;
};

// Runs the stages of `stages` that are on, in order, on `part`, each on what the one before it
// left, and leaves the result in part.Text.
inline void RunEach(Part& part, std::span<const Stage> stages) {
    for (const Stage& stage : stages) {
        if (stage.On) {
            stage.Run(part);
            part.From = part.Text;
        }
    }
    part.Working();
}

#if SCHNACKOMAT_ENGINE_THREADS
// Runs the stages that are on as RunStages does, in two parts at once where the text is long
// enough and has a cut the stages allow; false, having done nothing, for a text too short.
bool RunInParts(std::u16string_view input, std::u16string& text, std::u16string& scratch,
                std::initializer_list<Stage> stages);
#endif

// Runs the stages that are on, in order, on `input`, and leaves the result in `text` (which
// `input` may view); `scratch` is the second buffer. With no stage on, `text` gets `input`.
inline void RunStages(std::u16string_view input, std::u16string& text, std::u16string& scratch,
                      std::initializer_list<Stage> stages) {
#if SCHNACKOMAT_ENGINE_THREADS
    if (input.size() >= TwoThreadMinimum && RunInParts(input, text, scratch, stages)) {
        return;
    }
#endif
    // A short text, the common case of a key press, is worked on whole: no cut to choose, and
    // inline here the stage list costs a few instructions per stage.
    Part whole{input, text, scratch, 0, true, true, {}, nullptr, nullptr};
    RunEach(whole, stages);
}

// Whether to work on texts in two parts at once (on by default); for comparing in one run.
void UseTwoParts(bool on);

}  // namespace schnackomat::detail
