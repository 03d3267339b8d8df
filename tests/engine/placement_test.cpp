// Where the second part's thread may run while its starter works on the first part, and after.
#include "placement.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <chrono>
#include <semaphore>
#include <thread>
#include <vector>

namespace schnackomat::detail {
namespace {

std::vector<int> Processors(const cpu_set_t& set) {
    std::vector<int> processors;
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &set)) {
            processors.push_back(cpu);
        }
    }
    return processors;
}

std::vector<int> OwnProcessors() {
    cpu_set_t set;
    CPU_ZERO(&set);
    EXPECT_EQ(pthread_getaffinity_np(pthread_self(), sizeof set, &set), 0);
    return Processors(set);
}

bool IsSubset(const std::vector<int>& part, const std::vector<int>& whole) {
    for (const int cpu : part) {
        if (std::find(whole.begin(), whole.end(), cpu) == whole.end()) {
            return false;
        }
    }
    return true;
}

// What a helper may run on while the guard lives and after it, started by a thread that may run
// on the first `starterProcessors` of the processors this test may use.
struct Seen {
    std::vector<int> Starter;
    std::vector<int> HelperWhileGuarded;
    std::vector<int> HelperAfter;
};

Seen StartHelperFrom(std::size_t starterProcessors) {
    Seen seen;
    std::thread starter([&] {
        const std::vector<int> usable = OwnProcessors();
        cpu_set_t set;
        CPU_ZERO(&set);
        for (std::size_t i = 0; i < starterProcessors && i < usable.size(); ++i) {
            CPU_SET(usable[i], &set);
        }
        ASSERT_EQ(pthread_setaffinity_np(pthread_self(), sizeof set, &set), 0);
        seen.Starter = OwnProcessors();

        std::binary_semaphore lookNow{0}, looked{0}, lookAgain{0}, lookedAgain{0};
        std::jthread helper([&] {
            lookNow.acquire();
            seen.HelperWhileGuarded = OwnProcessors();
            looked.release();
            lookAgain.acquire();
            seen.HelperAfter = OwnProcessors();
            lookedAgain.release();
        });
        {
            const OffStartersProcessor elsewhere(helper);
            lookNow.release();
            looked.acquire();
        }
        lookAgain.release();
        lookedAgain.acquire();
    });
    starter.join();
    return seen;
}

TEST(OffStartersProcessorTest, TheHelperRunsOffTheStartersProcessorUntilTheStarterIsDone) {
    if (OwnProcessors().size() < 2) {
        GTEST_SKIP() << "this machine lets the test use one processor";
    }
    struct Row {
        std::size_t StarterProcessors;
        std::size_t HelperProcessorsWhileGuarded;
    };
    const Row rows[] = {
        {2, 1},  // the other one of two
        {1, 1},  // the starter's only processor: nowhere else to go
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.StarterProcessors);
        const Seen seen = StartHelperFrom(row.StarterProcessors);
        ASSERT_EQ(seen.Starter.size(), row.StarterProcessors);
        EXPECT_EQ(seen.HelperWhileGuarded.size(), row.HelperProcessorsWhileGuarded);
        EXPECT_TRUE(IsSubset(seen.HelperWhileGuarded, seen.Starter));
        EXPECT_EQ(seen.HelperAfter, seen.Starter);
    }
}

TEST(OffStartersProcessorTest, AHelperThatHasEndedLeavesTheStarterAsItWas) {
    const std::vector<int> before = OwnProcessors();
    std::jthread helper([] {});
    {
        const OffStartersProcessor elsewhere(helper);
        helper.join();
    }
    std::jthread late([] {});
    {
        const OffStartersProcessor elsewhere(late);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));  // ends, not joined
    }
    EXPECT_EQ(OwnProcessors(), before);
}

}  // namespace
}  // namespace schnackomat::detail
