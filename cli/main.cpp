// schnackomat-cli: converts German text to slang, leetspeak and the Matrix code, and back.
#include <cstdio>
#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
#endif
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "arguments.h"
#include "run.h"
#include "utf8.h"

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

// Runs the converter on the arguments that follow the program name, as UTF-8.
int RunCli(const std::vector<std::string_view>& arguments) {
    using namespace schnackomat::cli;
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

}  // namespace

#ifdef _WIN32
namespace {

// A console shows what passes as UTF-8 only in its UTF-8 code page; the one it had comes back
// when the converter ends.
class Utf8ConsoleOutput {
  public:
    Utf8ConsoleOutput() : previous_(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
    ~Utf8ConsoleOutput() { SetConsoleOutputCP(previous_); }
    Utf8ConsoleOutput(const Utf8ConsoleOutput&) = delete;
    Utf8ConsoleOutput& operator=(const Utf8ConsoleOutput&) = delete;

  private:
    UINT previous_;
};

}  // namespace

// Windows hands the command line over in UTF-16; the converter takes it in UTF-8, as everywhere.
int wmain(int argc, wchar_t** argv) {
    // Bytes pass unchanged: no line-break translation on any stream.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const Utf8ConsoleOutput console;

    std::vector<std::string> arguments;
    for (int index = 1; index < argc; ++index) {
        const std::wstring_view argument(argv[index]);
        arguments.push_back(
            schnackomat::cli::EncodeUtf8(std::u16string(argument.begin(), argument.end())));
    }
    return RunCli({arguments.begin(), arguments.end()});
}
#else
int main(int argc, char** argv) {
    return RunCli({argv + (argc > 0 ? 1 : 0), argv + argc});
}
#endif
