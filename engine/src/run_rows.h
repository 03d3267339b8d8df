// Rows of a table applied to each run of units between barriers on its own, in one pass over the
// text for up to 64 rows (see run_rows.cpp).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "schnackomat/text.h"

namespace schnackomat {

class RunRows {
  public:
    // At most 64 rows, none with an empty find string, with fewer than MaxClasses units in their
    // find strings together.
    explicit RunRows(std::span<const ReplaceRow> rows);

    // Where the rows of `table` from `first` on that one RunRows can take end: at most 64 of
    // them, with fewer than MaxClasses units; `first` when even its own find string has too many
    // or is empty.
    static std::size_t GroupEnd(std::span<const ReplaceRow> table, std::size_t first);

    // Writes into `out` what the rows make of `text`; false, leaving `out` alone, when they
    // change nothing.
    bool Apply(std::u16string_view text, std::u16string& out) const;

  private:
    using RowSet = std::uint64_t;  // one bit for each row

    // For a pair of classes, the rows whose find string starts and those whose find string ends
    // with it.
    struct PairRows {
        RowSet Starting = 0;
        RowSet Ending = 0;
    };

    struct HeldRun {
        std::size_t Start = 0;
        std::size_t End = 0;
        RowSet Rows = 0;  // none when there is no such run
    };

    static constexpr std::size_t MaxClasses = 64;

    std::size_t ClassOf(char16_t unit) const;
    HeldRun NextHeldRun(std::u16string_view text, std::size_t from) const;
    RowSet Held(std::u16string_view run) const;
    void Rewrite(std::u16string& run, RowSet held, std::u16string& spare) const;

    std::span<const ReplaceRow> rows_;
    std::array<std::uint8_t, 256> low_{};   // the classes of the units below 256
    std::u16string high_;                   // the other units of the find strings
    std::vector<std::size_t> highClasses_;  // and their classes
    std::size_t classes_ = 1;               // class 0 included
    std::vector<PairRows> pairs_;           // [class before * classes_ + class]
};

}  // namespace schnackomat
