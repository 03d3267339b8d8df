// A random source that plays back a fixed list of values, for deterministic tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "schnackomat/random.h"

namespace schnackomat {

class FakeRandomSource final : public RandomSource {
  public:
    explicit FakeRandomSource(std::vector<std::uint32_t> values) : values_(std::move(values)) {}

    std::uint32_t NextBelow(std::uint32_t bound) override {
        const std::uint32_t value = values_[next_++ % values_.size()];
        return value % bound;
    }

    std::size_t Draws() const { return next_; }

  private:
    std::vector<std::uint32_t> values_;
    std::size_t next_ = 0;
};

}  // namespace schnackomat
