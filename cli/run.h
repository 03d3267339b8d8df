// One run of the command-line converter on bytes, apart from the process around it.
#pragma once

#include <string>
#include <string_view>

#include "arguments.h"

namespace schnackomat::cli {

// The exit statuses of schnackomat-cli.
enum ExitStatus : int {
    ExitSuccess = 0,
    ExitUsage = 1,
    ExitInvalidUtf8 = 2,
    ExitKeyRejected = 3,
    ExitIoError = 4,
};

// What a run writes and how it ends.
struct RunOutcome {
    int Status = ExitSuccess;
    std::string Output;       // for standard output
    std::string Diagnostics;  // for standard error
};

// Decodes the key and `input` as UTF-8, converts forward or back as `arguments` say, and
// encodes the result. On failure the outcome holds no output, only the reason.
RunOutcome RunConversion(const CliArguments& arguments, std::string_view input);

}  // namespace schnackomat::cli
