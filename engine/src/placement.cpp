#include "placement.h"

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#endif

namespace schnackomat::detail {

#if defined(__linux__)

namespace {

// The processors the calling thread may run on; false when the system does not say.
bool CallersProcessors(cpu_set_t& set) {
    CPU_ZERO(&set);
    return pthread_getaffinity_np(pthread_self(), sizeof set, &set) == 0;
}

}  // namespace

OffStartersProcessor::OffStartersProcessor(std::jthread& helper) : helper_(helper) {
    cpu_set_t set;
    const int current = sched_getcpu();
    if (!helper_.joinable() || current < 0 || !CallersProcessors(set) ||
        !CPU_ISSET(current, &set) || CPU_COUNT(&set) < 2) {
        return;
    }
    CPU_CLR(current, &set);
    moved_ = pthread_setaffinity_np(helper_.native_handle(), sizeof set, &set) == 0;
}

OffStartersProcessor::~OffStartersProcessor() {
    cpu_set_t set;
    // Should the helper have ended already, this changes nothing: the set is the starter's own.
    if (moved_ && helper_.joinable() && CallersProcessors(set)) {
        pthread_setaffinity_np(helper_.native_handle(), sizeof set, &set);
    }
}

#else

OffStartersProcessor::OffStartersProcessor(std::jthread& helper) : helper_(helper) {}
OffStartersProcessor::~OffStartersProcessor() = default;

#endif

}  // namespace schnackomat::detail
