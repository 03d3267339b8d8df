// Real German text for tests and benchmarks: Debian's fortunes-de collection, concatenated and
// decoded from UTF-8 to UTF-16.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace schnackomat::reference {

inline constexpr std::string_view CorpusDirectory = "/usr/share/games/fortunes/de";

// Decodes UTF-8; a malformed byte becomes U+FFFD. Characters beyond the Basic Multilingual Plane
// become surrogate pairs.
inline std::u16string DecodeUtf8(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = lead < 0x80    ? 1
                             : lead >= 0xF0 ? 4
                             : lead >= 0xE0 ? 3
                             : lead >= 0xC0 ? 2
                                            : 0;
        std::uint32_t code = length == 1   ? lead
                             : length == 2 ? lead & 0x1F
                             : length == 3 ? lead & 0x0F
                                           : lead & 0x07;
        bool valid = length != 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid) {
            text += u'\uFFFD';
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            text += static_cast<char16_t>(0xD800 + (code >> 10));
            text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            text += static_cast<char16_t>(code);
        }
        i += length;
    }
    return text;
}

// The UTF-8 bytes of every fortune file (the ".dat" indexes and the ".u8" links to the same
// files left out), in name order; empty when the collection is not installed.
inline std::string CorpusBytes() {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusDirectory, error)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && !entry.is_symlink() && extension != ".dat" &&
            extension != ".u8") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    std::string bytes;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return bytes;
}

// The first `utf8Bytes` bytes of the corpus (repeated as often as needed, cut back to a whole
// character), decoded; empty when the collection is not installed.
inline std::u16string CorpusText(std::size_t utf8Bytes) {
    const std::string corpus = CorpusBytes();
    if (corpus.empty()) {
        return {};
    }
    std::string bytes;
    bytes.reserve(utf8Bytes + corpus.size());
    while (bytes.size() < utf8Bytes) {
        bytes += corpus;
    }
    std::size_t end = utf8Bytes;
    while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80) {
        --end;  // do not cut a character in two
    }
    bytes.resize(end);
    return DecodeUtf8(bytes);
}

}  // namespace schnackomat::reference
