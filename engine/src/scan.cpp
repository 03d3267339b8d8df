#include "scan.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "schnackomat/text.h"

namespace schnackomat::detail {
namespace {

constexpr std::array<std::string_view, 3> Names{"scalar", "sse2", "avx2"};

// Read once, when the program starts, so that every conversion of a run uses the same scans.
InstructionSet FromEnvironment() {
    InstructionSetChoice choice =
        ChooseInstructionSet(std::getenv("SCHNACKOMAT_ISA"), BestInstructionSet());
    if (!choice.Complaint.empty()) {
        choice.Complaint += '\n';
        std::fputs(choice.Complaint.c_str(), stderr);
    }
    return choice.Set;
}

// Each instruction set's chain of kernels: its own and those below it, widest first.
const std::array<const BlockScans*, 2> wide{Avx2Scans(), Sse2Scans()};
const std::array<std::span<const BlockScans* const>, 3> chains{
    std::span<const BlockScans* const>(),               // scalar
    std::span(wide).subspan(1),                         // sse2
    std::span(wide).first(wide[1] != nullptr ? 2 : 1),  // avx2
};

std::atomic<InstructionSet> active{FromEnvironment()};
// The chain of the active set, looked up once per choice rather than on every scan; null only
// while the program's constructors run, when the scans use the scalar form.
std::atomic<const std::span<const BlockScans* const>*> activeChain{
    &chains[static_cast<std::size_t>(active.load())]};

bool SameUnits(const char16_t* a, const char16_t* b, std::size_t count) {
    if (count <= 8) {  // most find strings: cheaper than a call
        for (std::size_t k = 0; k < count; ++k) {
            if (a[k] != b[k]) {
                return false;
            }
        }
        return true;
    }
    return std::memcmp(a, b, count * sizeof(char16_t)) == 0;
}

}  // namespace

std::string_view InstructionSetName(InstructionSet set) {
    return Names[static_cast<std::size_t>(set)];
}

bool HasInstructionSet(InstructionSet set) {
    switch (set) {
        case InstructionSet::Scalar:
            return true;
        case InstructionSet::Sse2:
            return Sse2Scans() != nullptr;
        case InstructionSet::Avx2:
            return Avx2Scans() != nullptr;
    }
    return false;
}

InstructionSet BestInstructionSet() {
    for (InstructionSet set : {InstructionSet::Avx2, InstructionSet::Sse2}) {
        if (HasInstructionSet(set)) {
            return set;
        }
    }
    return InstructionSet::Scalar;
}

InstructionSetChoice ChooseInstructionSet(const char* requested, InstructionSet best,
                                          bool (*available)(InstructionSet)) {
    if (requested == nullptr || *requested == '\0') {
        return {best, {}};
    }
    const std::string_view name(requested);
    const auto* known = std::find(Names.begin(), Names.end(), name);
    const std::string fallback = "; using " + std::string(InstructionSetName(best));
    if (known == Names.end()) {
        return {best, "SCHNACKOMAT_ISA=" + std::string(name) +
                          ": unknown instruction set (scalar, sse2 or avx2)" + fallback};
    }
    const auto set = static_cast<InstructionSet>(known - Names.begin());
    if (!available(set)) {
        return {best, "SCHNACKOMAT_ISA=" + std::string(name) + ": not available on this processor" +
                          fallback};
    }
    return {set, {}};
}

InstructionSet ActiveInstructionSet() {
    return active.load(std::memory_order_relaxed);
}

void UseInstructionSet(InstructionSet set) {
    const InstructionSet used = HasInstructionSet(set) ? set : BestInstructionSet();
    active.store(used, std::memory_order_relaxed);
    activeChain.store(&chains[static_cast<std::size_t>(used)], std::memory_order_relaxed);
}

std::span<const BlockScans* const> ScanChain() {
    const auto* chain = activeChain.load(std::memory_order_relaxed);
    return chain != nullptr ? *chain : std::span<const BlockScans* const>();
}

std::size_t Find(std::u16string_view text, std::u16string_view find, std::size_t from) {
    const std::size_t length = find.size();
    if (length == 0 || from > text.size() || text.size() - from < length) {
        return npos;
    }
    const char16_t* units = text.data();
    const std::size_t end = text.size() - length + 1;  // past the last possible start
    std::size_t i = from;
    const OccurrenceKey key(find);
    const auto holds = [&](std::size_t at) {
        return SameUnits(units + at + 1, find.data() + 1, length - 1);
    };
    for (const BlockScans* scans : ScanChain()) {
        if (end - i > scans->OccurrenceMinimum) {
            const std::size_t at = FirstInBlocks(
                i, scans->Width,
                [&](std::size_t& at) { return scans->NextOccurrence(units, at, end, key); }, holds);
            if (at != npos) {
                return at;
            }
        }
    }
    for (; i < end; ++i) {
        if (units[i] == find[0] && holds(i)) {
            return i;
        }
    }
    return npos;
}

std::size_t FindAnyOf(std::u16string_view text, std::u16string_view units, std::size_t from) {
    const char16_t* in = text.data();
    const UnitSet set(units);
    std::size_t i = from;
    for (const BlockScans* scans : ScanChain()) {
        if (scans->NextOf != nullptr) {
            const std::size_t at = FirstInBlocks(
                i, scans->Width,
                [&](std::size_t& at) { return scans->NextOf(in, at, text.size(), set); },
                [](std::size_t) { return true; });
            if (at != npos) {
                return at;
            }
        }
    }
    for (; i < text.size(); ++i) {
        if (set.Holds(in[i])) {
            return i;
        }
    }
    return npos;
}

std::size_t FindSpacedMarker(std::u16string_view text, std::size_t from) {
    constexpr std::u16string_view spacedMarker = u" 00000 ";
    constexpr std::size_t length = spacedMarker.size();
    if (text.size() < length || from > text.size() - length) {
        return npos;
    }
    const char16_t* units = text.data();
    const std::size_t end = text.size() - length + 1;
    const auto holds = [&](std::size_t at) { return text.substr(at, length) == spacedMarker; };
    std::size_t i = from;
    for (const BlockScans* scans : ScanChain()) {
        const std::size_t at = FirstInBlocks(
            i, scans->Width,
            [&](std::size_t& at) { return scans->NextSpacedMarker(units, at, end); }, holds);
        if (at != npos) {
            return at;
        }
    }
    for (; i < end; ++i) {
        if (units[i] == u' ' && holds(i)) {
            return i;
        }
    }
    return npos;
}

void ToLowerUnits(const char16_t* units, char16_t* out, std::size_t size) {
    std::size_t i = 0;
    for (const BlockScans* scans : ScanChain()) {
        if (scans->LowerAscii != nullptr && i == 0) {
            i = scans->LowerAscii(units, out, size);
        }
    }
    for (; i < size; ++i) {
        out[i] = ToLower(units[i]);
    }
}

void MapUnits(const char16_t* units, char16_t* out, std::size_t size, const UnitMap& map) {
    std::size_t i = 0;
    for (const BlockScans* scans : ScanChain()) {
        if (scans->Map != nullptr && map.Narrow && i == 0) {
            i = scans->Map(units, out, size, map);
        }
    }
    for (; i < size; ++i) {
        out[i] = units[i] < 256 ? map.Units[units[i]] : units[i];
    }
}

}  // namespace schnackomat::detail
