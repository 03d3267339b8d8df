// Runs a program with the given standard input and captures what it writes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace schnackomat::cli::testing {

struct ProcessResult {
    int ExitStatus = -1;  // the exit status, or -1 when the program did not exit normally
    std::string Stdout;
    std::string Stderr;
};

// Starts `program` with `arguments` (without the program name), writes `input` to its standard
// input and closes it, and waits for it to end while collecting standard output and standard
// error separately.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         std::string_view input);

// The same with the file at `inputPath` opened as standard input, as a shell's "< file" does.
ProcessResult RunProcessOnFile(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::string& inputPath);

}  // namespace schnackomat::cli::testing
