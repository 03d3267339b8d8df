#include "schnackomat/random.h"

namespace schnackomat {

SeededRandomSource::SeededRandomSource() {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device(),
                       device(), device(), device(), device()};
    generator_.seed(seed);
}

std::uint32_t SeededRandomSource::NextBelow(std::uint32_t bound) {
    return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(generator_);
}

RandomSource& DefaultRandomSource() {
    static SeededRandomSource source;
    return source;
}

char16_t RandomLetter(RandomSource& random) {
    return static_cast<char16_t>(u'a' + random.NextBelow(26));
}

std::u16string RandomLetters(std::size_t length, RandomSource& random) {
    const std::size_t count = length / 6 + 1;
    std::u16string letters;
    letters.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        letters += RandomLetter(random);
    }
    return letters;
}

std::u16string RandomLetters(std::size_t length) {
    return RandomLetters(length, DefaultRandomSource());
}

}  // namespace schnackomat
