#include "schnackomat/reference/reference.h"

#include "schnackomat/matrix.h"

#include <vector>

#include "schnackomat/text.h"

namespace schnackomat::reference {
namespace {

constexpr std::u16string_view Digits = u"1234567890";

// The characters the key part of a coded text knows: the 26 letters "a" to "z".
bool IsKeyLetter(char16_t character) {
    return character >= u'a' && character <= u'z';
}

// Applies the character rows in the order of their values, in the given direction, to
// characters for which `use` holds.
template <typename Filter>
std::u16string ApplyCodeRows(std::u16string_view text, bool encode, Filter use) {
    std::u16string current(text);
    for (const MatrixCodeRow& row : MatrixCodeTable) {
        if (!use(row.Character)) {
            continue;
        }
        const std::u16string_view letter(&row.Character, 1);
        current = encode ? ReplaceAll(current, letter, row.Group)
                         : ReplaceAll(current, row.Group, letter);
    }
    return current;
}

// The key that a coded text carries, decoded, followed by the space that its emptied marker
// piece leaves; empty when the text holds no marker piece.
//
// Every marker piece gathers all pieces from the first one up to itself, and pieces gathered
// before add one bare space each. The gathered key only ever gets longer, so once it is longer
// than `limit` the text cannot carry the wanted key; the gathering stops there rather than
// growing with the square of the number of markers.
std::u16string GatherKey(std::u16string_view text, std::size_t limit) {
    std::vector<std::u16string_view> pieces = SplitPieces(text, u' ');
    std::u16string key;
    std::size_t gathered = 0;  // pieces before this index are already empty
    for (std::size_t marker = 0; marker < pieces.size(); ++marker) {
        if (pieces[marker] != MatrixMarkerGroup.substr(0, 5)) {
            continue;
        }
        pieces[marker] = {};
        key.append(gathered, u' ');
        std::u16string groups;
        for (std::size_t i = gathered; i <= marker; ++i) {
            groups += pieces[i];
            groups += u' ';
        }
        key += ApplyCodeRows(groups, false, IsKeyLetter);
        gathered = marker + 1;
        if (key.size() > limit) {
            break;
        }
    }
    return key;
}

}  // namespace

std::u16string MatrixEncode(std::u16string_view text, std::u16string_view key,
                            RandomSource& random) {
    std::u16string coded(key);
    coded += MatrixMarker;
    coded += ToLower(text);
    for (int i = 0; i < 5; ++i) {
        coded.insert(coded.begin(), RandomLetter(random));
    }
    coded += RandomLetter(random);

    for (char16_t digit : Digits) {
        coded = ReplaceAll(coded, std::u16string_view(&digit, 1), u"");
    }
    coded = ReplaceAll(coded, u" ", MatrixSpaceGroup);
    coded = ApplyCodeRows(coded, true, [](char16_t) { return true; });
    return ReplaceAll(coded, MatrixMarker, MatrixMarkerGroup);
}

BackResult MatrixDecode(std::u16string_view codedText, std::u16string_view key) {
    std::u16string_view text =
        codedText.substr(std::min(codedText.size(), MatrixLeadingFillerLength));

    if (key != MasterCode) {
        // The gathered key ends in the space of the emptied marker piece.
        const std::u16string carried = GatherKey(text, key.size() + 1);
        if (carried.empty() || std::u16string_view(carried).substr(0, carried.size() - 1) != key) {
            return KeyRejected{};
        }
    }

    // The text part is everything after the first marker group.
    const std::size_t marker = text.find(MatrixMarkerGroup);
    const std::size_t position = marker == std::u16string_view::npos ? 0 : marker + 1;
    if (text.size() >= position + 5) {
        text = text.substr(position + 5);
    }

    std::u16string decoded = ReplaceAll(text, MatrixZeroGroup, u"0");
    decoded = ApplyCodeRows(decoded, false, [](char16_t) { return true; });
    decoded = ReplaceAll(decoded, MatrixSpaceGroup, u" ");
    if (!decoded.empty()) {
        decoded.pop_back();  // the trailing filler letter
    }
    return decoded;
}

}  // namespace schnackomat::reference
