// Speed and peak memory of the engine on German text (Debian's fortunes-de), beside the
// reference pipeline. Sizes are in bytes of UTF-8 corpus text; the engine works on the decoded
// UTF-16 text, whose unit count the output shows. Peak memory is what one call allocates at its
// highest point (the result included), divided by the UTF-16 text's size in bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "fast_text.h"  // the engine's fast-path switches
#include "parts.h"
#include "scan.h"
#include "schnackomat/app/memory.h"
#include "schnackomat/conversion.h"
#include "schnackomat/matrix.h"
#include "schnackomat/reference/corpus.h"
#include "schnackomat/reference/reference.h"

namespace schnackomat::bench {
namespace {

namespace ref = schnackomat::reference;

struct Size {
    const char* Name;
    std::size_t Utf8Bytes;
    bool WithReference;
};
constexpr Size Sizes[] = {
    {"1KiB", 1024, true},
    {"100KiB", 100 * 1024, true},
    {"1MiB", 1024 * 1024, true},
    {"10MiB", 10 * 1024 * 1024, false},
};

ConversionOptions Options(std::string_view flags) {
    ConversionOptions options;
    options.SlangStyle = flags.find('S') != std::string_view::npos;
    options.LeetCharacters = flags.find('L') != std::string_view::npos;
    options.LeetWords = flags.find('W') != std::string_view::npos;
    options.MatrixStyle = flags.find('M') != std::string_view::npos;
    options.MatrixKey = std::u16string(DefaultMatrixKey);
    return options;
}

const std::u16string& Corpus(std::size_t utf8Bytes) {
    static std::map<std::size_t, std::u16string> texts;
    auto [entry, added] = texts.try_emplace(utf8Bytes);
    if (added) {
        entry->second = ref::CorpusText(utf8Bytes);
    }
    return entry->second;
}

// A fixed random source, so that every run codes the same letters.
class CountingRandomSource final : public RandomSource {
  public:
    std::uint32_t NextBelow(std::uint32_t bound) override {
        return (state_ = state_ * 1103515245u + 12345u) % bound;
    }

  private:
    std::uint32_t state_ = 1;
};

// One conversion of `input`; returns the length of what it produced.
using Conversion = std::function<std::size_t(std::u16string_view input)>;

// Times `convert` on `input`, and reports the peak memory of one call and the input's length.
void Measure(benchmark::State& state, const std::u16string& input, const Conversion& convert) {
    ResetPeak();
    const std::size_t before = AllocatedBytes();
    const std::size_t outputUnits = convert(input);
    const double peak = static_cast<double>(PeakBytes() - before);
    for (auto _ : state) {
        benchmark::DoNotOptimize(convert(input));
    }
    state.counters["units"] = static_cast<double>(input.size());
    state.counters["out_units"] = static_cast<double>(outputUnits);
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["peak_x"] = peak / static_cast<double>(2 * input.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 2 * input.size()));
}

// The forward output of the engine for `flags` on a corpus text, the input of the reverse runs.
const std::u16string& ForwardOutput(std::string_view flags, std::size_t utf8Bytes) {
    static std::map<std::pair<std::string, std::size_t>, std::u16string> outputs;
    auto [entry, added] = outputs.try_emplace({std::string(flags), utf8Bytes});
    if (added) {
        CountingRandomSource random;
        entry->second = ConvertForward(Corpus(utf8Bytes), Options(flags), random).Text;
    }
    return entry->second;
}

std::size_t Length(const BackResult& result) {
    return std::holds_alternative<std::u16string>(result) ? std::get<std::u16string>(result).size()
                                                          : 0;
}

// The ten pieces of the 10 MiB text, each about 1 MiB; for flags, the forward output of each
// (the reverse runs' input).
constexpr std::size_t Pieces = 10;
const std::vector<std::u16string>& PieceInputs(const std::string& flags) {
    static std::map<std::string, std::vector<std::u16string>> inputs;
    auto [entry, added] = inputs.try_emplace(flags);
    if (added) {
        const std::u16string& text = Corpus(10 * 1024 * 1024);
        for (std::size_t k = 0; k < Pieces; ++k) {
            const std::u16string piece =
                text.substr(k * text.size() / Pieces, text.size() / Pieces);
            CountingRandomSource random;
            entry->second.push_back(
                flags.empty() ? piece : ConvertForward(piece, Options(flags), random).Text);
        }
    }
    return entry->second;
}

// Times `convert` on one piece after the other, so that no call finds its text in the caches or
// the branch history from the call before, as a call on the same text does.
void MeasurePieces(benchmark::State& state, const std::vector<std::u16string>& inputs,
                   const Conversion& convert) {
    std::size_t next = 0;
    double units = 0;
    for (auto _ : state) {
        const std::u16string& input = inputs[next];
        benchmark::DoNotOptimize(convert(input));
        units += static_cast<double>(input.size());
        next = (next + 1) % inputs.size();
    }
    state.counters["units"] = units / static_cast<double>(state.iterations());
    state.counters["peak_x"] = 0;
}

void Register(const std::string& name, std::function<const std::u16string&()> input,
              Conversion convert, int repetitions) {
    benchmark::RegisterBenchmark(name.c_str(),
                                 [input = std::move(input), convert = std::move(convert)](
                                     benchmark::State& state) { Measure(state, input(), convert); })
        ->Unit(benchmark::kMicrosecond)
        ->MinTime(0.1)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly(true);
}

void RegisterPieces(const std::string& name, std::string flags, Conversion convert) {
    benchmark::RegisterBenchmark(
        name.c_str(),
        [flags = std::move(flags), convert = std::move(convert)](benchmark::State& state) {
            MeasurePieces(state, PieceInputs(flags), convert);
        })
        ->Unit(benchmark::kMicrosecond)
        ->MinTime(0.1)
        ->Repetitions(7)
        ->ReportAggregatesOnly(true);
}

void RegisterAll() {
    const std::vector<std::string> flagSets = {"S", "L", "W", "SLW", "LW", "M", "SM"};
    for (const Size& size : Sizes) {
        std::vector<std::string> sets = flagSets;
        if (size.Utf8Bytes == 1024) {  // every combination at the smallest size
            sets.clear();
            for (unsigned bits = 1; bits < 16; ++bits) {
                std::string flags;
                flags += (bits & 1) ? "S" : "";
                flags += (bits & 2) ? "L" : "";
                flags += (bits & 4) ? "W" : "";
                flags += (bits & 8) ? "M" : "";
                sets.push_back(flags);
            }
        }
        const std::size_t bytes = size.Utf8Bytes;
        auto corpus = [bytes]() -> const std::u16string& { return Corpus(bytes); };
        for (const std::string& flags : sets) {
            const ConversionOptions options = Options(flags);
            for (bool engine : {true, false}) {
                if (!engine && !size.WithReference) {
                    continue;
                }
                const std::string who = engine ? "engine" : "reference";
                const int repetitions = engine ? 7 : 3;
                Register(
                    "Forward/" + flags + "/" + size.Name + "/" + who, corpus,
                    [options, engine](std::u16string_view text) {
                        CountingRandomSource random;
                        return engine ? ConvertForward(text, options, random).Text.size()
                                      : ref::ConvertForward(text, options, random).Text.size();
                    },
                    repetitions);
                Register(
                    "Back/" + flags + "/" + size.Name + "/" + who,
                    [flags, bytes]() -> const std::u16string& {
                        return ForwardOutput(flags, bytes);
                    },
                    [options, engine](std::u16string_view text) {
                        return Length(engine ? ConvertBack(text, options)
                                             : ref::ConvertBack(text, options));
                    },
                    repetitions);
            }
        }
        if (bytes == 1024 * 1024) {  // also on ten different pieces of that size in turn
            for (const std::string& flags : sets) {
                const ConversionOptions options = Options(flags);
                RegisterPieces("Forward/" + flags + "/1MiBx10/engine", "",
                               [options](std::u16string_view text) {
                                   CountingRandomSource random;
                                   return ConvertForward(text, options, random).Text.size();
                               });
                RegisterPieces("Back/" + flags + "/1MiBx10/engine", flags,
                               [options](std::u16string_view text) {
                                   return Length(ConvertBack(text, options));
                               });
            }
        }
        for (bool engine : {true, false}) {
            if (!engine && !size.WithReference) {
                continue;
            }
            const std::string who = engine ? "engine" : "reference";
            const int repetitions = engine ? 7 : 3;
            Register(
                "MatrixEncode/" + std::string(size.Name) + "/" + who, corpus,
                [engine](std::u16string_view text) {
                    CountingRandomSource random;
                    return engine ? MatrixEncode(text, DefaultMatrixKey, random).size()
                                  : ref::MatrixEncode(text, DefaultMatrixKey, random).size();
                },
                repetitions);
            Register(
                "MatrixDecode/" + std::string(size.Name) + "/" + who,
                [bytes]() -> const std::u16string& { return ForwardOutput("M", bytes); },
                [engine](std::u16string_view text) {
                    return Length(engine ? MatrixDecode(text, DefaultMatrixKey)
                                         : ref::MatrixDecode(text, DefaultMatrixKey));
                },
                repetitions);
        }
    }
}

// Passes every run on to the console and keeps the medians for the summary table.
class SummaryReporter final : public benchmark::ConsoleReporter {
  public:
    struct Figures {
        double Microseconds = 0;
        double PeakTimes = 0;
        double Units = 0;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                Figures& figures = medians_[run.run_name.function_name];
                figures.Microseconds = run.GetAdjustedRealTime();
                figures.PeakTimes = run.counters.at("peak_x").value;
                figures.Units = run.counters.at("units").value;
            }
        }
    }

    // Engine and reference medians side by side, the speed-up, peak memory and the growth from
    // 1 MiB to 10 MiB.
    void PrintSummary() const {
        std::printf("\n%-28s %12s %14s %9s %8s %10s %8s\n", "median (UTF-8 sizes)", "engine us",
                    "reference us", "speed-up", "peak x", "10MiB/1MiB", "/10x1MiB");
        for (const auto& [name, figures] : medians_) {
            const std::string suffix = "/engine";
            if (!name.ends_with(suffix)) {
                continue;
            }
            const std::string base = name.substr(0, name.size() - suffix.size());
            const auto reference = medians_.find(base + "/reference");
            std::printf("%-28s %12.1f", base.c_str(), figures.Microseconds);
            if (reference != medians_.end()) {
                std::printf(" %14.1f %8.1fx", reference->second.Microseconds,
                            reference->second.Microseconds / figures.Microseconds);
            } else {
                std::printf(" %14s %9s", "-", "-");
            }
            if (base.ends_with("/1MiBx10")) {
                std::printf(" %8s", "-");  // not measured on the pieces
            } else {
                std::printf(" %8.2f", figures.PeakTimes);
            }
            if (base.ends_with("/10MiB")) {
                const std::string stem = base.substr(0, base.size() - 5);
                const auto small = medians_.find(stem + "1MiB/engine");
                if (small != medians_.end()) {
                    std::printf(" %9.2fx", figures.Microseconds / small->second.Microseconds);
                }
                // Against ten calls on different pieces of 1 MiB, which a call on the same text
                // does not run into: the caches and the branch history hold the last text.
                const auto pieces = medians_.find(stem + "1MiBx10/engine");
                if (pieces != medians_.end()) {
                    std::printf("  %6.2fx", figures.Microseconds / pieces->second.Microseconds /
                                                static_cast<double>(Pieces));
                }
            }
            std::printf("\n");
        }
    }

  private:
    std::map<std::string, Figures> medians_;
};

}  // namespace
}  // namespace schnackomat::bench

int main(int argc, char** argv) {
    using namespace schnackomat;
    // The allocator is set up as the program sets it at start-up, unless asked for the C
    // library's defaults (which map and clear every buffer above 32 MiB afresh on each call).
    bool defaultAllocator = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--default-allocator") {
            defaultAllocator = true;
            std::copy(argv + i + 1, argv + argc, argv + i);
            --argc;
            break;
        }
    }
    // --without=NAME turns a fast path of the engine off, for measuring what it buys.
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (!argument.starts_with("--without=")) {
            continue;
        }
        const std::string_view name = argument.substr(10);
        if (name == "two-parts") {
            detail::UseTwoParts(false);
        } else if (name == "compiled-tables") {
            detail::FastPathSwitches().CompiledTables = false;
        } else if (name == "in-place-rows") {
            detail::FastPathSwitches().InPlaceRows = false;
        } else if (name == "block-scans") {
            detail::UseInstructionSet(detail::InstructionSet::Scalar);
        } else if (name == "avx2") {
            detail::UseInstructionSet(detail::InstructionSet::Sse2);
        } else {
            std::fprintf(stderr, "--without: unknown fast path %s\n", argv[i]);
            return 2;
        }
        std::printf("Without: %s\n", argv[i] + 10);
        std::copy(argv + i + 1, argv + argc, argv + i);
        --argc;
        --i;
    }
    if (!defaultAllocator) {
        app::KeepLargeBuffersForReuse();
    }
    std::printf("Allocator: %s\n", defaultAllocator
                                       ? "C library defaults"
                                       : "large buffers kept for reuse, as in the program");
    if (reference::CorpusText(16).empty()) {
        std::fprintf(stderr, "fortunes-de is not installed (%s); bench/run installs it.\n",
                     reference::CorpusDirectory.data());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    bench::RegisterAll();
    bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}
