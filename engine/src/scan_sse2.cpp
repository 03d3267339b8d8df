// The block kernels for SSE2: eight units at a time.
#include "scan.h"

#if defined(__SSE2__)
#include <emmintrin.h>

#include "schnackomat/text.h"

namespace schnackomat::detail {
namespace {

constexpr std::size_t Width = 8;

__m128i Load(const char16_t* units) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
}

__m128i Spread(char16_t unit) {
    return _mm_set1_epi16(static_cast<short>(unit));
}

std::uint32_t Mask(__m128i hits) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(hits));
}

struct OccurrenceUnits {
    __m128i First;
    __m128i Second;
    __m128i Last;

    explicit OccurrenceUnits(const OccurrenceKey& key)
        : First(Spread(key.First)), Second(Spread(key.Second)), Last(Spread(key.Last)) {}

    std::uint32_t At(const char16_t* units, const OccurrenceKey& key) const {
        return Mask(
            _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi16(Load(units), First),
                                        _mm_cmpeq_epi16(Load(units + key.SecondOffset), Second)),
                          _mm_cmpeq_epi16(Load(units + key.LastOffset), Last)));
    }
};

std::uint32_t NextOccurrence(const char16_t* units, std::size_t& i, std::size_t end,
                             const OccurrenceKey& key) {
    const OccurrenceUnits wanted(key);
    for (; i + Width <= end; i += Width) {
        if (const std::uint32_t mask = wanted.At(units + i, key); mask != 0) {
            return mask;
        }
    }
    return 0;
}

void NoteOccurrences(const char16_t* units, std::size_t i, std::size_t blocks,
                     const OccurrenceKey& key, BlockHits& hits) {
    const OccurrenceUnits wanted(key);
    const OccurrenceKey offsets = key;  // a local: stores into `hits` cannot change it
    std::size_t noted = hits.Count;
    for (std::size_t block = 0; block < blocks; ++block, i += Width) {
        noted = hits.Note(noted, block, wanted.At(units + i, offsets));
    }
    hits.Count = noted;
}

struct SetUnits {
    __m128i Wanted[8];
    std::size_t Count;

    explicit SetUnits(const UnitSet& set) : Count(set.Count) {
        for (std::size_t k = 0; k < Count; ++k) {
            Wanted[k] = Spread(set.Units[k]);
        }
    }

    std::uint32_t At(const char16_t* units) const {
        const __m128i here = Load(units);
        __m128i match = _mm_setzero_si128();
        for (std::size_t k = 0; k < Count; ++k) {
            match = _mm_or_si128(match, _mm_cmpeq_epi16(here, Wanted[k]));
        }
        return Mask(match);
    }
};

std::uint32_t NextOf(const char16_t* units, std::size_t& i, std::size_t end, const UnitSet& set) {
    const SetUnits wanted(set);
    for (; i + Width <= end; i += Width) {
        if (const std::uint32_t mask = wanted.At(units + i); mask != 0) {
            return mask;
        }
    }
    return 0;
}

void NoteOf(const char16_t* units, std::size_t i, std::size_t blocks, const UnitSet& set,
            BlockHits& hits) {
    const SetUnits wanted(set);
    std::size_t noted = hits.Count;
    for (std::size_t block = 0; block < blocks; ++block, i += Width) {
        noted = hits.Note(noted, block, wanted.At(units + i));
    }
    hits.Count = noted;
}

std::uint32_t NextSpacedMarker(const char16_t* units, std::size_t& i, std::size_t end) {
    const __m128i space = Spread(u' ');
    const __m128i zero = Spread(u'0');
    for (; i + Width <= end; i += Width) {
        const char16_t* at = units + i;
        const __m128i hits = _mm_and_si128(
            _mm_and_si128(_mm_cmpeq_epi16(Load(at), space), _mm_cmpeq_epi16(Load(at + 6), space)),
            _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi16(Load(at + 1), zero),
                                        _mm_cmpeq_epi16(Load(at + 3), zero)),
                          _mm_cmpeq_epi16(Load(at + 5), zero)));
        if (const std::uint32_t mask = Mask(hits); mask != 0) {
            return mask;
        }
    }
    return 0;
}

void NoteEndings(const char16_t* units, std::size_t i, std::size_t blocks, const EndingPairs& pairs,
                 BlockHits& hits) {
    const __m128i first0 = Spread(pairs.First[0]);
    const __m128i first1 = Spread(pairs.First[1]);
    const __m128i second0 = Spread(pairs.Second[0]);
    const __m128i second1 = Spread(pairs.Second[1]);
    const __m128i rangeBits = Spread(0xFFE0);
    const __m128i range = Spread(0x0020);
    // Signed comparisons, for which every unit from 0x8000 on is below the digits.
    const __m128i belowDigits = Spread(u'0' - 1);
    const __m128i aboveDigits = Spread(u'9' + 1);
    // The pairs that start at i to i + 7, and the units after them.
    std::size_t noted = hits.Count;
    for (std::size_t block = 0; block < blocks; ++block, i += Width) {
        const __m128i here = Load(units + i);
        const __m128i next = Load(units + i + 1);
        const __m128i pair = _mm_or_si128(
            _mm_and_si128(_mm_cmpeq_epi16(here, first0), _mm_cmpeq_epi16(next, first1)),
            _mm_and_si128(_mm_cmpeq_epi16(here, second0), _mm_cmpeq_epi16(next, second1)));
        const __m128i after = Load(units + i + 2);
        const __m128i digits =
            _mm_and_si128(_mm_cmpgt_epi16(after, belowDigits), _mm_cmplt_epi16(after, aboveDigits));
        const __m128i stemEnds =
            _mm_andnot_si128(digits, _mm_cmpeq_epi16(_mm_and_si128(after, rangeBits), range));
        noted = hits.Note(noted, block, Mask(_mm_and_si128(pair, stemEnds)));
    }
    hits.Count = noted;
}

// Eight units at a time while they are all ASCII, where only "A" to "Z" change.
std::size_t LowerAscii(const char16_t* units, char16_t* out, std::size_t size) {
    const __m128i nonAscii = Spread(0xFF80);
    const __m128i capitalA = Spread(u'A');
    const __m128i letters = Spread(26);
    const __m128i caseBit = Spread(0x20);
    std::size_t i = 0;
    for (; i + Width <= size; i += Width) {
        __m128i block = Load(units + i);
        if (Mask(_mm_cmpeq_epi16(_mm_and_si128(block, nonAscii), _mm_setzero_si128())) != 0xFFFF) {
            for (std::size_t k = i; k < i + Width; ++k) {
                out[k] = ToLower(units[k]);
            }
            continue;
        }
        const __m128i offset = _mm_sub_epi16(block, capitalA);  // ASCII, so no overflow
        const __m128i capital = _mm_and_si128(_mm_cmpgt_epi16(offset, Spread(0xFFFF)),
                                              _mm_cmplt_epi16(offset, letters));
        block = _mm_or_si128(block, _mm_and_si128(capital, caseBit));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), block);
    }
    return i;
}

constexpr BlockScans Kernels{
    .Width = Width,
    .OccurrenceMinimum = 0,
    .NextOccurrence = NextOccurrence,
    .NoteOccurrences = NoteOccurrences,
    .NextOf = NextOf,
    .NoteOf = NoteOf,
    .NextSpacedMarker = NextSpacedMarker,
    .NoteEndings = NoteEndings,
    .LowerAscii = LowerAscii,
    .Map = nullptr,
};

}  // namespace

const BlockScans* Sse2Scans() {
    return &Kernels;
}

}  // namespace schnackomat::detail

#else

namespace schnackomat::detail {

const BlockScans* Sse2Scans() {
    return nullptr;
}

}  // namespace schnackomat::detail

#endif
