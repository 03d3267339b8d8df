// The Matrix encoder, table-driven: one pass over the text looks up each character's group, where
// the plain form (tests/reference/matrix.cpp) replaces one character after the other, some forty
// passes over a text that grows to six times its length. At 1 MiB of German text that takes
// coding from 600 ms to 10 ms.
#include <algorithm>
#include <array>

#include "matrix_groups.h"
#include "schnackomat/matrix.h"
#include "schnackomat/text.h"

namespace schnackomat {
namespace {

using matrix::GroupLength;

constexpr char16_t Slash = MatrixMarker[0];

constexpr bool IsDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

// The group the encoder writes for each unit below 256: the space's and the 29 characters'; empty
// for every other unit.
constexpr std::array<std::u16string_view, 256> EncodedGroups = [] {
    std::array<std::u16string_view, 256> groups{};
    groups[u' '] = MatrixSpaceGroup;
    for (const MatrixCodeRow& row : MatrixCodeTable) {
        groups[row.Character] = row.Group;
    }
    return groups;
}();

// How many units the coder below writes for `unit` at most: none for a digit, six for the space
// and the 29 characters, one for every other unit; a slash counts two, more than the six fifths
// of a unit it takes in a marker group and the one it takes on its own.
std::size_t CodedLength(char16_t unit) {
    if (IsDigit(unit)) {
        return 0;
    }
    if (unit == Slash) {
        return 2;
    }
    return unit < 256 && !EncodedGroups[unit].empty() ? GroupLength : 1;
}

// Writes the coded form of units one after the other, into room measured with CodedLength:
// digits are dropped, every five slashes in a row (once the digits are gone) become the marker
// group, the space and the 29 characters become their groups, and everything else stays. That is
// what the encoder's replacements give one after the other, because none of them writes a unit
// that a later one looks for.
class Coder {
  public:
    explicit Coder(char16_t* out) : out_(out) {}

    void Put(char16_t unit) {
        if (IsDigit(unit)) {
            return;
        }
        if (unit == Slash) {
            if (++slashes_ == MatrixMarker.size()) {
                out_ = std::copy_n(MatrixMarkerGroup.data(), GroupLength, out_);
                slashes_ = 0;
            }
            return;
        }
        Finish();
        const std::u16string_view group = unit < 256 ? EncodedGroups[unit] : std::u16string_view();
        if (group.empty()) {
            *out_++ = unit;
        } else {
            out_ = std::copy_n(group.data(), GroupLength, out_);
        }
    }

    // Writes the slashes of a run too short for a marker; returns the end of what was written.
    char16_t* Finish() {
        out_ = std::fill_n(out_, slashes_, Slash);
        slashes_ = 0;
        return out_;
    }

  private:
    char16_t* out_;
    std::size_t slashes_ = 0;
};

}  // namespace

std::u16string MatrixEncode(std::u16string_view text, std::u16string_view key,
                            RandomSource& random) {
    std::array<char16_t, 5> leading{};
    for (std::size_t i = 0; i < leading.size(); ++i) {
        leading[leading.size() - 1 - i] = RandomLetter(random);  // each goes in front of the last
    }
    const char16_t trailing = RandomLetter(random);

    // The coded text is six times as long as the text: it is written once, into room measured
    // first, so that no growing string holds twice its room for a while.
    std::size_t length = CodedLength(trailing) + MatrixMarker.size() * CodedLength(Slash);
    for (char16_t unit : leading) {
        length += CodedLength(unit);
    }
    for (char16_t unit : key) {
        length += CodedLength(unit);
    }
    for (char16_t unit : text) {
        length += CodedLength(ToLower(unit));
    }
    std::u16string coded(length, u'\0');

    // The filler letters, the key, the marker and the lower-cased text, then one more filler
    // letter, coded together.
    Coder coder(coded.data());
    for (char16_t unit : leading) {
        coder.Put(unit);
    }
    for (char16_t unit : key) {
        coder.Put(unit);
    }
    for (char16_t unit : MatrixMarker) {
        coder.Put(unit);
    }
    for (char16_t unit : text) {
        coder.Put(ToLower(unit));
    }
    coder.Put(trailing);
    coded.resize(static_cast<std::size_t>(coder.Finish() - coded.data()));
    return coded;
}

}  // namespace schnackomat
