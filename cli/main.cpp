// schnackomat-cli: converts German text to slang, leetspeak and the Matrix code, and back.
#include <cstdio>
#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
#endif
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "arguments.h"
#include "run.h"

namespace {

// Reads all of standard input, bytes unchanged.
bool ReadAll(std::FILE* stream, std::string& bytes) {
    // A pipe or terminal is read in chunks that grow with what came so far, so that a short input
    // allocates and clears little.
    std::size_t chunk = std::size_t{4} << 10;
#if defined(__unix__) || defined(__APPLE__)
    // A file's size is known: it is read in one go (one byte more, to see its end).
    struct stat file {};
    if (fstat(fileno(stream), &file) == 0 && S_ISREG(file.st_mode) && file.st_size > 0) {
        chunk = static_cast<std::size_t>(file.st_size) + 1;
    }
#endif
    std::size_t used = 0;
    for (;;) {
        bytes.resize(used + chunk);
        const std::size_t got = std::fread(bytes.data() + used, 1, chunk, stream);
        used += got;
        if (got < chunk) {
            break;
        }
        chunk = used;
    }
    bytes.resize(used);
    return std::ferror(stream) == 0;
}

bool WriteAll(std::FILE* stream, std::string_view bytes) {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) {
        return false;
    }
    return std::fflush(stream) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace schnackomat::cli;
#ifdef _WIN32
    // Bytes pass unchanged: no line-break translation on either stream.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif

    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ParseResult parsed = ParseArguments(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        WriteAll(stderr, "schnackomat-cli: " + error->Reason + "\n" + UsageText());
        return ExitUsage;
    }
    const auto& request = std::get<CliArguments>(parsed);
    if (request.Request == CliArguments::Action::ShowHelp) {
        return WriteAll(stdout, HelpText()) ? ExitSuccess : ExitIoError;
    }
    if (request.Request == CliArguments::Action::ShowVersion) {
        return WriteAll(stdout, VersionText()) ? ExitSuccess : ExitIoError;
    }

    std::string input;
    if (request.Text.has_value()) {
        input = *request.Text;
    } else if (!ReadAll(stdin, input)) {
        WriteAll(stderr, "schnackomat-cli: cannot read standard input\n");
        return ExitIoError;
    }

    const RunOutcome outcome = RunConversion(request, input);
    WriteAll(stderr, outcome.Diagnostics);
    if (!WriteAll(stdout, outcome.Output)) {
        WriteAll(stderr, "schnackomat-cli: cannot write standard output\n");
        return ExitIoError;
    }
    return outcome.Status;
}
