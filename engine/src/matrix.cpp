// The Matrix coder, checked against its plain form in tests/reference/matrix.cpp. Looking each
// unit's group up in a table, where the plain form replaces letter by letter, makes it 25 to 110
// times as fast as that.
#include "schnackomat/matrix.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "fast_text.h"
#include "schnackomat/text.h"

namespace schnackomat {
namespace {

using detail::npos;

constexpr std::u16string_view Digits = u"1234567890";
constexpr std::size_t GroupLength = 6;  // five binary digits and a space

// The characters the key part of a coded text knows: the 26 letters "a" to "z".
constexpr bool IsKeyLetter(char16_t character) {
    return character >= u'a' && character <= u'z';
}

// The value a group spells, or -1 when the six units are not a group.
constexpr int GroupValue(std::u16string_view units) {
    if (units.size() != GroupLength || units[5] != u' ') {
        return -1;
    }
    int value = 0;
    for (std::size_t k = 0; k < 5; ++k) {
        if (units[k] != u'0' && units[k] != u'1') {
            return -1;
        }
        value = value * 2 + (units[k] - u'0');
    }
    return value;
}

// The table's groups, by value: the row of each value 1 to 29, in order, so that a group's value
// finds its character.
constexpr bool RowsInValueOrder() {
    for (std::size_t k = 0; k < MatrixCodeTable.size(); ++k) {
        if (GroupValue(MatrixCodeTable[k].Group) != static_cast<int>(k + 1)) {
            return false;
        }
    }
    return GroupValue(MatrixMarkerGroup) == 0 && GroupValue(MatrixSpaceGroup) == 30 &&
           GroupValue(MatrixZeroGroup) == 31;
}
static_assert(RowsInValueOrder());

// For every unit below 256 that the encoder spells, its group; empty for the others.
constexpr std::array<std::u16string_view, 256> EncodedGroups = [] {
    std::array<std::u16string_view, 256> groups{};
    groups[u' '] = MatrixSpaceGroup;
    for (const MatrixCodeRow& row : MatrixCodeTable) {
        groups[row.Character] = row.Group;
    }
    return groups;
}();

constexpr std::array<bool, 256> IsDigit = [] {
    std::array<bool, 256> digits{};
    for (char16_t digit : Digits) {
        digits[digit] = true;
    }
    return digits;
}();

// ToLower, with the common ASCII case done here.
inline char16_t LowerUnit(char16_t unit) {
    if (unit < 0x80) {
        return static_cast<unsigned>(unit - u'A') < 26 ? static_cast<char16_t>(unit | 0x20) : unit;
    }
    return ToLower(unit);
}

// Writes the encoder's units: digits are dropped, every run of five slashes (counted after the
// digits are gone) becomes the marker group, spaces and letters become their groups. This is what
// the encoder's replacements give one after the other, because no replacement writes a unit that
// a later one looks for. Writes through a pointer into room that CodedLength has measured.
class GroupWriter {
  public:
    explicit GroupWriter(char16_t* out) : out_(out) {}

    void Put(char16_t unit) {
        if (unit < 256) {
            if (IsDigit[unit]) {
                return;
            }
            if (unit == MatrixMarker[0]) {
                if (++slashes_ == MatrixMarker.size()) {
                    out_ = std::copy(MatrixMarkerGroup.begin(), MatrixMarkerGroup.end(), out_);
                    slashes_ = 0;
                }
                return;
            }
        }
        if (slashes_ != 0) {
            Flush();
        }
        const std::u16string_view group = unit < 256 ? EncodedGroups[unit] : std::u16string_view();
        if (group.empty()) {
            *out_++ = unit;
        } else {
            std::memcpy(out_, group.data(), GroupLength * sizeof(char16_t));  // one fixed move
            out_ += GroupLength;
        }
    }

    // Put(LowerUnit(unit)), with the common case of a unit below 256 whose lower-case form has a
    // group, while no slashes wait, done by one table look-up and one move.
    void PutLowered(char16_t unit, const std::array<const char16_t*, 256>& loweredGroups) {
        if (unit < 256 && slashes_ == 0) {
            if (const char16_t* group = loweredGroups[unit]) {
                std::memcpy(out_, group, GroupLength * sizeof(char16_t));
                out_ += GroupLength;
                return;
            }
        }
        Put(LowerUnit(unit));
    }

    // Writes the slashes of a run too short for a marker; returns the end of what was written.
    char16_t* Flush() {
        out_ = std::fill_n(out_, slashes_, MatrixMarker[0]);
        slashes_ = 0;
        return out_;
    }

  private:
    char16_t* out_;
    std::size_t slashes_ = 0;
};

// How many units the encoder writes for a unit below 256 (a slash counts as two), lower-cased
// first or not.
struct CodedUnitLengths {
    std::array<std::uint8_t, 256> Plain{};
    std::array<std::uint8_t, 256> Lowered{};
};

std::size_t CodedUnitLength(char16_t unit) {
    if (unit >= 256) {
        return 1;
    }
    if (unit == MatrixMarker[0]) {
        return 2;
    }
    if (IsDigit[unit]) {
        return 0;
    }
    return EncodedGroups[unit].empty() ? 1 : GroupLength;
}

// For every unit below 256, the group of its lower-case form, or null when it has none.
const std::array<const char16_t*, 256>& LoweredGroups() {
    static const std::array<const char16_t*, 256> groups = [] {
        std::array<const char16_t*, 256> table{};
        for (std::size_t unit = 0; unit < 256; ++unit) {
            const char16_t lowered = LowerUnit(static_cast<char16_t>(unit));
            if (lowered < 256 && !EncodedGroups[lowered].empty()) {
                table[unit] = EncodedGroups[lowered].data();
            }
        }
        return table;
    }();
    return groups;
}

const CodedUnitLengths& UnitLengths() {
    static const CodedUnitLengths lengths = [] {
        CodedUnitLengths table;
        for (std::size_t unit = 0; unit < 256; ++unit) {
            table.Plain[unit] =
                static_cast<std::uint8_t>(CodedUnitLength(static_cast<char16_t>(unit)));
            table.Lowered[unit] =
                static_cast<std::uint8_t>(CodedUnitLength(LowerUnit(static_cast<char16_t>(unit))));
        }
        return table;
    }();
    return lengths;
}

// At most how many units the encoder writes for `text`: exact but for the slashes, which are
// counted as two units each (five of them make six).
std::size_t CodedLength(std::u16string_view text, bool lowerCase) {
    const std::array<std::uint8_t, 256>& below256 =
        lowerCase ? UnitLengths().Lowered : UnitLengths().Plain;
    std::size_t length = 0;
    for (char16_t unit : text) {
        length += unit < 256 ? below256[unit] : CodedUnitLength(lowerCase ? LowerUnit(unit) : unit);
    }
    return length;
}

// Whether the six units at `units` are a group; sets `value` to the number it spells. Reads the
// six units as one 64-bit and one 32-bit word: every digit is 0x0030 or 0x0031, the space 0x0020.
inline bool ReadGroup(const char16_t* units, int& value) {
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t digits = 0;
        std::uint32_t rest = 0;
        std::memcpy(&digits, units, sizeof digits);
        std::memcpy(&rest, units + 4, sizeof rest);
        if ((digits & 0xFFFE'FFFE'FFFE'FFFEu) != 0x0030'0030'0030'0030u ||
            (rest & 0xFFFF'FFFEu) != 0x0020'0030u) {
            return false;
        }
        // One multiplication gathers the low bits of the four digits, at bits 0, 16, 32 and 48,
        // into bits 51, 50, 49 and 48; no other product lands there, so nothing carries in.
        constexpr std::uint64_t gather = (1ull << 51) | (1ull << 34) | (1ull << 17) | 1ull;
        const std::uint64_t high = ((digits & 0x0001'0001'0001'0001u) * gather) >> 48 & 0xF;
        value = static_cast<int>(high << 1 | (rest & 1));
        return true;
    } else {
        if (units[5] != u' ') {
            return false;
        }
        int spelt = 0;
        for (int k = 0; k < 5; ++k) {
            if ((units[k] | 1) != u'1') {
                return false;
            }
            spelt = spelt * 2 + (units[k] & 1);
        }
        value = spelt;
        return true;
    }
}

// Decodes the groups of `text` whose value `decode` maps to a character (it answers 0 for groups
// that stay); everything else is copied. Groups never overlap (each ends in the only space among
// its six units), so reading them greedily from left to right finds every one, and as no decoded
// character is a digit or a space, this gives what the group rows give one after the other.
//
// Returns false, leaving `out` as it was, when `stopAtZero` is set and the text holds the zero
// group, which must be replaced on its own first.
template <typename Decode>
bool AppendDecoded(std::u16string& out, std::u16string_view text, Decode decode,
                   bool stopAtZero = false) {
    const std::size_t base = out.size();
    out.reserve(base + text.size() / GroupLength + 16);
    // Written through a small buffer, which takes a group's six units at most per step.
    std::array<char16_t, 2048> buffer;
    std::size_t buffered = 0;
    const char16_t* units = text.data();
    const std::size_t size = text.size();
    std::size_t i = 0;
    int value = 0;
    while (i < size) {
        if (buffered + GroupLength > buffer.size()) {
            out.append(buffer.data(), buffered);
            buffered = 0;
        }
        if (i + GroupLength <= size && ReadGroup(units + i, value)) {
            if (stopAtZero && value == 31) {
                out.resize(base);
                return false;
            }
            const char16_t character = decode(value);
            if (character != 0) {
                buffer[buffered++] = character;
            } else {
                std::memcpy(buffer.data() + buffered, units + i, GroupLength * sizeof(char16_t));
                buffered += GroupLength;
            }
            i += GroupLength;
        } else {
            buffer[buffered++] = units[i++];
        }
    }
    out.append(buffer.data(), buffered);
    return true;
}

using detail::FindSpacedMarker;
static_assert(MatrixMarkerGroup == u"00000 ");

// The next marker piece ("00000" with a space or the text's edge on both sides) at or after
// `from`, which must be the start of a piece; npos when there is none. A piece between spaces is
// found by a plain search: reading groups from `from` on meets every such piece, since a group
// read that takes in any of its units would have to end in one of its digits.
std::size_t FindMarkerPiece(std::u16string_view text, std::size_t from) {
    const std::u16string_view markerGroup = MatrixMarkerGroup;  // "00000 "
    if (from == 0 && text.starts_with(markerGroup)) {
        return 0;
    }
    const std::size_t at = FindSpacedMarker(text, from == 0 ? 0 : from - 1);
    if (at != npos) {
        return at + 1;
    }
    // The last piece, with no space after it.
    const std::u16string_view markerPiece = markerGroup.substr(0, 5);
    const std::size_t size = text.size();
    if (size >= 5 && size - 5 >= from && text.substr(size - 5) == markerPiece &&
        (size == 5 || text[size - 6] == u' ')) {
        return size - 5;
    }
    return npos;
}

constexpr char16_t KeyCharacter(int value) {
    if (value < 1 || value > static_cast<int>(MatrixCodeTable.size())) {
        return 0;
    }
    const char16_t character = MatrixCodeTable[static_cast<std::size_t>(value) - 1].Character;
    return IsKeyLetter(character) ? character : 0;
}

constexpr char16_t TextCharacter(int value) {
    if (value == 30) {
        return u' ';
    }
    if (value < 1 || value > static_cast<int>(MatrixCodeTable.size())) {
        return 0;
    }
    return MatrixCodeTable[static_cast<std::size_t>(value) - 1].Character;
}

// What each of the 32 values a group can spell decodes to (0: the group stays), as tables, so
// that the decoding loop needs no call per group.
using ValueTable = std::array<char16_t, 32>;
constexpr ValueTable MakeValueTable(char16_t (*character)(int)) {
    ValueTable table{};
    for (std::size_t value = 0; value < table.size(); ++value) {
        table[value] = character(static_cast<int>(value));
    }
    return table;
}
constexpr ValueTable KeyCharacters = MakeValueTable(KeyCharacter);
constexpr ValueTable TextCharacters = MakeValueTable(TextCharacter);
constexpr auto DecodeKey = [](int value) { return KeyCharacters[static_cast<std::size_t>(value)]; };
constexpr auto DecodeText = [](int value) {
    return TextCharacters[static_cast<std::size_t>(value)];
};

// Whether `text` carries `key`. Every marker piece ("00000" between spaces) gathers all pieces
// from the first one up to itself, and pieces gathered before add one bare space each; decoded,
// the gathered text must be the key followed by the space of the emptied marker piece. The
// gathered key only ever gets longer, and it is never shorter than a sixth of the units gathered,
// so the search stops as soon as it is longer than the key and its space.
bool CarriesKey(std::u16string_view text, std::u16string_view key) {
    const std::u16string_view markerPiece = MatrixMarkerGroup.substr(0, 5);
    const std::size_t limit = key.size() + 1;
    std::u16string gathered;
    std::size_t emptiedPieces = 0;  // pieces before `pieceStart`
    std::size_t pieceStart = 0;     // the first piece not yet gathered
    for (std::size_t at = FindMarkerPiece(text, 0); at != npos;
         at = pieceStart > text.size() ? npos : FindMarkerPiece(text, pieceStart)) {
        const std::size_t end = at + markerPiece.size();
        // The pieces from `pieceStart` up to the marker piece, each with its space.
        const std::u16string_view pieces = text.substr(pieceStart, at - pieceStart);
        if (gathered.size() + emptiedPieces + pieces.size() / GroupLength > limit) {
            return false;
        }
        gathered.append(emptiedPieces, u' ');
        std::u16string groups(pieces);
        groups += u' ';  // the emptied marker piece
        AppendDecoded(gathered, groups, DecodeKey);
        for (char16_t unit : pieces) {
            emptiedPieces += unit == u' ' ? 1 : 0;
        }
        emptiedPieces += 1;
        pieceStart = end + 1;
        if (gathered.size() > limit) {
            return false;
        }
    }
    return !gathered.empty() && std::u16string_view(gathered).substr(0, gathered.size() - 1) == key;
}

}  // namespace

std::u16string MatrixEncode(std::u16string_view text, std::u16string_view key,
                            RandomSource& random) {
    std::array<char16_t, 6> letters{};
    for (std::size_t i = 0; i < 5; ++i) {
        letters[4 - i] = RandomLetter(random);  // each one goes in front of the ones before
    }
    letters[5] = RandomLetter(random);

    std::u16string coded(CodedLength(text, true) + CodedLength(key, false) + GroupLength * 7,
                         u'\0');
    GroupWriter writer(coded.data());
    for (std::size_t i = 0; i < 5; ++i) {
        writer.Put(letters[i]);
    }
    for (char16_t unit : key) {
        writer.Put(unit);
    }
    for (char16_t unit : MatrixMarker) {
        writer.Put(unit);
    }
    const std::array<const char16_t*, 256>& loweredGroups = LoweredGroups();
    for (char16_t unit : text) {
        writer.PutLowered(unit, loweredGroups);
    }
    writer.Put(letters[5]);
    coded.resize(static_cast<std::size_t>(writer.Flush() - coded.data()));
    return coded;
}

BackResult MatrixDecode(std::u16string_view codedText, std::u16string_view key) {
    std::u16string_view text =
        codedText.substr(std::min(codedText.size(), MatrixLeadingFillerLength));

    if (key != MasterCode && !CarriesKey(text, key)) {
        return KeyRejected{};
    }

    // The text part is everything after the first marker group.
    const std::size_t marker = detail::Find(text, MatrixMarkerGroup, 0);
    const std::size_t position = marker == npos ? 0 : marker + 1;
    if (text.size() >= position + 5) {
        text = text.substr(position + 5);
    }

    // "11111 " becomes "0" first: the new digit can complete a group with the units around it.
    // The encoder never writes that group, so the decoding tries without that step and only
    // starts again when it meets one.
    std::u16string decoded;
    if (!AppendDecoded(decoded, text, DecodeText, true)) {
        std::u16string zeros;
        detail::AppendReplaced(zeros, text, MatrixZeroGroup, u"0");
        AppendDecoded(decoded, zeros, DecodeText);
    }
    if (!decoded.empty()) {
        decoded.pop_back();  // the trailing filler letter
    }
    return decoded;
}

}  // namespace schnackomat
