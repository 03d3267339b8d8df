// The engine's internal text operations: the fast forms of the primitives in text.h that the
// stages use to rewrite one working string in place, with a scratch buffer reused between rows.
#pragma once

// Builds for a platform without threads (the browser) define SCHNACKOMAT_ENGINE_THREADS as 0 and
// convert every text whole.
#ifndef SCHNACKOMAT_ENGINE_THREADS
#define SCHNACKOMAT_ENGINE_THREADS 1
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#if SCHNACKOMAT_ENGINE_THREADS
#include <thread>
#endif
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#include <immintrin.h>
#endif

#include "schnackomat/text.h"

namespace schnackomat::detail {

inline constexpr std::size_t npos = std::u16string_view::npos;

#if defined(__SSE2__) && defined(__GNUC__) && defined(__x86_64__)
// Block searches may use AVX2 where the processor has it, in functions compiled for it alone.
#define SCHNACKOMAT_HAVE_AVX2 1
bool HasAvx2();
#endif

// The first occurrence of `find` in `text` at or after `from`, or npos; like
// std::u16string_view::find, but scanning eight units at a time for the find string's first and
// last unit.
std::size_t Find(std::u16string_view text, std::u16string_view find, std::size_t from = 0);

// The first position at or after `from` that holds one of `units` (at most eight), or npos.
std::size_t FindAnyOf(std::u16string_view text, std::u16string_view units, std::size_t from = 0);

// Appends `text` with every occurrence of `find` replaced by `replacement` (as ReplaceAll does)
// to `out`. When `find` does not occur, appends nothing and returns false.
bool AppendReplaced(std::u16string& out, std::u16string_view text, std::u16string_view find,
                    std::u16string_view replacement);

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

// The hits of a block scan (a mask with two bits per unit for each block of units), gathered
// for a batch of blocks before they are reported. Noting a block costs no branch: one without
// hits is written and then overwritten. A branch taken for the few blocks with a hit is one the
// processor mostly mispredicts, and on a text too long for it to learn its pattern that costs
// more than the scan itself.
struct BlockHits {
    static constexpr std::size_t Batch = 64;  // blocks

    std::array<std::uint64_t, Batch> Hits;  // a block's number in the batch, then its mask
    std::size_t Count = 0;

    void Note(std::size_t block, std::uint32_t mask) {
        Hits[Count] = static_cast<std::uint64_t>(block) << 32 | mask;
        Count += mask != 0 ? 1 : 0;
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

#if defined(SCHNACKOMAT_HAVE_AVX2)
// The block scan of ForEachOccurrence, sixteen units at a time, from `i` on while a whole block
// fits before `last`: reports the candidates, the units that match the find string's first,
// second and last unit. Leaves `i` where it stopped.
template <typename Report>
__attribute__((target("avx2"))) void ForEachOccurrenceWide(const char16_t* units, std::size_t& i,
                                                           std::size_t last,
                                                           std::u16string_view find,
                                                           Report& report) {
    const std::size_t length = find.size();
    const std::size_t secondOffset = length > 2 ? 1 : 0;
    const __m256i first = _mm256_set1_epi16(static_cast<short>(find[0]));
    const __m256i second = _mm256_set1_epi16(static_cast<short>(find[secondOffset]));
    const __m256i final = _mm256_set1_epi16(static_cast<short>(find[length - 1]));
    const auto load = [units](std::size_t at) __attribute__((target("avx2"))) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(units + at));
    };
    BlockHits hits;
    while (i + 16 <= last + 1) {
        const std::size_t start = i;
        const std::size_t end = std::min(last + 1, i + BlockHits::Batch * 16);
        for (std::size_t block = 0; i + 16 <= end; i += 16, ++block) {
            const __m256i match = _mm256_and_si256(
                _mm256_and_si256(_mm256_cmpeq_epi16(load(i), first),
                                 _mm256_cmpeq_epi16(load(i + secondOffset), second)),
                _mm256_cmpeq_epi16(load(i + length - 1), final));
            hits.Note(block, static_cast<std::uint32_t>(_mm256_movemask_epi8(match)));
        }
        hits.Flush(start, 16, report);
    }
}
#endif

// Calls `found(at)` for every position `at` at which `find` occurs in `text`, in order,
// overlapping occurrences included: one scan of the text, eight or sixteen units at a time,
// where a Find for every occurrence would start a search anew each time. The scan may run ahead
// of the calls. `found` may rewrite the units before `at + find.size()`; the occurrences
// reported after that which start before that point are then not to be trusted, those from it on
// are.
template <typename Found>
void ForEachOccurrence(std::u16string_view text, std::u16string_view find, Found found) {
    const std::size_t length = find.size();
    if (length == 0 || text.size() < length) {
        return;
    }
    const char16_t* units = text.data();
    const std::size_t last = text.size() - length;  // the last possible start
    std::size_t i = 0;
    // Candidates must match the first, second and last unit; only those are compared in full.
    [[maybe_unused]] auto report = [&](std::size_t at) {
        if (SameUnitsBetween(units + at, find, 2, length - 1)) {
            found(at);
        }
    };
#if defined(SCHNACKOMAT_HAVE_AVX2)
    if (last >= 32 && HasAvx2()) {
        ForEachOccurrenceWide(units, i, last, find, report);
    }
#endif
#if defined(__SSE2__)
    const std::size_t secondOffset = length > 2 ? 1 : 0;
    const auto spread = [](char16_t unit) { return _mm_set1_epi16(static_cast<short>(unit)); };
    const auto load = [units](std::size_t at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at));
    };
    const __m128i first = spread(find[0]);
    const __m128i second = spread(find[secondOffset]);
    const __m128i final = spread(find[length - 1]);
    BlockHits hits;
    while (i + 8 <= last + 1) {
        const std::size_t start = i;
        const std::size_t end = std::min(last + 1, i + BlockHits::Batch * 8);
        for (std::size_t block = 0; i + 8 <= end; i += 8, ++block) {
            const __m128i match =
                _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi16(load(i), first),
                                            _mm_cmpeq_epi16(load(i + secondOffset), second)),
                              _mm_cmpeq_epi16(load(i + length - 1), final));
            hits.Note(block, static_cast<std::uint32_t>(_mm_movemask_epi8(match)));
        }
        hits.Flush(start, 8, report);
    }
#endif
    for (; i <= last; ++i) {
        if (units[i] == find[0] && SameUnitsBetween(units + i, find, 1, length)) {
            found(i);
        }
    }
}

// Calls `found(at)` for every position `at` of `text` that holds one of `units` (at most eight),
// in order: one scan, eight units at a time, which may run ahead of the calls.
template <typename Found>
void ForEachOf(std::u16string_view text, std::u16string_view units, Found found) {
    const char16_t* in = text.data();
    std::size_t i = 0;
#if defined(__SSE2__)
    __m128i wanted[8];
    for (std::size_t k = 0; k < units.size(); ++k) {
        wanted[k] = _mm_set1_epi16(static_cast<short>(units[k]));
    }
    BlockHits hits;
    while (i + 8 <= text.size()) {
        const std::size_t start = i;
        const std::size_t end = std::min(text.size(), i + BlockHits::Batch * 8);
        for (std::size_t block = 0; i + 8 <= end; i += 8, ++block) {
            const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
            __m128i match = _mm_setzero_si128();
            for (std::size_t k = 0; k < units.size(); ++k) {
                match = _mm_or_si128(match, _mm_cmpeq_epi16(here, wanted[k]));
            }
            hits.Note(block, static_cast<std::uint32_t>(_mm_movemask_epi8(match)));
        }
        hits.Flush(start, 8, found);
    }
#endif
    for (; i < text.size(); ++i) {
        if (units.find(in[i]) != npos) {
            found(i);
        }
    }
}

// Replaces every occurrence of `find` in `text` that `accept(text, at)` takes by `replacement`,
// which is no longer than `find`, and returns whether it replaced any. The text is rewritten
// where it is: the units behind the read position are final, and the search and `accept` look
// only at units from the match on, which are not yet written, so this finds the same matches as
// building a new text.
template <typename Accept>
bool ReplaceShrinkingWhere(std::u16string& text, std::u16string_view find,
                           std::u16string_view replacement, Accept accept) {
    char16_t* units = text.data();
    const std::u16string_view view(text);
    const std::size_t size = text.size();
    std::size_t written = 0;
    std::size_t read = 0;
    ForEachOccurrence(view, find, [&](std::size_t at) {
        if (at < read || !accept(view, at)) {  // overlapping a match taken, or not taken
            return;
        }
        if (written != read) {
            std::memmove(units + written, units + read, (at - read) * sizeof(char16_t));
        }
        written += at - read;
        std::copy(replacement.begin(), replacement.end(), units + written);
        written += replacement.size();
        read = at + find.size();
    });
    if (read == 0) {
        return false;
    }
    std::memmove(units + written, units + read, (size - read) * sizeof(char16_t));
    text.resize(written + (size - read));
    return true;
}

// Replaces every occurrence of `find` in `text`; `scratch` is the buffer the result is built in
// (and holds the old text afterwards). Returns whether anything was replaced.
bool ReplaceInPlace(std::u16string& text, std::u16string_view find, std::u16string_view replacement,
                    std::u16string& scratch);

// Applies `rows` in order to `text`, as ApplyTable does.
void ApplyRowsInPlace(std::u16string& text, std::span<const ReplaceRow> rows,
                      std::u16string& scratch);

// Leaves in `text` the units of `from` changed by `transform(in, out, count)`, which writes the
// changed form of `count` units from `in` to `out` (possibly the same place). `from` may be
// `text` itself; otherwise `text` is written once, through a small buffer, rather than copied
// first and rewritten after.
template <typename Transform>
void TransformInto(std::u16string_view from, std::u16string& text, Transform transform) {
    if (from.data() == text.data() && from.size() == text.size()) {
        transform(text.data(), text.data(), text.size());
        return;
    }
    text.clear();
    text.reserve(from.size());
    std::array<char16_t, 2048> buffer;
    for (std::size_t at = 0; at < from.size(); at += buffer.size()) {
        const std::size_t count = std::min(buffer.size(), from.size() - at);
        transform(from.data() + at, buffer.data(), count);
        text.append(buffer.data(), count);
    }
}

// Leaves the units of `from` in `text`, which may hold them already.
inline void Take(std::u16string_view from, std::u16string& text) {
    if (from.data() != text.data() || from.size() != text.size()) {
        text.assign(from);
    }
}

// Lower-cases with ToLower: `size` units into `out` (which may be `units`), or `from` into
// `text`.
void ToLowerUnits(const char16_t* units, char16_t* out, std::size_t size);
void ToLowerInto(std::u16string_view from, std::u16string& text);

// A set of up to 64 table rows, one bit per row.
using RowSet = std::uint64_t;

// A replacement table prepared for applying many rows in one scan instead of one scan per row.
//
// A unit that no find string holds (a "barrier") can never be part of a match, and stays where
// it is while the rows run, so the table gives the same text when applied separately to every
// run of units between barriers. One scan splits the text into such runs and notes, for each, the
// rows whose find string's first two and last two units both occur in it; a run with no such row
// is copied unchanged, and only the noted rows are applied to the others, plus the rows that an
// applied row's replacement could have made possible.
//
// Only consecutive rows whose find strings hold no space are gathered so (the space then
// separates the runs, which stay short), and only when there are enough of them to be worth a
// scan of their own: a group of rows that match almost every word (the letter swaps) is faster
// row by row. All other rows are applied one by one with the block search.
class CompiledTable {
  public:
    explicit CompiledTable(std::span<const ReplaceRow> rows, std::size_t minimumGroup = 12);

    // Applies the rows in order, as ApplyTable does.
    void Apply(std::u16string& text, std::u16string& scratch) const;

    // The rows whose find string starts, and those whose find string ends, with a pair of units
    // (a one-unit find string counts with every unit before it).
    struct PairRows {
        RowSet Starting = 0;
        RowSet Ending = 0;
    };

    struct Group {
        std::span<const ReplaceRow> Rows;
        bool Scanned = false;                 // false: the rows run one by one
        std::vector<std::uint8_t> UnitClass;  // 65536 entries; 0 for barriers
        std::size_t Classes = 0;              // classes in use, barrier included
        std::vector<PairRows> Pairs;          // [previous class * Classes + class]
        std::vector<RowSet> MadePossible;     // per row: later rows its replacement can create
    };

  private:
    static Group Compile(std::span<const ReplaceRow> rows);
    static bool ApplyGroup(const Group& group, std::u16string_view text, std::u16string& out,
                           std::u16string& run, std::u16string& runScratch);

    std::vector<Group> groups_;
};

}  // namespace schnackomat::detail

namespace schnackomat::detail {

// Whether every row of `table` turns one unit below 256 into one unit.
constexpr bool IsUnitTable(std::span<const ReplaceRow> table) {
    for (const ReplaceRow& row : table) {
        if (row.Find.size() != 1 || row.Replacement.size() != 1 || row.Find[0] >= 256) {
            return false;
        }
    }
    return true;
}

// Rows that each turn one unit into one unit can be applied in a single pass: following every
// unit through the rows in order gives what the rows give one after the other, because such a
// row only ever looks at one unit.
//
// Beside the map itself, the units that change are grouped by their high four bits, each group
// with what its sixteen units become, so that a table lookup can translate sixteen units at a
// time; this works when every unit becomes one below 256.
struct UnitMap {
    std::array<char16_t, 256> Units{};
    bool Narrow = true;                                  // every unit becomes one below 256
    std::size_t Groups = 0;                              // groups with a unit that changes
    std::array<std::uint8_t, 16> High{};                 // per group: the high four bits
    std::array<std::array<std::uint8_t, 16>, 16> Low{};  // per group: what its units become
};

constexpr UnitMap MakeUnitMap(std::span<const ReplaceRow> first,
                              std::span<const ReplaceRow> second = {}) {
    UnitMap map{};
    for (std::size_t unit = 0; unit < map.Units.size(); ++unit) {
        char16_t mapped = static_cast<char16_t>(unit);
        for (std::span<const ReplaceRow> table : {first, second}) {
            for (const ReplaceRow& row : table) {
                if (mapped == row.Find[0]) {
                    mapped = row.Replacement[0];
                }
            }
        }
        map.Units[unit] = mapped;
        map.Narrow = map.Narrow && mapped < 256;
    }
    for (std::size_t high = 0; high < 16 && map.Narrow; ++high) {
        std::array<std::uint8_t, 16> low{};
        bool changes = false;
        for (std::size_t unit = 0; unit < 16; ++unit) {
            const std::size_t at = high * 16 + unit;
            low[unit] = static_cast<std::uint8_t>(map.Units[at]);
            changes = changes || map.Units[at] != at;
        }
        if (changes) {
            map.High[map.Groups] = static_cast<std::uint8_t>(high);
            map.Low[map.Groups] = low;
            ++map.Groups;
        }
    }
    return map;
}

// Writes the `size` units at `units` translated by `map` to `out`, which may be `units`.
void MapUnits(const char16_t* units, char16_t* out, std::size_t size, const UnitMap& map);

// Leaves in `text` the units of `from` (which may be `text` itself) translated by `map`.
inline void ApplyUnitMap(std::u16string_view from, std::u16string& text, const UnitMap& map) {
    TransformInto(from, text, [&map](const char16_t* units, char16_t* out, std::size_t size) {
        MapUnits(units, out, size, map);
    });
}

// Whether no row of `table` holds `unit`, in its find string or its replacement. A table without
// line breaks cannot match across one, nor make or take one, so it gives the same text when
// applied to the parts of a text cut just after a line break.
constexpr bool LeavesUnitAlone(std::span<const ReplaceRow> table, char16_t unit) {
    for (const ReplaceRow& row : table) {
        if (row.Find.find(unit) != std::u16string_view::npos ||
            row.Replacement.find(unit) != std::u16string_view::npos) {
            return false;
        }
    }
    return true;
}

// Texts at least this long are converted in two parts at once, on two threads; shorter ones are
// not worth starting a thread for. Without threads no text is long enough.
inline constexpr std::size_t TwoThreadMinimum =
    SCHNACKOMAT_ENGINE_THREADS ? std::size_t{256 * 1024} : std::numeric_limits<std::size_t>::max();

// Where to cut `text` in two: just after the first line break past the middle (or the last one
// before it); 0 when the text is too short, has no line break, or only one at its end.
inline std::size_t LineBreakCut(std::u16string_view text) {
    if (text.size() < TwoThreadMinimum) {
        return 0;
    }
    std::size_t at = Find(text, u"\n", text.size() / 2);
    if (at == npos) {
        at = text.rfind(u'\n', text.size() / 2);
    }
    return at == npos || at + 1 >= text.size() ? 0 : at + 1;
}

// Runs `work(from, part, scratch, isTail)` on the units of `source` before and from `cut` (0: on
// the whole text) at the same time, the second part on a thread of its own, and puts the two
// results together in `text`. `work` leaves in `part` its result for the units `from`, which may
// be `part` itself; it must give the same text on the parts as on the whole. `source` may be
// `text` itself, and is then worked on in place.
template <typename Work>
void InTwoParts(std::u16string_view source, std::u16string& text, std::size_t cut,
                std::u16string& scratch, Work work) {
    if (cut == 0) {
        work(source, text, scratch, false);
        return;
    }
#if SCHNACKOMAT_ENGINE_THREADS
    const bool inPlace = source.data() == text.data();
    std::u16string_view tailSource = source.substr(cut);
    // The second part's buffers come from this thread, with room for the slang stages' growth:
    // memory the helper thread allocated itself would go back to the system when it ends.
    const std::size_t room = tailSource.size() + tailSource.size() / 2 + 64;
    std::u16string tail;
    std::u16string tailScratch;
    tail.reserve(room);
    tailScratch.reserve(room);
    if (inPlace) {  // the first part's stages may give its buffer up: the tail moves out first
        tail.assign(tailSource);
        tailSource = tail;
        text.resize(cut);
    }
    std::exception_ptr failure;
    {
        std::jthread helper([&] {
            try {
                work(tailSource, tail, tailScratch, true);
            } catch (...) {
                failure = std::current_exception();
            }
        });
        work(inPlace ? std::u16string_view(text) : source.substr(0, cut), text, scratch, false);
    }  // joins the helper
    if (failure) {
        std::rethrow_exception(failure);
    }
    text += tail;
#endif
}

}  // namespace schnackomat::detail
