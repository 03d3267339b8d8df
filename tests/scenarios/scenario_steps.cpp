// Reads a scenario file and writes its steps as JSON, for runners that are not written in C++
// (the page's, in JavaScript), so that every runner reads the files through the same parser:
//
//   {"pending": {"page": "why"}, "steps": [{"line": 3, "step": "click at", "arguments": ["Text1",
//   5]}]}
//
// A file that cannot be read gives "FILE:LINE: reason" on standard error and exit status 1.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <variant>

#include "scenario.h"

namespace {

using schnackomat::scenarios::Argument;

std::string Quoted(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            constexpr char hex[] = "0123456789abcdef";
            json += "\\u00";
            json += hex[byte >> 4];
            json += hex[byte & 0xF];
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string Json(const Argument& argument) {
    if (const int* number = std::get_if<int>(&argument)) {
        return std::to_string(*number);
    }
    return Quoted(std::get<std::string>(argument));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: scenario-steps FILE\n";
        return 1;
    }
    std::ifstream file(argv[1], std::ios::binary);
    std::ostringstream content;
    if (file.is_open()) {
        content << file.rdbuf();
    }
    if (!file.is_open() || file.bad()) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }
    const auto parsed = schnackomat::scenarios::ParseScenario(content.str());
    if (const auto* error = std::get_if<schnackomat::scenarios::ParseError>(&parsed)) {
        std::cerr << argv[1] << ':' << error->Line << ": " << error->Reason << '\n';
        return 1;
    }
    const auto& scenario = std::get<schnackomat::scenarios::Scenario>(parsed);
    std::string json = "{\"pending\": {";
    const char* separator = "";
    for (const auto& [binding, reason] : scenario.Pending) {
        json += separator + Quoted(binding) + ": " + Quoted(reason);
        separator = ", ";
    }
    json += "}, \"steps\": [";
    separator = "";
    for (const auto& step : scenario.Steps) {
        json += separator;
        json += "{\"line\": " + std::to_string(step.Line) + ", \"step\": " + Quoted(step.Name) +
                ", \"arguments\": [";
        const char* comma = "";
        for (const Argument& argument : step.Arguments) {
            json += comma + Json(argument);
            comma = ", ";
        }
        json += "]}";
        separator = ",\n";
    }
    std::cout << json << "]}\n";
    return 0;
}
