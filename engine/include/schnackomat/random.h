// Random filler letters for the Matrix code and for texts whose key does not fit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace schnackomat {

// A source of uniformly distributed integers. The engine draws every random letter from one, so
// that callers (and tests) decide where the randomness comes from.
class RandomSource {
  public:
    virtual ~RandomSource() = default;

    // Returns an integer in [0, bound), each value equally likely; `bound` is at least 1.
    virtual std::uint32_t NextBelow(std::uint32_t bound) = 0;
};

// The real source: one Mersenne Twister seeded once from std::random_device, so that every
// letter is drawn independently of the ones before it.
class SeededRandomSource final : public RandomSource {
  public:
    SeededRandomSource();
    std::uint32_t NextBelow(std::uint32_t bound) override;

  private:
    std::mt19937 generator_;
};

// The process's shared source, created on first use; used where no source is passed in.
RandomSource& DefaultRandomSource();

// One letter "a" to "z", each equally likely.
char16_t RandomLetter(RandomSource& random);

// The letters that stand in for a Matrix text whose key does not fit: length / 6 + 1 random
// letters "a" to "z" for a coded text of `length` units.
std::u16string RandomLetters(std::size_t length, RandomSource& random);
std::u16string RandomLetters(std::size_t length);

}  // namespace schnackomat
