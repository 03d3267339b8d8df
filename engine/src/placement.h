// Where the second part's thread runs.
#pragma once

#include <thread>

namespace schnackomat::detail {

// Keeps a thread that was just started off the processor that its starter runs on, for as long
// as this lives, and then lets it run on every processor it could run on before.
//
// Linux places a new thread on its starter's processor and may leave it there while both are
// busy, when the other processors are idle: in a short process (one run of the converter) the two
// parts then take turns on one processor. Once the starter has done its own part and waits for
// the helper, the helper may move back, should another program be busy on the processor it was
// sent to. Where the platform has no such setting, or the starter may use only one processor,
// this does nothing.
class OffStartersProcessor {
  public:
    explicit OffStartersProcessor(std::jthread& helper);
    ~OffStartersProcessor();
    OffStartersProcessor(const OffStartersProcessor&) = delete;
    OffStartersProcessor& operator=(const OffStartersProcessor&) = delete;

  private:
    std::jthread& helper_;
    [[maybe_unused]] bool moved_ = false;
};

}  // namespace schnackomat::detail
