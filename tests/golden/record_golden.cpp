// Records the golden conversions (see golden_file.h) of texts from the differential tests' text
// generator.
//
//   schnackomat_record_golden FILE     writes the texts and their outcomes to FILE
//
// Run it only when a change of what the program gives is meant, then pack the file as the test
// build expects it: tar cf - golden.bin | xz -9e > golden.tar.xz
#include <fstream>
#include <iostream>
#include <string>

#include "../differential/text_generator.h"
#include "golden_file.h"

int main(int argc, char** argv) {
    using namespace schnackomat;
    if (argc != 2) {
        std::cerr << "usage: schnackomat_record_golden FILE\n";
        return 1;
    }
    constexpr std::uint32_t seed = 20261209;
    constexpr int texts = 3000;
    differential::TextGenerator generator(seed);
    const std::u16string keys[] = {std::u16string(DefaultMatrixKey), u"abc", u"xyzxyzxyzxyzxyz"};
    std::ofstream out(argv[1], std::ios::binary);
    std::size_t outcomes = 0;
    for (int i = 0; i < texts; ++i) {
        // Mostly short texts, as people type them, and every 25th one of a thousand units or more.
        const std::size_t length =
            i % 25 == 24 ? 1000 + generator.Below(1000) : generator.Below(160);
        const std::u16string text = generator.Text(length);
        const std::u16string& key = keys[i % 3];
        golden::WriteUnits(out, key);
        golden::WriteUnits(out, text);
        for (const golden::Outcome& outcome : golden::Outcomes(text, key)) {
            golden::WriteOutcome(out, outcome);
            ++outcomes;
        }
    }
    out.close();
    if (!out) {
        std::cerr << "could not write " << argv[1] << "\n";
        return 1;
    }
    std::cout << texts << " texts, " << outcomes << " outcomes\n";
    return 0;
}
