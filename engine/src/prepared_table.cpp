#include "prepared_table.h"

#include <array>

namespace schnackomat {
namespace {

bool TurnsUnitIntoUnit(const ReplaceRow& row) {
    return row.Find.size() == 1 && row.Replacement.size() == 1;
}

void MapUnits(std::u16string& text, std::span<const ReplaceRow> rows) {
    const auto map = [rows](char16_t unit) {
        for (const ReplaceRow& row : rows) {
            unit = unit == row.Find[0] ? row.Replacement[0] : unit;
        }
        return unit;
    };
    std::array<char16_t, 256> below256{};
    for (std::size_t unit = 0; unit < below256.size(); ++unit) {
        below256[unit] = map(static_cast<char16_t>(unit));
    }
    for (char16_t& unit : text) {
        unit = unit < below256.size() ? below256[unit] : map(unit);
    }
}

}  // namespace

PreparedTable::PreparedTable(std::span<const ReplaceRow> table) {
    std::size_t first = 0;
    while (first < table.size()) {
        std::size_t end = first + 1;
        Group group;
        if (TurnsUnitIntoUnit(table[first])) {
            while (end < table.size() && TurnsUnitIntoUnit(table[end])) {
                ++end;
            }
            group.UnitRows = true;
        } else if (const std::size_t groupEnd = RunRows::GroupEnd(table, first);
                   groupEnd > first + 1) {
            end = groupEnd;
            group.Runs = std::make_unique<const RunRows>(table.subspan(first, end - first));
        }
        group.Rows = table.subspan(first, end - first);
        groups_.push_back(std::move(group));
        first = end;
    }
}

std::u16string PreparedTable::Apply(std::u16string_view text) const {
    // The text as the groups so far left it: `text` itself until one of them changes it, then
    // `current`, which a group writes into `next` and swaps with.
    std::u16string current;
    std::u16string next;
    bool changed = false;
    const auto now = [&] { return changed ? std::u16string_view(current) : text; };
    for (const Group& group : groups_) {
        if (group.UnitRows) {
            if (!changed) {
                current.assign(text);
                changed = true;
            }
            MapUnits(current, group.Rows);
        } else if (group.Runs) {
            if (group.Runs->Apply(now(), next)) {
                current.swap(next);
                changed = true;
            }
        } else if (const ReplaceRow& row = group.Rows[0];
                   !row.Find.empty() && now().find(row.Find) != std::u16string_view::npos) {
            next = ReplaceAll(now(), row.Find, row.Replacement);
            current.swap(next);
            changed = true;
        }
    }
    if (!changed) {
        return std::u16string(text);
    }
    return current;
}

std::u16string ApplyTable(std::u16string_view text, std::span<const ReplaceRow> table) {
    return PreparedTable(table).Apply(text);
}

}  // namespace schnackomat
