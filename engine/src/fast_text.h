// The engine's internal text operations: the fast forms of the primitives in text.h that the
// stages use to rewrite one working string in place, with a scratch buffer reused between rows.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "scan.h"
#include "schnackomat/text.h"

namespace schnackomat::detail {

// Appends `text` with every occurrence of `find` replaced by `replacement` (as ReplaceAll does)
// to `out`. When `find` does not occur, appends nothing and returns false.
bool AppendReplaced(std::u16string& out, std::u16string_view text, std::u16string_view find,
                    std::u16string_view replacement);

// The stages' one replacement loop: copies `from` to `out` up to a match, appends the match's
// replacement, and copies on after it. Matches come in order and do not overlap. `out` may be the
// string `from` views when no replacement is longer than what it replaces: the text is then
// rewritten where it is, the units behind the read position being final. Otherwise `out` is
// appended to, and gets `room` more units reserved when the first match comes.
class Rewrite {
  public:
    Rewrite(std::u16string_view from, std::u16string& out, std::size_t room = 0,
            std::size_t copied = 0)
        : from_(from),
          out_(out),
          inPlace_(from.data() == out.data()),
          room_(room),
          copied_(copied),
          written_(copied) {}

    // Replaces the units from `at` up to `end` by `pieces` (strings or single units).
    template <typename... Pieces>
    void Replace(std::size_t at, std::size_t end, const Pieces&... pieces) {
        if (inPlace_) {
            char16_t* units = out_.data();
            if (written_ != copied_) {
                std::memmove(units + written_, units + copied_, (at - copied_) * sizeof(char16_t));
            }
            written_ += at - copied_;
            (Put(units, pieces), ...);
        } else {
            if (!replaced_) {
                out_.reserve(out_.size() + room_);
            }
            out_.append(from_.data() + copied_, at - copied_);
            ((out_ += pieces), ...);
        }
        copied_ = end;
        replaced_ = true;
    }

    // Where the units still to be copied start.
    std::size_t Copied() const { return copied_; }

    // Copies the units still to be copied up to `to` (not in place).
    void CopyTo(std::size_t to) {
        if (copied_ < to) {
            out_.append(from_.data() + copied_, to - copied_);
            copied_ = to;
        }
    }

    // Copies the rest, when anything was replaced, and returns whether anything was: `out` is
    // left as it was otherwise.
    bool Finish() {
        if (!replaced_) {
            return false;
        }
        if (inPlace_) {
            const std::size_t size = from_.size();
            std::memmove(out_.data() + written_, out_.data() + copied_,
                         (size - copied_) * sizeof(char16_t));
            out_.resize(written_ + (size - copied_));
        } else {
            CopyTo(from_.size());
        }
        return true;
    }

  private:
    void Put(char16_t* units, char16_t unit) { units[written_++] = unit; }
    void Put(char16_t* units, std::u16string_view piece) {
        std::copy(piece.begin(), piece.end(), units + written_);
        written_ += piece.size();
    }

    std::u16string_view from_;
    std::u16string& out_;
    bool inPlace_;
    bool replaced_ = false;
    std::size_t room_;
    std::size_t copied_;   // read position
    std::size_t written_;  // write position, in place
};

// Replaces every occurrence of `find` in `text` that `accept(text, at)` takes by `replacement`,
// which is no longer than `find`, and returns whether it replaced any. The text is rewritten
// where it is: the units behind the read position are final, and the search and `accept` look
// only at units from the match on, which are not yet written, so this finds the same matches as
// building a new text.
template <typename Accept>
bool ReplaceShrinkingWhere(std::u16string& text, std::u16string_view find,
                           std::u16string_view replacement, Accept accept) {
    const std::u16string_view view(text);
    Rewrite rewrite(view, text);
    ForEachOccurrence(view, find, [&](std::size_t at) {
        if (at >= rewrite.Copied() && accept(view, at)) {  // not overlapping a match taken
            rewrite.Replace(at, at + find.size(), replacement);
        }
    });
    return rewrite.Finish();
}

// Switches that turn a fast path off, for measuring what it buys in one run; all on unless a
// benchmark turns one off while no conversion runs.
struct FastPaths {
    bool CompiledTables = true;  // see CompiledTable
    bool InPlaceRows = true;     // see ReplaceInPlace
};
FastPaths& FastPathSwitches();

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

// Lower-cases `from` with ToLower into `text`, which may hold it already.
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
// row by row. All other rows are applied one by one with the block search. Buys up to 2x on the
// slang stages over applying every row with the block search (forward S, 1 KiB).
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

}  // namespace schnackomat::detail
