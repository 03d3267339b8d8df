// Speed and peak memory of the engine on German text (Debian's fortunes-de), on one thread: every
// option set forward and back at 1 KiB, 1 MiB and 10 MiB of UTF-8 text (the engine works on the
// decoded UTF-16 text). A back case reads the forward output of its option set. Each run is timed
// on its own; peak memory is what one conversion holds at its highest point (its result
// included) as a multiple of the UTF-16 text it was given, once the stages have prepared their
// tables (on their first use).
//
// Usage: schnackomat_engine_bench [--only NAME-PART] [--sizes 1KiB,1MiB,10MiB] [--runs N]
// (--runs sets the timed runs of every case; by default 301, 21 and 5 by size).
// It prints one line per case:
//   case=NAME size=BYTES p50_ms=X p95_ms=Y max_ms=Z cpu_p50_ms=C peak_x=P [growth_x=G] ok=yes|no
// with the times those of the wall clock but cpu_p50_ms, the processor time of the thread (which
// other programs on the machine take less from), growth_x at 10 MiB the p50 there divided by the
// p50 at 1 MiB, and ok telling whether every run gave the text of the first, and a Matrix text
// read back with its key gives the text it codes, lower-cased and without digits.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "allocation_counter.h"
#include "schnackomat/conversion.h"
#include "schnackomat/matrix.h"
#include "schnackomat/reference/corpus.h"
#include "schnackomat/text.h"

namespace {

using namespace schnackomat;

struct Size {
    std::string Name;
    std::size_t Utf8Bytes;
    int Runs;
};
const Size Sizes[] = {
    {"1KiB", 1024, 301},
    {"1MiB", 1024 * 1024, 21},
    {"10MiB", 10 * 1024 * 1024, 5},
};

// Option sets by their initials: S slang, L leet characters, W leet words, M Matrix code.
std::string Flags(unsigned bits) {
    std::string flags;
    flags += (bits & 1) != 0 ? "S" : "";
    flags += (bits & 2) != 0 ? "L" : "";
    flags += (bits & 4) != 0 ? "W" : "";
    flags += (bits & 8) != 0 ? "M" : "";
    return flags.empty() ? "none" : flags;
}

ConversionOptions Options(unsigned bits) {
    ConversionOptions options;
    options.SlangStyle = (bits & 1) != 0;
    options.LeetCharacters = (bits & 2) != 0;
    options.LeetWords = (bits & 4) != 0;
    options.MatrixStyle = (bits & 8) != 0;
    options.MatrixKey = std::u16string(DefaultMatrixKey);
    return options;
}

// The same random letters on every run, so that every run codes the same text.
class RepeatableRandomSource final : public RandomSource {
  public:
    std::uint32_t NextBelow(std::uint32_t bound) override {
        return (state_ = state_ * 1103515245u + 12345u) % bound;
    }

  private:
    std::uint32_t state_ = 1;
};

std::u16string Forward(std::u16string_view text, const ConversionOptions& options) {
    RepeatableRandomSource random;
    return ConvertForward(text, options, random).Text;
}

std::u16string Back(std::u16string_view text, const ConversionOptions& options) {
    BackResult result = ConvertBack(text, options);
    return std::holds_alternative<std::u16string>(result) ? std::get<std::u16string>(result)
                                                          : u"KeyRejected";
}

std::u16string LowerCasedWithoutDigits(std::u16string_view text) {
    std::u16string result;
    for (char16_t unit : ToLower(text)) {
        if (unit < u'0' || unit > u'9') {
            result += unit;
        }
    }
    return result;
}

struct Figures {
    double P50 = 0;
    double P95 = 0;
    double Max = 0;
    double CpuP50 = 0;
    double PeakTimes = 0;
    bool Ok = true;
};

// The processor time this thread has used, in milliseconds.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double Quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5)];
}

// Runs `convert` on `input` `runs` times, after a first run that counts its memory (and a run
// before that, in which the stages prepare their tables).
template <typename Convert>
Figures Measure(std::u16string_view input, int runs, Convert convert, std::u16string& first) {
    Figures figures;
    convert(input);
    bench::ResetPeak();
    const std::size_t before = bench::AllocatedBytes();
    first = convert(input);
    figures.PeakTimes = static_cast<double>(bench::PeakBytes() - before) /
                        static_cast<double>(2 * std::max<std::size_t>(input.size(), 1));
    std::vector<double> times;
    std::vector<double> cpuTimes;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadMilliseconds();
        const std::u16string output = convert(input);
        cpuTimes.push_back(ThreadMilliseconds() - cpuStart);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        figures.Ok = figures.Ok && output == first;
    }
    figures.P50 = Quantile(times, 0.5);
    figures.P95 = Quantile(times, 0.95);
    figures.Max = Quantile(times, 1.0);
    figures.CpuP50 = Quantile(cpuTimes, 0.5);
    return figures;
}

void Print(const std::string& name, std::size_t bytes, const Figures& f, double growth) {
    std::printf("case=%s size=%zu p50_ms=%.3f p95_ms=%.3f max_ms=%.3f cpu_p50_ms=%.3f peak_x=%.2f",
                name.c_str(), bytes, f.P50, f.P95, f.Max, f.CpuP50, f.PeakTimes);
    if (growth > 0) {
        std::printf(" growth_x=%.2f", growth);
    }
    std::printf(" ok=%s\n", f.Ok ? "yes" : "no");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    std::string only;
    std::string sizes = "1KiB,1MiB,10MiB";
    int runs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--only" && i + 1 < argc) {
            only = argv[++i];
        } else if (argument == "--sizes" && i + 1 < argc) {
            sizes = argv[++i];
        } else if (argument == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            std::printf("usage: %s [--only NAME-PART] [--sizes 1KiB,1MiB,10MiB] [--runs N]\n",
                        argv[0]);
            return 2;
        }
    }
    if (reference::CorpusBytes().empty()) {
        std::printf("fortunes-de is not installed (%s); bench/run installs it.\n",
                    reference::CorpusDirectory.data());
        return 1;
    }

    std::map<std::string, double> p50AtOneMiB;
    for (const Size& size : Sizes) {
        if (("," + sizes + ",").find("," + size.Name + ",") == std::string::npos) {
            continue;
        }
        const std::u16string text = reference::CorpusText(size.Utf8Bytes);
        for (unsigned bits = 0; bits < 16; ++bits) {
            const ConversionOptions options = Options(bits);
            const std::u16string forwardOutput = Forward(text, options);
            for (bool forward : {true, false}) {
                const std::string name = (forward ? "forward-" : "back-") + Flags(bits);
                if (name.find(only) == std::string::npos) {
                    continue;
                }
                const int timedRuns = runs > 0 ? runs : size.Runs;
                std::u16string output;
                Figures figures;
                if (forward) {
                    const auto convert = [&](std::u16string_view in) {
                        return Forward(in, options);
                    };
                    figures = Measure(text, timedRuns, convert, output);
                } else {
                    const auto convert = [&](std::u16string_view in) { return Back(in, options); };
                    figures = Measure(forwardOutput, timedRuns, convert, output);
                }
                if (forward && options.MatrixStyle) {
                    ConversionOptions matrix;
                    matrix.MatrixStyle = true;
                    matrix.MatrixKey = options.MatrixKey;
                    ConversionOptions rest = options;
                    rest.MatrixStyle = false;
                    figures.Ok = figures.Ok && Back(output, matrix) ==
                                                   LowerCasedWithoutDigits(Forward(text, rest));
                }
                double growth = 0;
                if (size.Name == "1MiB") {
                    p50AtOneMiB[name] = figures.P50;
                } else if (size.Name == "10MiB" && p50AtOneMiB.contains(name)) {
                    growth = figures.P50 / p50AtOneMiB[name];
                }
                Print(name, size.Utf8Bytes, figures, growth);
            }
        }
    }
    return 0;
}
