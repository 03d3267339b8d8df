// The block scans: the engine's only code that looks at several units at once. Each scan is a
// named operation with a plain form that is its definition (the loop at the end of each driver
// below, which alone runs for the scalar instruction set) and block kernels, one file per
// instruction set (scan_sse2.cpp, scan_avx2.cpp), that find the same candidates eight or sixteen
// units at a time. Stages call the drivers and never see a kernel. The kernels make the stages
// that scan 2 to 6 times as fast as the plain loops.
//
// A kernel reports a block's candidates as a mask with two bits per unit (the byte mask of a
// 16-bit compare); the drivers check the candidates and report the ones that hold.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace schnackomat::detail {

inline constexpr std::size_t npos = std::u16string_view::npos;

// The instruction sets the block scans are written for. The one in use is chosen once, when the
// program starts: the widest the processor has, unless SCHNACKOMAT_ISA names another.
enum class InstructionSet { Scalar, Sse2, Avx2 };

// "scalar", "sse2" or "avx2", as SCHNACKOMAT_ISA spells them.
std::string_view InstructionSetName(InstructionSet set);
// Whether this build and this processor can run `set`.
bool HasInstructionSet(InstructionSet set);
// The widest instruction set this build and this processor can run.
InstructionSet BestInstructionSet();

struct InstructionSetChoice {
    InstructionSet Set;
    std::string Complaint;  // one line for standard error, empty when `requested` was taken
};
// The instruction set a SCHNACKOMAT_ISA of `requested` (null: not set) asks for: `best` when
// it is not set, names none, or names one that `available` says this machine cannot run.
InstructionSetChoice ChooseInstructionSet(const char* requested, InstructionSet best,
                                          bool (*available)(InstructionSet) = HasInstructionSet);

// The instruction set in use.
InstructionSet ActiveInstructionSet();
// Switches the scans to `set`, which must be available; for comparing them in one run. Must not
// be called while a conversion runs.
void UseInstructionSet(InstructionSet set);

// The candidates of a block scan, gathered for a batch of blocks before they are reported.
// Noting a block costs no branch: one without candidates is written and then overwritten. A
// branch taken for the few blocks with one is one the processor mostly mispredicts, and on a
// text too long for it to learn its pattern that costs more than the scan itself.
struct BlockHits {
    static constexpr std::size_t Batch = 64;  // blocks

    std::array<std::uint64_t, Batch> Hits;  // a block's number in the batch, then its mask
    std::size_t Count = 0;

    // Notes block `block` of a batch in which `noted` blocks have candidates so far, and returns
    // the new number. A kernel keeps that number in a local while it notes a batch and stores it
    // in `Count` at the end: kept in `Count` itself, every note would wait for the one before to
    // be stored and read back, since a store into `Hits` may be one into `Count` as far as the
    // compiler knows. That wait made a scan of a short text half as fast again.
    std::size_t Note(std::size_t noted, std::size_t block, std::uint32_t mask) {
        Hits[noted] = static_cast<std::uint64_t>(block) << 32 | mask;
        return noted + (mask != 0 ? 1 : 0);
    }

    // Calls `report(at)` for every unit noted, in order, for a batch whose first block starts
    // at `start`, and starts a new batch.
    template <typename Report>
    void Flush(std::size_t start, std::size_t blockUnits, Report& report) {
        for (std::size_t k = 0; k < Count; ++k) {
            const std::size_t blockStart =
                start + static_cast<std::size_t>(Hits[k] >> 32) * blockUnits;
            for (auto mask = static_cast<std::uint32_t>(Hits[k]); mask != 0;
                 mask &= mask - 1, mask &= mask - 1) {
                report(blockStart + static_cast<std::size_t>(std::countr_zero(mask)) / 2);
            }
        }
        Count = 0;
    }
};

// First-unit search: the candidates for an occurrence of a find string are the starts that
// hold its first, second and last unit; only those are compared in full.
struct OccurrenceKey {
    char16_t First;
    char16_t Second;
    char16_t Last;
    std::size_t SecondOffset;
    std::size_t LastOffset;

    explicit OccurrenceKey(std::u16string_view find)
        : First(find[0]),
          Second(find[find.size() > 2 ? 1 : 0]),
          Last(find[find.size() - 1]),
          SecondOffset(find.size() > 2 ? 1 : 0),
          LastOffset(find.size() - 1) {}
};

// Any-of search: up to eight units.
struct UnitSet {
    std::array<char16_t, 8> Units{};
    std::size_t Count = 0;

    explicit UnitSet(std::u16string_view units) : Count(units.size()) {
        std::copy(units.begin(), units.end(), Units.begin());
    }
    bool Holds(char16_t unit) const {
        return std::find(Units.begin(), Units.begin() + Count, unit) != Units.begin() + Count;
    }
};

// Word endings: two two-unit find strings, candidates where the unit after one is a space or a
// mark (any unit from the space to "?" but the digits).
struct EndingPairs {
    std::array<char16_t, 2> First;
    std::array<char16_t, 2> Second;
};

constexpr bool InStemEndRange(char16_t unit) {
    return (unit & 0xFFE0) == 0x0020 && (unit < u'0' || unit > u'9');
}

// A translation of single units (see MakeUnitMap in fast_text.h). Beside the map itself, the
// units that change are grouped by their high four bits, each group with what its sixteen units
// become, so that a table lookup can translate sixteen units at a time; this works when every
// unit becomes one below 256.
struct UnitMap {
    std::array<char16_t, 256> Units{};
    bool Narrow = true;                                  // every unit becomes one below 256
    std::size_t Groups = 0;                              // groups with a unit that changes
    std::array<std::uint8_t, 16> High{};                 // per group: the high four bits
    std::array<std::array<std::uint8_t, 16>, 16> Low{};  // per group: what its units become
};

// The kernels of one instruction set. A `Next...` kernel looks at the blocks from `i` on while a
// whole block of candidate starts fits before `end`, and returns the mask of the first with a
// candidate with `i` at it, or 0 with `i` at the first block that does not fit. A `Note...`
// kernel notes the masks of `blocks` blocks from `i` on in `hits`. A kernel that is null leaves
// the work to the next instruction set down. The transforms return how many units they did.
struct BlockScans {
    std::size_t Width;  // units per block
    // The fewest candidate starts for which the occurrence kernels pay for setting them up.
    std::size_t OccurrenceMinimum;
    std::uint32_t (*NextOccurrence)(const char16_t* units, std::size_t& i, std::size_t end,
                                    const OccurrenceKey& key);
    void (*NoteOccurrences)(const char16_t* units, std::size_t i, std::size_t blocks,
                            const OccurrenceKey& key, BlockHits& hits);
    std::uint32_t (*NextOf)(const char16_t* units, std::size_t& i, std::size_t end,
                            const UnitSet& set);
    void (*NoteOf)(const char16_t* units, std::size_t i, std::size_t blocks, const UnitSet& set,
                   BlockHits& hits);
    std::uint32_t (*NextSpacedMarker)(const char16_t* units, std::size_t& i, std::size_t end);
    void (*NoteEndings)(const char16_t* units, std::size_t i, std::size_t blocks,
                        const EndingPairs& pairs, BlockHits& hits);
    std::size_t (*LowerAscii)(const char16_t* units, char16_t* out, std::size_t size);
    std::size_t (*Map)(const char16_t* units, char16_t* out, std::size_t size, const UnitMap& map);
};

const BlockScans* Sse2Scans();  // null where not built
const BlockScans* Avx2Scans();  // null where not built

// The kernels of the instruction set in use and those below it, widest first; none for the
// scalar one.
std::span<const BlockScans* const> ScanChain();

// Runs a `Note...` kernel (called as `note(i, blocks, hits)`) over the blocks from `i` on that
// fit before `end`, a batch at a time, reporting each batch's candidates; returns where it
// stopped.
template <typename Note, typename Report>
std::size_t NoteBlocks(std::size_t i, std::size_t end, std::size_t width, Note note,
                       Report& report) {
    BlockHits hits;
    while (i + width <= end) {
        const std::size_t blocks = std::min(BlockHits::Batch, (end - i) / width);
        note(i, blocks, hits);
        hits.Flush(i, width, report);
        i += blocks * width;
    }
    return i;
}

// Runs a `Next...` kernel (called as `next(i)`) from `i` on until `holds(at)` takes one of its
// candidates; returns that, or npos with `i` where the kernel stopped.
template <typename Next, typename Holds>
std::size_t FirstInBlocks(std::size_t& i, std::size_t width, Next next, Holds holds) {
    for (std::uint32_t mask = next(i); mask != 0; i += width, mask = next(i)) {
        for (; mask != 0; mask &= mask - 1, mask &= mask - 1) {  // two mask bits per unit
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(mask)) / 2;
            if (holds(at)) {
                return at;
            }
        }
    }
    return npos;
}

// Whether `units` hold the units of `find` from its unit `from` up to its unit `to`.
inline bool SameUnitsBetween(const char16_t* units, std::u16string_view find, std::size_t from,
                             std::size_t to) {
    const std::u16string_view wanted = find.substr(0, to);
    for (std::size_t k = from; k < wanted.size(); ++k) {
        if (units[k] != wanted[k]) {
            return false;
        }
    }
    return true;
}

// First-unit search: the first occurrence of `find` in `text` at or after `from`, or npos; like
// std::u16string_view::find.
std::size_t Find(std::u16string_view text, std::u16string_view find, std::size_t from = 0);

// Any-of search: the first position at or after `from` that holds one of `units` (at most
// eight), or npos.
std::size_t FindAnyOf(std::u16string_view text, std::u16string_view units, std::size_t from = 0);

// Spaced markers: the first " 00000 " at or after `from`, or npos. The candidates hold the
// spaces and the first, third and fifth digit, where a first-unit search would stop at every
// group that starts with a zero.
std::size_t FindSpacedMarker(std::u16string_view text, std::size_t from);

// Occurrence reporting: calls `found(at)` for every position `at` at which `find` occurs in
// `text`, in order, overlapping occurrences included: one scan of the text, where a Find for
// every occurrence would start a search anew each time. The scan may run ahead of the calls.
// `found` may rewrite the units before `at + find.size()`; the occurrences reported after that
// which start before that point are then not to be trusted, those from it on are.
template <typename Found>
void ForEachOccurrence(std::u16string_view text, std::u16string_view find, Found found) {
    const std::size_t length = find.size();
    if (length == 0 || text.size() < length) {
        return;
    }
    const char16_t* units = text.data();
    const std::size_t end = text.size() - length + 1;  // past the last possible start
    std::size_t i = 0;
    const OccurrenceKey key(find);
    auto report = [&](std::size_t at) {
        if (SameUnitsBetween(units + at, find, 2, length - 1)) {
            found(at);
        }
    };
    for (const BlockScans* scans : ScanChain()) {
        if (end - i > scans->OccurrenceMinimum) {
            i = NoteBlocks(
                i, end, scans->Width,
                [&](std::size_t at, std::size_t blocks, BlockHits& hits) {
                    scans->NoteOccurrences(units, at, blocks, key, hits);
                },
                report);
        }
    }
    for (; i < end; ++i) {
        if (units[i] == find[0] && SameUnitsBetween(units + i, find, 1, length)) {
            found(i);
        }
    }
}

// Any-of reporting: calls `found(at)` for every position `at` of `text` that holds one of
// `units` (at most eight), in order; the scan may run ahead of the calls.
template <typename Found>
void ForEachOf(std::u16string_view text, std::u16string_view units, Found found) {
    const char16_t* in = text.data();
    const UnitSet set(units);
    std::size_t i = 0;
    for (const BlockScans* scans : ScanChain()) {
        if (scans->NoteOf != nullptr) {
            i = NoteBlocks(
                i, text.size(), scans->Width,
                [&](std::size_t at, std::size_t blocks, BlockHits& hits) {
                    scans->NoteOf(in, at, blocks, set, hits);
                },
                found);
        }
    }
    for (; i < text.size(); ++i) {
        if (set.Holds(in[i])) {
            found(i);
        }
    }
}

// Word endings: calls `found(at)` for the occurrences of either pair of `pairs` in `text`, in
// order, that may end a stem: those with the text's end or a unit InStemEndRange after them.
// Reports may run ahead of the calls.
template <typename Found>
void ForEachEnding(std::u16string_view text, const EndingPairs& pairs, Found found) {
    const char16_t* units = text.data();
    const std::size_t size = text.size();
    const auto isPair = [&](std::size_t at) {
        return (units[at] == pairs.First[0] && units[at + 1] == pairs.First[1]) ||
               (units[at] == pairs.Second[0] && units[at + 1] == pairs.Second[1]);
    };
    std::size_t i = 0;
    if (size >= 2) {
        for (const BlockScans* scans : ScanChain()) {
            if (scans->NoteEndings != nullptr) {
                i = NoteBlocks(
                    i, size - 2, scans->Width,
                    [&](std::size_t at, std::size_t blocks, BlockHits& hits) {
                        scans->NoteEndings(units, at, blocks, pairs, hits);
                    },
                    found);
            }
        }
    }
    for (; i + 1 < size; ++i) {
        if (isPair(i) && (i + 2 == size || InStemEndRange(units[i + 2]))) {
            found(i);
        }
    }
}

// Lower-cases `size` units with ToLower into `out` (which may be `units`).
void ToLowerUnits(const char16_t* units, char16_t* out, std::size_t size);

// Writes the `size` units at `units` translated by `map` to `out`, which may be `units`.
void MapUnits(const char16_t* units, char16_t* out, std::size_t size, const UnitMap& map);

}  // namespace schnackomat::detail
