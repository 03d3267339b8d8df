// The command-line converter as a whole process, as a shell runs it: German text from a file on
// standard input, standard output into a file. Each run is timed from the start to the reaping of
// the process, so loading, start-up, reading, the conversion, writing and exit all count. Beside
// it runs a process that does nothing (/bin/true), the floor that starting any process costs.
//
// Usage: schnackomat_cli_process_bench [--runs N] [--vs OTHER-CLI] [CLI]
// CLI defaults to the converter built beside this program. With --vs, OTHER-CLI (an older build,
// say) runs in turn with CLI, run by run, and the ratio of the two is taken pair by pair, so that
// a machine whose speed drifts during the call still compares them fairly.
// Besides the table it prints one line per case and program:
//   case=NAME size=BYTES p50_ms=X p95_ms=Y max_ms=Z cpu_p50_ms=C ok=yes|no
// where ok tells whether every run's output was the engine's conversion of the input.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "schnackomat/conversion.h"
#include "schnackomat/reference/corpus.h"
#include "utf8.h"

namespace {

struct Case {
    std::string Name;
    std::vector<std::string> Options;  // the converter's options
    std::size_t Bytes;                 // of German text on standard input
};

struct Run {
    double WallMs;
    double CpuMs;
    bool Ok;
};

struct Figures {
    double P50 = 0;
    double P95 = 0;
    double Max = 0;
    double CpuP50 = 0;
    bool Ok = true;
};

// The first `bytes` bytes of fortunes-de (repeated as needed) as valid UTF-8, cut back to a whole
// character.
std::string GermanText(std::size_t bytes) {
    std::string text = schnackomat::cli::EncodeUtf8(schnackomat::reference::CorpusText(bytes));
    std::size_t end = std::min(bytes, text.size());
    while (end > 0 && end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    text.resize(end);
    return text;
}

std::string Expected(const Case& c, const std::string& input) {
    schnackomat::ConversionOptions options;
    for (const std::string& option : c.Options) {
        options.SlangStyle |= option == "-s";
        options.LeetCharacters |= option == "-l";
        options.LeetWords |= option == "-w";
    }
    const auto decoded = schnackomat::cli::DecodeUtf8(input);
    return schnackomat::cli::EncodeUtf8(schnackomat::ConvertForward(decoded.Text, options).Text);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double Milliseconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

// Starts `program` with `arguments`, `input` as standard input and `output` as standard output,
// and waits for it.
Run TimeOnce(const std::string& program, const std::vector<std::string>& arguments,
             const std::string& input, const std::string& output) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    // posix_spawn shares the benchmark's memory with the child until the exec instead of copying
    // its page tables, so the benchmark's own size does not count.
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t child = -1;
    // A new file each run: truncating the last run's output is the file system's work, not the
    // converter's.
    std::remove(output.c_str());
    const auto start = std::chrono::steady_clock::now();
    const bool started =
        posix_spawn(&child, program.c_str(), &files, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&files);
    int status = 0;
    rusage usage{};
    const bool reaped = started && wait4(child, &status, 0, &usage) == child;
    const double wall =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const bool exited = reaped && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return {wall, Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime), exited};
}

double Quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5)];
}

Figures Summarise(const std::vector<Run>& runs) {
    std::vector<double> wall;
    std::vector<double> cpu;
    Figures f;
    for (const Run& run : runs) {
        wall.push_back(run.WallMs);
        cpu.push_back(run.CpuMs);
        f.Ok = f.Ok && run.Ok;
    }
    f.P50 = Quantile(wall, 0.5);
    f.P95 = Quantile(wall, 0.95);
    f.Max = Quantile(wall, 1.0);
    f.CpuP50 = Quantile(cpu, 0.5);
    return f;
}

void Print(const std::string& name, std::size_t bytes, const Figures& f) {
    std::printf("%-28s %9zu %8.2f %8.2f %8.2f %8.2f  %s\n", name.c_str(), bytes, f.P50, f.P95,
                f.Max, f.CpuP50, f.Ok ? "yes" : "no");
}

std::string Line(const std::string& name, std::size_t bytes, const Figures& f) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "case=%s size=%zu p50_ms=%.3f p95_ms=%.3f max_ms=%.3f cpu_p50_ms=%.3f ok=%s",
                  name.c_str(), bytes, f.P50, f.P95, f.Max, f.CpuP50, f.Ok ? "yes" : "no");
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 31;
    std::string cli = SCHNACKOMAT_CLI_PATH;
    std::string other;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--vs" && i + 1 < argc) {
            other = argv[++i];
        } else if (!argument.starts_with("--")) {
            cli = argv[i];
        } else {
            std::fprintf(stderr, "usage: %s [--runs N] [--vs OTHER-CLI] [CLI]\n", argv[0]);
            return 2;
        }
    }
    if (schnackomat::reference::CorpusBytes().empty()) {
        std::fprintf(stderr, "fortunes-de is not installed (%s); bench/run installs it.\n",
                     schnackomat::reference::CorpusDirectory.data());
        return 1;
    }

    char folder[] = "/tmp/schnackomat-cli-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string work = folder;
    const std::string output = work + "/output";
    const std::vector<std::string> slangAndLeet{"-s", "-l", "-w"};
    const std::vector<Case> cases{
        {"nothing-to-convert", slangAndLeet, 0},
        {"slang-leet-words", slangAndLeet, 1024},
        {"slang-leet-words", slangAndLeet, 1024 * 1024},
        {"leet", {"-l"}, 1024 * 1024},
    };

    std::printf("Whole process, %d runs each, wall milliseconds from start to reaping\n", runs);
    std::printf("%-28s %9s %8s %8s %8s %8s  %s\n", "case", "bytes", "p50", "p95", "max", "cpu p50",
                "ok");
    std::vector<std::string> lines;
    for (const Case& c : cases) {
        const std::string text = GermanText(c.Bytes);
        const std::string input = work + "/input";
        std::ofstream(input, std::ios::binary) << text;
        const std::string expected = Expected(c, text);
        const std::vector<std::string> programs =
            other.empty() ? std::vector<std::string>{cli} : std::vector<std::string>{cli, other};
        std::vector<std::vector<Run>> timed(programs.size());
        for (int run = -1; run < runs; ++run) {  // run -1 warms the file cache and is not counted
            for (std::size_t k = 0; k < programs.size(); ++k) {
                // The program that goes first changes from pair to pair: in a fixed order, two
                // builds running the same code came out 4 to 7 % apart.
                const std::size_t p = (k + static_cast<std::size_t>(run + 1)) % programs.size();
                Run r = TimeOnce(programs[p], c.Options, input, output);
                r.Ok = r.Ok && ReadFile(output) == expected;
                if (run >= 0) {
                    timed[p].push_back(r);
                }
            }
        }
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const std::string name = c.Name + (p == 0 ? "" : "-vs");
            const Figures f = Summarise(timed[p]);
            Print(name, text.size(), f);
            lines.push_back(Line(name, text.size(), f));
        }
        if (programs.size() == 2) {
            std::vector<double> ratios;
            for (std::size_t run = 0; run < timed[0].size(); ++run) {
                ratios.push_back(timed[0][run].WallMs / timed[1][run].WallMs);
            }
            std::printf("  %s: this ÷ other, pair by pair, median %.2f\n", c.Name.c_str(),
                        Quantile(ratios, 0.5));
        }
    }

    // The floor: a process that does nothing, started the same way.
    std::vector<Run> floor;
    for (int run = -1; run < runs; ++run) {
        const Run r = TimeOnce("/bin/true", {}, "/dev/null", output);
        if (run >= 0) {
            floor.push_back(r);
        }
    }
    const Figures f = Summarise(floor);
    Print("a process doing nothing", 0, f);
    lines.push_back(Line("process-doing-nothing", 0, f));
    std::printf("\n");
    for (const std::string& line : lines) {
        std::printf("%s\n", line.c_str());
    }

    std::remove((work + "/input").c_str());
    std::remove(output.c_str());
    rmdir(folder);
    return 0;
}
