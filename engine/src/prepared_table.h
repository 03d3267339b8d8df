// A replacement table prepared for applying its rows in a few passes over the text instead of one
// for each row (see prepared_table.cpp). The table stages prepare their constant tables once, on
// first use; ApplyTable prepares the table it is given on every call.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "schnackomat/text.h"

namespace schnackomat {

class PreparedTable {
  public:
    explicit PreparedTable(std::span<const ReplaceRow> table);
    ~PreparedTable();
    PreparedTable(const PreparedTable&) = delete;
    PreparedTable& operator=(const PreparedTable&) = delete;

    // What ApplyTable gives for the table: its rows in order, each on the result of the rows
    // before it.
    std::u16string Apply(std::u16string_view text) const;

  private:
    class RunRows;
    struct Group {
        std::span<const ReplaceRow> Rows;
        bool UnitRows = false;                // each turns one unit into one unit
        std::unique_ptr<const RunRows> Runs;  // or they are applied run by run, or (neither) the
                                              // one row with ReplaceAll
    };
    std::vector<Group> groups_;
};

}  // namespace schnackomat
