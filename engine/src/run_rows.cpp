// Rows applied run by run. A barrier is a unit that no find string of the rows holds: it is never
// part of a match, and no row takes it out, so the rows give the same text applied to each run of
// units between barriers on its own as applied to the whole text. A row can occur in a run only
// if the run holds its find string's first pair of units and its last pair (or its one unit).
// Each unit of a find string has a class (the barriers class 0), and for each pair of classes
// (the class before, 0 at the start of a run, and the class of a unit) a look-up gives the rows
// whose find string starts and those whose find string ends with that pair: one pass over the
// text, one look-up per unit, notes the rows each run holds, so that most runs, holding none, are
// copied as they are, and only the rows noted are tried on the others.
#include "run_rows.h"

#include <bit>

namespace schnackomat {
namespace {

constexpr std::size_t npos = std::u16string_view::npos;
constexpr std::size_t MaxRows = 64;

// ReplaceAll on `text` in place, written through `spare`: the buffers of a run are used for the
// next run again.
void ReplaceAllIn(std::u16string& text, std::u16string_view find, std::u16string_view replacement,
                  std::u16string& spare) {
    spare.clear();
    std::size_t copied = 0;
    for (std::size_t match = text.find(find); match != npos; match = text.find(find, copied)) {
        spare.append(text, copied, match - copied);
        spare += replacement;
        copied = match + find.size();
    }
    spare.append(text, copied);
    text.swap(spare);
}

}  // namespace

RunRows::RunRows(std::span<const ReplaceRow> rows) : rows_(rows) {
    for (const ReplaceRow& row : rows) {
        for (char16_t unit : row.Find) {
            if (ClassOf(unit) != 0) {
                continue;
            }
            if (unit < low_.size()) {
                low_[unit] = static_cast<std::uint8_t>(classes_++);
            } else {
                high_.push_back(unit);
                highClasses_.push_back(classes_++);
            }
        }
    }
    pairs_.assign(classes_ * classes_, PairRows{});
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::u16string_view find = rows[r].Find;
        const RowSet row = RowSet{1} << r;
        if (find.size() == 1) {
            for (std::size_t before = 0; before < classes_; ++before) {
                pairs_[before * classes_ + ClassOf(find[0])].Starting |= row;
                pairs_[before * classes_ + ClassOf(find[0])].Ending |= row;
            }
        } else {
            pairs_[ClassOf(find[0]) * classes_ + ClassOf(find[1])].Starting |= row;
            pairs_[ClassOf(find[find.size() - 2]) * classes_ + ClassOf(find.back())].Ending |= row;
        }
    }
}

std::size_t RunRows::GroupEnd(std::span<const ReplaceRow> table, std::size_t first) {
    std::u16string units;
    std::size_t end = first;
    for (; end < table.size() && end - first < MaxRows && !table[end].Find.empty(); ++end) {
        for (char16_t unit : table[end].Find) {
            if (units.find(unit) == npos) {
                units += unit;
            }
        }
        if (units.size() >= MaxClasses) {
            break;
        }
    }
    return end;
}

// Copies the text up to each run that holds a row, and that run rewritten.
bool RunRows::Apply(std::u16string_view text, std::u16string& out) const {
    HeldRun run = NextHeldRun(text, 0);
    if (run.Rows == 0) {
        return false;
    }
    out.clear();
    out.reserve(text.size() + text.size() / 8);
    std::size_t copied = 0;  // the units before this are in `out`
    std::u16string rewritten;
    std::u16string spare;
    for (; run.Rows != 0; run = NextHeldRun(text, run.End)) {
        out.append(text, copied, run.Start - copied);
        rewritten.assign(text, run.Start, run.End - run.Start);
        Rewrite(rewritten, run.Rows, spare);
        out += rewritten;
        copied = run.End;
    }
    out.append(text, copied);
    return true;
}

std::size_t RunRows::ClassOf(char16_t unit) const {
    if (unit < low_.size()) {
        return low_[unit];
    }
    for (std::size_t k = 0; k < high_.size(); ++k) {
        if (high_[k] == unit) {
            return highClasses_[k];
        }
    }
    return 0;
}

// The first run that starts at or after `from` and holds a row.
RunRows::HeldRun RunRows::NextHeldRun(std::u16string_view text, std::size_t from) const {
    const PairRows* pairs = pairs_.data();
    const std::size_t classes = classes_;
    std::size_t before = 0;  // where the pairs with the class of the unit before start
    RowSet starts = 0;       // the rows whose first pair the run holds
    RowSet ends = 0;         // and those whose last pair it holds
    std::size_t i = from;
    for (; i < text.size(); ++i) {
        const std::size_t unitClass = ClassOf(text[i]);
        // All ones at a barrier, which ends the run: the masks are cleared by arithmetic, as
        // a branch taken at every barrier, at random, makes the pass three times as slow.
        const RowSet barrier = RowSet{0} - RowSet{unitClass == 0};
        if ((starts & ends & barrier) != 0) {
            break;
        }
        const PairRows& pair = pairs[before + unitClass];
        starts = (starts | pair.Starting) & ~barrier;
        ends = (ends | pair.Ending) & ~barrier;
        before = unitClass * classes;
    }
    if ((starts & ends) == 0) {
        return {};
    }
    std::size_t start = i;  // looked for only for the runs that hold a row
    while (start > from && ClassOf(text[start - 1]) != 0) {
        --start;
    }
    return {start, i, starts & ends};
}

// The rows whose first and last pair `run` holds.
RunRows::RowSet RunRows::Held(std::u16string_view run) const {
    RowSet starts = 0;
    RowSet ends = 0;
    std::size_t before = 0;
    for (char16_t unit : run) {
        const PairRows& pair = pairs_[before * classes_ + ClassOf(unit)];
        starts |= pair.Starting;
        ends |= pair.Ending;
        before = ClassOf(unit);
    }
    return starts & ends;
}

// Applies to `run` the rows `held` notes, and those after them that each rewrite lets in.
void RunRows::Rewrite(std::u16string& run, RowSet held, std::u16string& spare) const {
    while (held != 0) {
        const std::size_t r = static_cast<std::size_t>(std::countr_zero(held));
        const RowSet later = r + 1 == MaxRows ? 0 : ~RowSet{0} << (r + 1);
        if (run.find(rows_[r].Find) == npos) {
            held &= later;
            continue;
        }
        ReplaceAllIn(run, rows_[r].Find, rows_[r].Replacement, spare);
        held = Held(run) & later;
    }
}

}  // namespace schnackomat
